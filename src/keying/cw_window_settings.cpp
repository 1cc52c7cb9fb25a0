// The CW window's boxes and buttons: the input rules of each box, Done
// (cw.txt and the registry), the interface and timing option buttons, the
// speed and word-space buttons, the loop count, Test and code practice.

#include "keying/cw_window.h"

#include "app/app_state.h"
#include "keying/code_practice_window.h"
#include "keying/morse.h"
#include "keying/winkey_driver.h"
#include "platform/events.h"
#include "platform/file_system.h"
#include "platform/number_text.h"
#include "platform/safe_file.h"
#include "platform/settings_stream.h"

#include <QCheckBox>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

namespace {

std::optional<double> numberIn(const QLineEdit* box) { return platform::typedNumber(box->text()); }

}  // namespace

void CwWindow::onMessageBoxKeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    else if (KeyAscii == '"')
        KeyAscii = 0;  // a quote would cut the message short in cw.txt
}

// Each step starts from the speed keyed, so the box never leaves the range
// the engine keys. A box without a number is left as it is.
void CwWindow::onSpeedUp()
{
    if (const auto v = numberIn(speedBox))
        speedBox->setText(QString::number(keying::steppedWpm(*v, +1)));
}

void CwWindow::onSpeedDown()
{
    if (const auto v = numberIn(speedBox))
        speedBox->setText(QString::number(keying::steppedWpm(*v, -1)));
}

void CwWindow::onSpeedChanged()
{
    const auto v = numberIn(speedBox);
    if (!v || *v <= 4 || *v >= 100)
        return;
    keying::KeyingState& k = m_state.keying;
    if (k.WinKeyOpen != 0 && k.CWKeyingOption == keying::CwSender::WinKeyOption && k.winKey)
        k.winKey->wk_wpm(static_cast<int>(std::lround(*v)));
}

void CwWindow::onSpeedLostFocus()
{
    // The box shows the speed that is keyed: a speed outside the range the
    // keyer can time is brought inside it.
    const QString shown = keying::keyedSpeedText(speedBox->text());
    if (shown != speedBox->text())
        speedBox->setText(shown);
}

void CwWindow::onSerialPortLostFocus()
{
    if (!numberIn(serialPortBox))
        serialPortBox->setText(QStringLiteral("0"));
    CWSetup();
}

void CwWindow::onWordSpaceChanged()
{
    const auto v = numberIn(txtSpace);
    if (v && *v < keying::MinWordSpace)
        txtSpace->setText(QString::number(keying::MinWordSpace));
}

void CwWindow::onWordSpaceLostFocus()
{
    if (!numberIn(txtSpace))
        txtSpace->setText(QStringLiteral("0"));
}

void CwWindow::onLessSpaceClicked()
{
    const auto v = numberIn(txtSpace);
    txtSpace->setText(v ? platform::localNumberText(*v - 1) : QStringLiteral("0"));
}

void CwWindow::onMoreSpaceClicked()
{
    const auto v = numberIn(txtSpace);
    txtSpace->setText(v ? platform::localNumberText(*v + 1) : QStringLiteral("0"));
}

void CwWindow::onRepeatSecondsLostFocus()
{
    const auto v = numberIn(txtCWLoop);
    if (v && *v >= 0 && *v < 60) {
        tmrRepeat->setInterval(static_cast<int>(std::lround(*v * 1000)));
    } else {
        txtCWLoop->setText(QStringLiteral("0"));
        tmrRepeat->setInterval(0);
    }
}

void CwWindow::onLoopDelayChanged()
{
    const auto v = numberIn(txtLoop);
    if (v && *v >= 0)
        m_loopsPer60ms = *v;
}

void CwWindow::onLoopFasterClicked()
{
    if (const auto v = numberIn(txtLoop))
        txtLoop->setText(QString::number(std::nearbyint(*v * 0.9), 'f', 0));
    doneButton->setFocus();
}

void CwWindow::onLoopSlowerClicked()
{
    if (const auto v = numberIn(txtLoop))
        txtLoop->setText(QString::number(std::nearbyint(*v * 1.111111111111), 'f', 0));
    doneButton->setFocus();
}

void CwWindow::onKeyingOptionClicked(int keyingOption)
{
    chooseKeyingOption(keyingOption);
    keying::KeyingState& k = m_state.keying;
    if (keyingOption == keying::CwSender::WinKeyOption && k.winKey)
        k.winKey->loadWindow();
}

void CwWindow::chooseKeyingOption(int keyingOption)
{
    m_state.keying.CWKeyingOption = keyingOption;
    if (keyingOption == keying::CwSender::WinKeyOption)
        cmdConfWinkey->show();
}

void CwWindow::onConfigureWinKeyClicked()
{
    if (m_state.keying.winKey)
        m_state.keying.winKey->showWindowModally();
    doneButton->setFocus();
}

void CwWindow::onTimingTimerClicked()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoop, txtLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(false);
}

void CwWindow::onTimingSleepClicked() { onTimingTimerClicked(); }

void CwWindow::onTimingLoopClicked()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoop, txtLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(true);
    platform::letPendingEventsRun();
    if (m_loopsPer60ms == 0)
        m_loopsPer60ms = keying::MorseEngine::calibrateLoop();
    txtLoop->setText(QString::number(m_loopsPer60ms, 'f', 0));
}

int CwWindow::selectedOptionButton() const
{
    if (keyLineRts->isChecked())
        return 1;
    if (keyLineDtr->isChecked())
        return 2;
    if (keyLinePrinter->isChecked())
        return 3;
    if (keyLineWinKey->isChecked())
        return 5;
    return 0;
}

QString CwWindow::timingSelection() const
{
    if (optLoop->isChecked())
        return QStringLiteral("Loop");
    if (OptSleep->isChecked())
        return QStringLiteral("Sleep");
    return QStringLiteral("Timer");
}

void CwWindow::saveSettingsToState()
{
    keying::CwWindowSettings& s = m_state.cwSettings;
    for (std::size_t i = 0; i < 9; ++i)
        s.messagesF1ToF9[i] = messageBoxesF1ToF9[i]->text();
    s.serialPort = serialPortBox->text();
    s.speed = speedBox->text();
    s.messageF10 = messageBoxF10->text();
    s.messageF11 = messageBoxF11->text();
    s.txtSpace = txtSpace->text();
    s.parallelAddress = parallelAddressBox->text();
    s.showTextOnMain = showTextOnMainCheck->isChecked() ? 1 : 0;
    s.txtCWLoop = txtCWLoop->text();
    s.repeatIntervalMs = tmrRepeat->interval();
    s.keyingOptionButton = selectedOptionButton();
}

void CwWindow::onDoneClicked()
{
    saveSettingsToState();
    const keying::CwWindowSettings& s = m_state.cwSettings;
    platform::SettingsWriter w;
    for (const QString& t : s.messagesF1ToF9)
        w.text(t).endLine();
    w.text(s.serialPort).endLine().text(s.speed).endLine().text(s.messageF10).endLine();
    w.text(s.messageF11).endLine().text(s.txtSpace).endLine();
    w.integer(m_state.keying.CWKeyingOption).endLine();
    w.text(s.parallelAddress).endLine().integer(s.showTextOnMain).endLine().text(s.txtCWLoop).endLine();

    // One file, whatever the letter case of the name it already has.
    QDir::setCurrent(m_state.folders.ProgramFolder);
    const QString path = m_state.folders.programFile(QStringLiteral("cw.txt"));
    const platform::FileWriteResult written = platform::writeFileSafely(path, w.bytes());
    if (written.ok) {
        platform::Registry& r = m_state.services.registry;
        r.SaveSetting(QStringLiteral("Settings"), QStringLiteral("UserCWSelection"), timingSelection());
        r.SaveSetting(QStringLiteral("Settings"), QStringLiteral("UserCWLoopOffset"),
                      QString::number(m_loopsPer60ms, 'f', 0));
    } else {
        m_state.services.beeper.beep();
        m_state.services.prompt.message(
            QStringLiteral("The CW settings could not be saved to %1: %2").arg(path, written.error),
            QStringLiteral("File Error"));
    }
    hide();
}

void CwWindow::onTestClicked()
{
    keying::KeyingState& k = m_state.keying;
    if ((k.CWKeyingOption == 1 || k.CWKeyingOption == 2) && numberIn(serialPortBox).value_or(0) < 1) {
        m_state.services.beeper.beep();
        m_state.services.prompt.message(QStringLiteral("Please enter a com port for CW rig interface."),
                                        QStringLiteral("A com port is required."));
        serialPortBox->setFocus();
        return;
    }
    sendingLabel->show();
    platform::letPendingEventsRun();
    int key = 120;
    FKeyCW(key);
    sendingLabel->hide();
    if (isVisible())
        messageBoxesF1ToF9[0]->setFocus();
}

void CwWindow::onCodePracticeClicked()
{
    CodePracticeWindow practice(m_state, *this, this);
    practice.onLoad();
    runModal(practice);
    practice.onUnload();
    m_state.keying.CWSendBuffer.clear();
}

// The CW window's boxes and buttons: the input rules of each box, Done
// (cw.txt and the registry), the interface and timing option buttons, the
// speed and word-space buttons, the loop count, Test and code practice.

#include "keying/CWFrm.h"

#include "app/app_state.h"
#include "keying/frmCodePractice.h"
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

void CWFrm::messageBox_KeyPress(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
    else if (KeyAscii == '"')
        KeyAscii = 0;  // a quote would cut the message short in cw.txt
}

// Each step starts from the speed keyed, so the box never leaves the range
// the engine keys. A box without a number is left as it is.
void CWFrm::UpDown1_UpClick()
{
    if (const auto v = numberIn(Text11))
        Text11->setText(QString::number(keying::steppedWpm(*v, +1)));
}

void CWFrm::UpDown1_DownClick()
{
    if (const auto v = numberIn(Text11))
        Text11->setText(QString::number(keying::steppedWpm(*v, -1)));
}

void CWFrm::Text11_Change()
{
    const auto v = numberIn(Text11);
    if (!v || *v <= 4 || *v >= 100)
        return;
    keying::KeyingState& k = m_state.keying;
    if (k.WinKeyOpen != 0 && k.CWKeyingOption == keying::CwSender::WinKeyOption && k.winKey)
        k.winKey->wk_wpm(static_cast<int>(std::lround(*v)));
}

void CWFrm::Text11_LostFocus()
{
    // The box shows the speed that is keyed: a speed outside the range the
    // keyer can time is brought inside it.
    const QString shown = keying::keyedSpeedText(Text11->text());
    if (shown != Text11->text())
        Text11->setText(shown);
}

void CWFrm::Text10_LostFocus()
{
    if (!numberIn(Text10))
        Text10->setText(QStringLiteral("0"));
    CWSetup();
}

void CWFrm::txtSpace_Change()
{
    const auto v = numberIn(txtSpace);
    if (v && *v < keying::MinWordSpace)
        txtSpace->setText(QString::number(keying::MinWordSpace));
}

void CWFrm::txtSpace_LostFocus()
{
    if (!numberIn(txtSpace))
        txtSpace->setText(QStringLiteral("0"));
}

void CWFrm::Command5_Click()
{
    const auto v = numberIn(txtSpace);
    txtSpace->setText(v ? platform::localNumberText(*v - 1) : QStringLiteral("0"));
}

void CWFrm::Command6_Click()
{
    const auto v = numberIn(txtSpace);
    txtSpace->setText(v ? platform::localNumberText(*v + 1) : QStringLiteral("0"));
}

void CWFrm::txtCWLoop_LostFocus()
{
    const auto v = numberIn(txtCWLoop);
    if (v && *v >= 0 && *v < 60) {
        tmrRepeat->setInterval(static_cast<int>(std::lround(*v * 1000)));
    } else {
        txtCWLoop->setText(QStringLiteral("0"));
        tmrRepeat->setInterval(0);
    }
}

void CWFrm::txtLoop_Change()
{
    const auto v = numberIn(txtLoop);
    if (v && *v >= 0)
        m_loopsPer60ms = *v;
}

void CWFrm::cmdLoopFaster_Click()
{
    if (const auto v = numberIn(txtLoop))
        txtLoop->setText(QString::number(std::nearbyint(*v * 0.9), 'f', 0));
    Command1->setFocus();
}

void CWFrm::cmdLoopSlower_Click()
{
    if (const auto v = numberIn(txtLoop))
        txtLoop->setText(QString::number(std::nearbyint(*v * 1.111111111111), 'f', 0));
    Command1->setFocus();
}

void CWFrm::Option_Click(int keyingOption)
{
    chooseKeyingOption(keyingOption);
    keying::KeyingState& k = m_state.keying;
    if (keyingOption == keying::CwSender::WinKeyOption && k.winKey)
        k.winKey->loadWindow();
}

void CWFrm::chooseKeyingOption(int keyingOption)
{
    m_state.keying.CWKeyingOption = keyingOption;
    if (keyingOption == keying::CwSender::WinKeyOption)
        cmdConfWinkey->show();
}

void CWFrm::cmdConfWinkey_Click()
{
    if (m_state.keying.winKey)
        m_state.keying.winKey->showWindowModally();
    Command1->setFocus();
}

void CWFrm::optTimer_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoop, txtLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(false);
}

void CWFrm::OptSleep_Click() { optTimer_Click(); }

void CWFrm::optLoop_Click()
{
    for (QWidget* w : std::initializer_list<QWidget*>{lblLoop, txtLoop, cmdLoopFaster, cmdLoopSlower})
        w->setEnabled(true);
    platform::letPendingEventsRun();
    if (m_loopsPer60ms == 0)
        m_loopsPer60ms = keying::MorseEngine::calibrateLoop();
    txtLoop->setText(QString::number(m_loopsPer60ms, 'f', 0));
}

int CWFrm::selectedOptionButton() const
{
    if (Option1->isChecked())
        return 1;
    if (Option2->isChecked())
        return 2;
    if (Option3->isChecked())
        return 3;
    if (Option5->isChecked())
        return 5;
    return 0;
}

QString CWFrm::timingSelection() const
{
    if (optLoop->isChecked())
        return QStringLiteral("Loop");
    if (OptSleep->isChecked())
        return QStringLiteral("Sleep");
    return QStringLiteral("Timer");
}

void CWFrm::saveSettingsToState()
{
    keying::CwWindowSettings& s = m_state.cwSettings;
    for (std::size_t i = 0; i < 9; ++i)
        s.Text1to9[i] = Text1to9[i]->text();
    s.Text10 = Text10->text();
    s.Text11 = Text11->text();
    s.Text12 = Text12->text();
    s.Text13 = Text13->text();
    s.txtSpace = txtSpace->text();
    s.Text14 = Text14->text();
    s.Check1 = Check1->isChecked() ? 1 : 0;
    s.txtCWLoop = txtCWLoop->text();
    s.repeatIntervalMs = tmrRepeat->interval();
    s.keyingOptionButton = selectedOptionButton();
}

void CWFrm::Command1_Click()
{
    saveSettingsToState();
    const keying::CwWindowSettings& s = m_state.cwSettings;
    platform::SettingsWriter w;
    for (const QString& t : s.Text1to9)
        w.text(t).endLine();
    w.text(s.Text10).endLine().text(s.Text11).endLine().text(s.Text12).endLine();
    w.text(s.Text13).endLine().text(s.txtSpace).endLine();
    w.integer(m_state.keying.CWKeyingOption).endLine();
    w.text(s.Text14).endLine().integer(s.Check1).endLine().text(s.txtCWLoop).endLine();

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

void CWFrm::Command4_Click()
{
    keying::KeyingState& k = m_state.keying;
    if ((k.CWKeyingOption == 1 || k.CWKeyingOption == 2) && numberIn(Text10).value_or(0) < 1) {
        m_state.services.beeper.beep();
        m_state.services.prompt.message(QStringLiteral("Please enter a com port for CW rig interface."),
                                        QStringLiteral("A com port is required."));
        Text10->setFocus();
        return;
    }
    Label23->show();
    platform::letPendingEventsRun();
    int key = 120;
    FKeyCW(key);
    Label23->hide();
    if (isVisible())
        Text1to9[0]->setFocus();
}

void CWFrm::Command7_Click()
{
    frmCodePractice practice(m_state, *this, this);
    practice.Form_Load();
    runModal(practice);
    practice.Form_Unload();
    m_state.keying.CWSendBuffer.clear();
}

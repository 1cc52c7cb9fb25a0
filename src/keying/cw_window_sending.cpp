// The CW window's sender: function-key messages, the send loop's hooks
// (message boxes, wildcards, the main window's call box and dialog line),
// Transmit on the chosen line, the CW serial port and the F1 repeat.

#include "keying/cw_window.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "keying/key_lines.h"
#include "keying/morse.h"
#include "keying/winkey_driver.h"
#include "platform/end_signals.h"
#include "platform/events.h"
#include "platform/number_text.h"
#include "platform/parallel_port.h"
#include "platform/serial_link.h"

#include <QCheckBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

#include <cmath>

keying::CwSenderHooks CwWindow::senderHooks()
{
    keying::CwSenderHooks h;
    h.message = [this](int i) { return messageText(i); };
    h.repeatSeconds = [this] { return platform::typedNumber(txtCWLoop->text()).value_or(0); };
    h.macroValues = [this] {
        contactlog::LogState& log = m_state.log;
        const bool inState = m_state.prefs.OutOfStateFlag == 0;
        return keying::MacroValues{log.CurrentCallText, log.NextSerialText, &log.RstSentText,
                                   inState ? log.OperatorCountyText : QString(), &m_state.counties};
    };
    h.transmit = [this](QChar c) { keyCharacter(QString(c), Gap::LeaveToLoop); };
    h.logStep = [this] { logStep(); };
    h.mirrorOn = [this] { return showTextOnMainCheck->isChecked(); };
    h.setDialog = [this](const QString& t) { setMainDialog(t); };
    h.startRepeatTimer = [this] {
        if (tmrRepeat->interval() > 0)
            tmrRepeat->start();
    };
    h.startRepeatWhenKeyerDone = [this] {
        if (tmrRepeat->interval() > 0)
            keyerDoneWatch->start();
    };
    h.letEventsRun = [] { platform::letPendingEventsRun(); };
    h.messageStarts = [this] { m_portFailureShown = false; };
    h.finishCharacter = [this] { m_engine.finishCharacter(); };
    h.stopRequested = [] { return platform::endRequested(); };
    h.takeTransmitter = [this] {
        if (const auto& endVoice = m_state.keying.endMessage.voiceMessage)
            endVoice();
    };
    return h;
}

QString CwWindow::messageText(int index) const
{
    if (index >= 0 && index < 9)
        return messageBoxesF1ToF9[static_cast<std::size_t>(index)]->text();
    if (index == 9)
        return messageBoxF10->text();
    if (index == 10)
        return messageBoxF11->text();
    return {};
}

void CwWindow::FKeyCW(int& keyCode) { m_sender->FKeyCW(keyCode); }

void CwWindow::LoopThroughCWBuffer() { m_sender->LoopThroughCWBuffer(); }

void CwWindow::logStep()
{
    // Exactly one main window is open: the one of OutOfStateFlag.
    MainWindowBase* window = m_mainWindow ? m_mainWindow() : nullptr;
    if (window && !window->txtCall->text().isEmpty())
        window->Mains();
}

void CwWindow::setMainDialog(const QString& text)
{
    if (MainWindowBase* window = m_mainWindow ? m_mainWindow() : nullptr)
        window->lblDialog->setText(text);
}

keying::UnitTiming CwWindow::unitTiming() const
{
    keying::UnitTiming t;
    t.wpm = keying::keyingWpm(platform::typedNumber(speedBox->text()).value_or(0));
    t.method = optLoop->isChecked()    ? keying::TimingMethod::Loop
               : OptSleep->isChecked() ? keying::TimingMethod::Sleep
                                       : keying::TimingMethod::Timer;
    t.loopsPer60ms = m_loopsPer60ms;
    return t;
}

int CwWindow::wordSpace() const
{
    const double n = platform::typedNumber(txtSpace->text()).value_or(0);
    return static_cast<int>(std::max<double>(keying::MinWordSpace, std::lround(n)));
}

bool CwWindow::portOpen() const { return m_comm && m_comm->isOpen(); }

void CwWindow::Transmit(const QString& character) { keyCharacter(character, Gap::Wait); }

void CwWindow::keyCharacter(const QString& character, Gap gap)
{
    keying::KeyingState& k = m_state.keying;
    if (k.CWKeyingOption == 0 || character.isEmpty() || k.programEnding)
        return;
    if ((k.CWKeyingOption == 1 || k.CWKeyingOption == 2) && !portOpen() && !m_portFailureShown)
        CWSetup();
    const QChar c = character.front();
    if (c == QLatin1Char('!')) {
        logStep();
        m_engine.resetTimeline();
        return;
    }
    const QString units = keying::characterUnits(c, wordSpace());
    if (units.isEmpty())
        return;

    // The selected option button decides the line.
    std::unique_ptr<keying::KeyLine> line;
    const bool serialLine = (keyLineRts->isChecked() || keyLineDtr->isChecked()) && portOpen();
    if (serialLine) {
        line = std::make_unique<keying::SerialKeyLine>(
            *m_comm, keyLineRts->isChecked() ? keying::SerialKeyLine::Which::Rts : keying::SerialKeyLine::Which::Dtr);
    } else if (keyLinePrinter->isChecked()) {
        const auto base = platform::ParallelPort::parseBaseAddress(parallelAddressBox->text());
        if (!base) {
            // An address that names no port keys nothing, as a port that
            // cannot be opened keys nothing: the message stops and says so.
            stopOnLineFailure(platform::ParallelPort::addressErrorText(parallelAddressBox->text()));
            return;
        }
        m_parallelBase = *base;
        line = std::make_unique<keying::ParallelKeyLine>(m_state.hardware.parallel(), *base);
    }
    const auto outcome = gap == Gap::Wait ? m_engine.key(units, unitTiming(), line.get())
                                          : m_engine.keyToGap(units, unitTiming(), line.get());
    if (outcome != keying::MorseEngine::Outcome::LineFailed)
        return;
    // The engine has let the line up as far as it could. The port is let
    // go, so that the next message tries it afresh (a port that failed
    // would otherwise still count as open and key nothing for ever).
    const QString why = line->failureText();
    if (serialLine) {
        m_comm->close();
        m_comm = nullptr;
    } else {
        m_state.hardware.parallel().close();
    }
    stopOnLineFailure(why);
}

void CwWindow::stopOnLineFailure(const QString& why)
{
    // A line that cannot be set keys nothing for the rest of the message:
    // the message stops here, does not repeat, and the operator is told why.
    keying::KeyingState& k = m_state.keying;
    m_portFailureShown = true;
    k.CWSendBuffer.clear();
    k.CWRepeatArmed = 0;
    tmrRepeat->stop();
    m_engine.resetTimeline();
    m_state.services.beeper.beep();
    m_state.services.prompt.message(QStringLiteral("The CW key line could not be keyed: ") + why,
                                    QStringLiteral("Invalid port."));
}

void CwWindow::CWSetup()
{
    if (m_comm) {
        m_comm->close();
        m_comm = nullptr;
    }
    const double port = platform::typedNumber(serialPortBox->text()).value_or(0);
    // Once the program is ending the port stays closed: nothing may key it.
    if (!(port > 0) || m_state.keying.programEnding)
        return;
    keying::KeyerPortClosers::run(m_state.keying.closePort.voicePttPort);
    const int number = static_cast<int>(std::lround(std::min(port, 32767.0)));
    platform::SerialLink& link = m_state.hardware.serial(number);
    platform::SerialSettings settings;  // both lines off; no data is ever sent
    if (link.open(number, settings, QStringLiteral("CW keying"))) {
        m_comm = &link;
        return;
    }
    // A port the rig, the TNC or the WinKey keyer holds stays with it.
    reportInvalidPort(link.inUseText());
}

bool CwWindow::sendFailed() const
{
    const keying::KeyingState& k = m_state.keying;
    // The WinKey sender reports its own failures and leaves the keyer closed.
    if (k.CWKeyingOption == keying::CwSender::WinKeyOption)
        return k.WinKeyOpen == 0;
    return m_portFailureShown;
}

void CwWindow::reportInvalidPort(const QString& inUse)
{
    // Once per message: a message of forty characters would otherwise bring
    // forty boxes.
    m_portFailureShown = true;
    m_state.services.beeper.beep();
    m_state.services.prompt.message(
        platform::withPortHolder(
            QStringLiteral(
                "The port you have selected for CW keying is invalid.  Please select another or enter 0 for none."),
            inUse),
        QStringLiteral("Invalid port."));
    if (!isVisible())
        runModal(*this);
}

void CwWindow::releaseLine()
{
    if (m_parallelBase >= 0) {
        keying::ParallelKeyLine(m_state.hardware.parallel(), m_parallelBase).setKey(false);
        // Up now: a later release (the window's own deletion, which the
        // main window's closing defers) has nothing left to let up.
        m_parallelBase = -1;
    }
    if (m_comm) {
        // Closing lowers both lines.
        m_comm->close();
        m_comm = nullptr;
    }
    m_engine.resetTimeline();
}

void CwWindow::stopRepeatTimer()
{
    keyerDoneWatch->stop();
    tmrRepeat->stop();
}

void CwWindow::stopSending()
{
    m_sender->stopSending();
    stopRepeatTimer();
}

void CwWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        stopSending();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void CwWindow::onKeyerDoneWatchTick()
{
    keying::KeyingState& k = m_state.keying;
    // The repeat was stopped meanwhile, or the keyer went away: there is no
    // sending whose end could start the pause.
    if (k.CWRepeatArmed != 1 || k.CWKeyingOption != keying::CwSender::WinKeyOption || !k.winKey ||
        k.WinKeyOpen == 0) {
        keyerDoneWatch->stop();
        return;
    }
    if (k.winKey->keyerSending())
        return;
    keyerDoneWatch->stop();
    tmrRepeat->start();
}

void CwWindow::onRepeatTick()
{
    tmrRepeat->stop();
    int key = 112;
    FKeyCW(key);
}

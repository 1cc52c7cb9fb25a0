// The voice keyer at work: playing a message with PTT keyed, the end of a
// message, the F1 repeat and the PTT port.

#include "keying/voice_keyer_window.h"

#include "app/app_state.h"
#include "keying/voice_settings.h"
#include "platform/key_events.h"
#include "platform/parallel_port.h"
#include "platform/serial_link.h"

#include <QKeyEvent>
#include <QLineEdit>
#include <cmath>
#include <QRadioButton>

namespace keying {

namespace {

constexpr int FirstKey = platform::vbkey::F1;
constexpr int LastKey = platform::vbkey::F9;

const QString InvalidPortText = QStringLiteral(
    "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.");
const QString InvalidPortTitle = QStringLiteral("Invalid port.");
const QString UnplayableTitle = QStringLiteral("Unable to play file.");
const QString NoSoundDeviceText = QStringLiteral("No sound output device: the voice message was not sent.");

/// The PTT port box as a number; an empty box means no serial port.
std::optional<double> portNumber(const QString& text)
{
    if (text.trimmed().isEmpty())
        return 0.0;
    return boxNumber(text);
}

/// A number typed with a fraction, taken as a whole one: to the nearest,
/// halves to the even neighbour.
double wholeNumber(double value) { return std::nearbyint(value); }

}  // namespace

void VoiceKeyerWindow::FKeyPhone(int& keyCode)
{
    if (keyCode < FirstKey || keyCode > LastKey)
        return;
    // A message still playing stops here; its PTT stays up for the new one,
    // or the poll drops it when nothing new starts.
    wavPlayer.close();
    // A repeat tick or a key still queued when the program began to end
    // must not put the transmitter back on the air.
    if (m_state.keying.programEnding)
        return;
    startKeying(keyCode);
}

void VoiceKeyerWindow::startKeying(int keyCode)
{
    if (keyCode == FirstKey) {
        const auto seconds = boxNumber(txtPHLoop->text());
        if (!seconds)
            return abandonMessage();
        if (*seconds > 0)
            m_state.keying.VoiceRepeatArmed = 1;
    }
    const QString path = pathBox(keyCode - FirstKey)->text().trimmed();
    if (path.isEmpty())
        return;
    // The file is decoded before anything is keyed: one that cannot be
    // played never puts the transmitter on the air. A message that was
    // playing ends at the next poll, which drops its PTT.
    if (!wavPlayer.open(path))
        return reportUnplayableFile(path);
    m_unplayableReported.remove(path);

    // Without a sound device the transmitter would go on the air for dead
    // air: nothing is keyed, and each message says why.
    if (QString why; !wavPlayer.deviceReady(&why)) {
        abandonMessage();
        m_state.keying.VoiceRepeatArmed = 0;
        m_state.services.beeper.beep();
        m_state.services.prompt.message(NoSoundDeviceText, UnplayableTitle);
        return;
    }

    const auto port = portNumber(pttSerialPortBox->text());
    if (!port)
        return abandonMessage();
    // One transmitter: a CW message being keyed ends here, as Esc would end
    // it, before PTT goes up (the CW keyer would otherwise take the PTT
    // port back at its next character and leave this message on the air
    // with no PTT). Its loop, further up the stack, stops after the
    // character it has keyed; the line is up between characters.
    if (const auto& endCw = m_state.keying.endMessage.cwMessage)
        endCw();
    bool serialFailed = false;
    if (*port > 0) {
        if (openPttPort() == 0)
            OpenPTTPort();
        // With "Parallel" chosen and a port given, RTS is keyed as well.
        if (const int open = openPttPort(); open > 0)
            serialFailed = !m_ptt.raiseSerial(open, pttLineDtr->isChecked());
    }
    if (pttLineParallel->isChecked()) {
        const auto address = boxNumber(parallelAddressBox->text());
        const double base = address ? wholeNumber(*address) : -1;
        if (base < 0 || base + 2 > 0xFFFF) {
            // An address that names no port would leave the keyer dead
            // without a word.
            abandonMessage();
            return reportLineError(platform::ParallelPort::addressErrorText(parallelAddressBox->text()));
        }
        if (!m_ptt.raiseParallel(static_cast<int>(base))) {
            // A parallel port that cannot be opened would leave the keyer
            // dead without a word: the message ends and the operator is told
            // why, once for it. The port is tried afresh by the next one.
            abandonMessage();
            m_state.hardware.parallel().close();
            return reportLineError(m_ptt.failureText());
        }
    }

    wavPlayer.play();
    endPollTimer.start();
    m_endShot.start(static_cast<int>(wavPlayer.lengthMs()) + 1);
    // A PTT line that cannot be keyed (a port without modem lines, an
    // adapter pulled out) is said once for each message, after the message
    // has started so that the box never holds the transmitter keyed; the
    // port is let go, and the next message opens it afresh.
    if (serialFailed) {
        const QString why = m_ptt.failureText();
        closePttPort();
        reportLineError(why);
    }
}

void VoiceKeyerWindow::reportUnplayableFile(const QString& path)
{
    // Said once for a file that stays unplayable for the same reason;
    // pressing its key again only beeps, so a key struck in a hurry does not
    // bring the box back.
    m_state.services.beeper.beep();
    const QString why = wavPlayer.errorText();
    if (m_unplayableReported.value(path) == why)
        return;
    m_unplayableReported.insert(path, why);
    m_state.services.prompt.message(path + QStringLiteral(": ") + why, UnplayableTitle);
}

void VoiceKeyerWindow::reportLineError(const QString& error)
{
    m_state.services.beeper.beep();
    m_state.services.prompt.message(QStringLiteral("The PTT line could not be keyed: ") + error,
                                    InvalidPortTitle);
}

void VoiceKeyerWindow::abandonMessage()
{
    // Whatever went wrong, the transmitter is not left keyed.
    wavPlayer.close();
    endPollTimer.stop();
    m_endShot.stop();
    m_ptt.dropAll();
}

void VoiceKeyerWindow::onEndPollTick()
{
    if (wavPlayer.mode() == platform::WavPlayer::ModePlaying)
        return;
    endPollTimer.stop();
    m_endShot.stop();
    m_ptt.dropAll();
    // The device gave up the message (busy, gone): PTT is down already, the
    // repeat ends and the operator is told why.
    if (const QString failure = wavPlayer.playbackFailure(); !failure.isEmpty()) {
        wavPlayer.close();
        m_state.keying.VoiceRepeatArmed = 0;
        tmrRepeat.stop();
        m_state.services.beeper.beep();
        m_state.services.prompt.message(
            QStringLiteral("The sound output failed (%1): the voice message was stopped.").arg(failure),
            UnplayableTitle);
        return;
    }
    // A timer of interval 0 never fires: the repeat waits for a time set.
    if (m_state.keying.VoiceRepeatArmed == 1 && tmrRepeat.interval() > 0)
        tmrRepeat.start();
}

void VoiceKeyerWindow::onRepeatTick()
{
    tmrRepeat.stop();
    int key = FirstKey;
    FKeyPhone(key);
}

int VoiceKeyerWindow::openPttPort() const
{
    if (m_commPhonePort <= 0 || m_state.hardware.serial(m_commPhonePort).connection() != m_commPhoneConnection)
        return 0;
    return m_commPhonePort;
}

void VoiceKeyerWindow::closePttPort()
{
    if (m_commPhonePort <= 0)
        return;
    m_ptt.forgetSerial(m_commPhonePort);
    // Closing the port lowers its lines; a port that is no longer the
    // keyer's stays with whoever has it now.
    if (openPttPort() > 0)
        m_state.hardware.serial(m_commPhonePort).close();
    m_commPhonePort = 0;
    m_commPhoneConnection = 0;
}

void VoiceKeyerWindow::OpenPTTPort()
{
    const auto port = portNumber(pttSerialPortBox->text());
    if (!port || *port <= 0 || m_state.keying.programEnding)
        return;
    // The keyers share the serial ports: the WinKey and the CW keying port
    // give theirs up before the push-to-talk port opens.
    keying::KeyingState& k = m_state.keying;
    if (k.WinKeyOpen != 0)
        KeyerPortClosers::run(k.closePort.winKey);
    KeyerPortClosers::run(k.closePort.cwKeyingPort);
    closePttPort();

    bool opened = false;
    QString inUse;
    if (const double whole = wholeNumber(*port); whole <= 32767) {
        const int number = static_cast<int>(whole);
        platform::SerialSettings settings;
        settings.dtrOn = false;
        settings.rtsOn = false;
        platform::SerialLink& link = m_state.hardware.serial(number);
        opened = link.open(number, settings, QStringLiteral("the voice keyer's PTT"));
        if (opened) {
            m_commPhonePort = number;
            m_commPhoneConnection = link.connection();
        } else {
            inUse = link.inUseText();  // the rig, the TNC or the WinKey keeps it
        }
    }
    if (opened)
        return;
    m_state.services.beeper.beep();
    m_state.services.prompt.message(platform::withPortHolder(InvalidPortText, inUse), InvalidPortTitle);
    if (!isVisible())
        showModal();
}

void VoiceKeyerWindow::releasePtt()
{
    wavPlayer.close();
    endPollTimer.stop();
    m_endShot.stop();
    tmrRepeat.stop();
    m_ptt.dropAll();
}

void VoiceKeyerWindow::endMessage()
{
    m_state.keying.VoiceRepeatArmed = 0;
    releasePtt();
}

void VoiceKeyerWindow::stopMessage()
{
    m_state.keying.VoiceRepeatArmed = 0;
    tmrRepeat.stop();
    if (wavPlayer.isPlaying())
        wavPlayer.stop();
}

void VoiceKeyerWindow::keyPressEvent(QKeyEvent* event)
{
    if (event->key() == Qt::Key_Escape && event->modifiers() == Qt::NoModifier) {
        stopMessage();
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);
}

void VoiceKeyerWindow::onUnload()
{
    releasePtt();
    closePttPort();
}

}  // namespace keying

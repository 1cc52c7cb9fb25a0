// Opening and closing the keyer, the settings sent to it, and the sender
// that hands CWSendBuffer to it a character at a time.

#include "keying/winkey_window.h"

#include "app/app_state.h"
#include "keying/keying_state.h"
#include "keying/winkey_link.h"
#include "platform/events.h"
#include "platform/serial_link.h"
#include "platform/typed_text.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace {

/// The keyer is paced by polling its status: one character, then this pause.
constexpr int CharacterPauseMs = 10;
constexpr int StatusPollMs = 10;

}  // namespace

void WinKeyWindow::onOpenClicked()
{
    keying::KeyingState& k = m_state.keying;
    // A click or a send still waiting when the program began to end must
    // not bring the keyer back: it would key on with no window left.
    if (k.programEnding)
        return;
    // The keyer takes the serial keying ports away from the other keyers.
    keying::KeyerPortClosers::run(k.closePort.voicePttPort);
    keying::KeyerPortClosers::run(k.closePort.cwKeyingPort);

    int version = 0;
    const int code = m_keyer.wk_open(version, WinKeyComPort);
    if (code != keying::WkAlreadyOpen && version == 0) {
        m_state.services.prompt.message(
            platform::withPortHolder(
                QStringLiteral("Unable to establish connection with WinKey on com port %1.  Please check to make sure "
                               "that you have specified the correct port and that the Winkey device is properly "
                               "connected.")
                    .arg(WinKeyComPort),
                m_keyer.portInUseText()),
            QStringLiteral("Unable to establish connection with Winkey."));
    }
    if (const auto text = keying::winKeyResultText(code))
        lblOpenStatus->setText(*text);
    if (code == keying::WkAlreadyOpen)
        return;
    ApplyWinKeySettings();
    if (version != 0) {
        k.WinKeyOpen = version;
        lblVersion->setText(QStringLiteral("Version # %1").arg(version));
    }
    focusDone();
}

void WinKeyWindow::onCloseClicked()
{
    m_keyer.wk_close();
    lblOpenStatus->setText(QStringLiteral("Closed"));
    lblVersion->setText(QStringLiteral("Version #"));
    m_state.keying.WinKeyOpen = 0;
    focusDone();
}

void WinKeyWindow::focusDone()
{
    if (isVisible())
        cmdDone->setFocus();
}

void WinKeyWindow::ApplyWinKeySettings()
{
    onSpeedLostFocus();
    onWeightLostFocus();
    onLeadOrTailLostFocus(txtLeadIn);
    onRatioLostFocus();
    m_keyer.wk_pincfg(WinKeyPinConfig);
    m_keyer.wk_setmode(WinKeyKeyerMode);
}

void WinKeyWindow::Capital(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 'a' - 'A';
}

void WinKeyWindow::WKTransmit()
{
    keying::KeyingState& k = m_state.keying;
    if (k.programEnding) {
        k.CWSendBuffer.clear();
        return;
    }
    if (k.WinKeyOpen == 0) {
        onOpenClicked();
        if (k.WinKeyOpen == 0) {
            k.CWSendBuffer.clear();
            return;
        }
    }
    while (!k.CWSendBuffer.isEmpty()) {
        if (!waitForRoom())
            return;
        // Esc or Stop may have emptied the buffer during the wait.
        if (k.CWSendBuffer.isEmpty())
            continue;
        const QChar c = k.CWSendBuffer.front();
        k.CWSendBuffer.remove(0, 1);
        // "!" is the log step's mark, which the CW window has acted on; it
        // has no Morse. The keyer takes the rest unchanged, but for control
        // codes, which it would take as commands (see WinKeyLink::wk_char).
        if (c != QLatin1Char('!'))
            m_keyer.wk_char(c.unicode());
        if (m_keyer.keyerLost()) {
            keyerLost();
            return;
        }
        platform::waitMs(CharacterPauseMs);
    }
}

bool WinKeyWindow::waitForRoom()
{
    keying::KeyingState& k = m_state.keying;
    k.WinKeyStatus = m_keyer.wk_getstatus();
    while (k.WinKeyStatus >= keying::WinKeyFull) {
        platform::waitMs(StatusPollMs);
        platform::letPendingEventsRun();
        if (k.WinKeyOpen != 0 && m_keyer.keyerLost()) {
            keyerLost();
            return false;
        }
        // Closed meanwhile: by Close, by the voice keyer taking the port, or
        // by the main window closing. The rest of the message is dropped.
        if (k.programEnding || k.WinKeyOpen == 0 || !m_keyer.isOpen()) {
            k.CWSendBuffer.clear();
            return false;
        }
        k.WinKeyStatus = m_keyer.wk_getstatus();
    }
    return true;
}

void WinKeyWindow::keyerLost()
{
    // A keyer that stops answering would hold the message, and the window,
    // for ever: the message ends here and the operator is told why.
    const int port = m_keyer.portNumber();
    const bool portLost = m_keyer.portLost();
    m_state.keying.CWSendBuffer.clear();
    onCloseClicked();
    m_state.services.beeper.beep();
    const QString text =
        portLost ? QStringLiteral("Com port %1 of the WinKey was closed, so the message was not sent and the keyer "
                                  "was closed.  Please open the keyer again.")
                 : QStringLiteral("The WinKey on com port %1 stopped answering, so the rest of the message was not "
                                  "sent and the keyer was closed.  Please check that the Winkey device is connected "
                                  "and powered, then open it again.");
    m_state.services.prompt.message(text.arg(port), QStringLiteral("WinKey not answering"));
}

void WinKeyWindow::appendAndSend(const QString& text)
{
    QString& buffer = m_state.keying.CWSendBuffer;
    const bool wasEmpty = buffer.isEmpty();
    buffer += text;
    // A sender already running takes the new text with the rest.
    if (wasEmpty)
        WKTransmit();
}

void WinKeyWindow::onTestClicked()
{
    appendAndSend(QStringLiteral("VVV TEST DE ") + m_state.prefs.MyCall);
    focusDone();
}

void WinKeyWindow::onBufferTestClicked()
{
    QString text;
    for (int i = 0; i < 3; ++i)
        text += QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
    appendAndSend(text);
}

void WinKeyWindow::onStopClicked()
{
    stopSending();
    focusDone();
}

void WinKeyWindow::stopSending()
{
    m_keyer.wk_clearbuf();
    m_state.keying.CWSendBuffer.clear();
}

void WinKeyWindow::hideEndingItsSends()
{
    // The window's Stop goes with it: what its tests and its typing box
    // handed over must not go on keying with no window left to stop it.
    const keying::KeyingState& k = m_state.keying;
    const bool keyerSending = k.WinKeyOpen != 0 && m_keyer.isOpen() && !m_keyer.keyerLost() &&
                              m_keyer.wk_getstatus() > keying::WinKeyIdle;
    if (!k.CWSendBuffer.isEmpty() || keyerSending)
        stopSending();
    hide();
}

void WinKeyWindow::onTypingBoxKeyPress(int& KeyAscii)
{
    Capital(KeyAscii);
    // Backspace, Tab and Enter stay in the box.
    if (KeyAscii <= 13)
        return;
    const QString character(QChar(static_cast<char16_t>(KeyAscii)));
    KeyAscii = 0;
    sendTyped(character);
}

void WinKeyWindow::onTypingBoxPaste(const QString& text)
{
    // A paste holds no control character: what typing it leaves is its
    // letters in capitals.
    sendTyped(platform::typeInto({}, text, [](int& KeyAscii, QString&) { Capital(KeyAscii); }));
}

void WinKeyWindow::sendTyped(const QString& text)
{
    if (text.isEmpty())
        return;
    // The box shows what was sent, typed or pasted alike.
    typingBox->setText(typingBox->text() + text);
    appendAndSend(text);
}

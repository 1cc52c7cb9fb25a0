#include "keying/cw_sender.h"

#include "keying/winkey_driver.h"

namespace keying {

namespace {
template <typename F, typename... A>
void call(const F& f, A&&... args)
{
    if (f)
        f(std::forward<A>(args)...);
}
}  // namespace

void CwSender::FKeyCW(int keyCode)
{
    m_state.CWSendBuffer.clear();
    if (m_state.CWKeyingOption != 0) {
        const int index = messageIndexForKey(keyCode);
        const QString text = (index >= 0 && m_hooks.message) ? m_hooks.message(index) : QString();
        if (keyCode == 112 && m_hooks.repeatSeconds && m_hooks.repeatSeconds() > 0)
            m_state.CWRepeatArmed = 1;
        if (!text.isEmpty()) {
            MacroValues values = m_hooks.macroValues ? m_hooks.macroValues() : MacroValues{};
            m_state.CWSendBuffer += expandCwMacros(text, values);
            call(m_hooks.messageStarts);
            LoopThroughCWBuffer();
        }
    }
    // Inside a running loop the events run there, between characters.
    if (!m_loopRunning)
        call(m_hooks.letEventsRun);
}

void CwSender::stopSending()
{
    m_state.CWRepeatArmed = 0;
    if (m_state.CWKeyingOption == WinKeyOption && m_state.WinKeyOpen != 0 && m_state.winKey &&
        m_state.winKey->keyerSending())
        m_state.winKey->wk_clearbuf();
    m_state.CWSendBuffer.clear();
}

void CwSender::LoopThroughCWBuffer()
{
    // Once the program is ending nothing is keyed: a repeat tick, a typed
    // key or a paste still waiting in the event queue finds the sender shut.
    if (m_state.programEnding) {
        m_state.CWSendBuffer.clear();
        return;
    }
    if (!m_state.CWSendBuffer.isEmpty() && m_state.CWKeyingOption != 0)
        call(m_hooks.takeTransmitter);
    if (m_state.CWKeyingOption == WinKeyOption)
        winKeyPath();
    else
        portLoop();
}

void CwSender::winKeyPath()
{
    // The keyer takes the whole message at once, so a "!" logs before any
    // of it goes out.
    if (m_state.CWSendBuffer.contains(QLatin1Char('!')))
        call(m_hooks.logStep);
    if (m_state.winKey)
        m_state.winKey->WKTransmit();
    else
        m_state.CWSendBuffer.clear();
    if (m_state.CWRepeatArmed == 1)
        call(m_hooks.startRepeatWhenKeyerDone);
}

void CwSender::portLoop()
{
    if (m_loopRunning)
        return;
    m_loopRunning = true;
    call(m_hooks.messageStarts);
    m_state.CWSendingFlag = 1;
    const auto stopping = [this] {
        return m_state.programEnding || (m_hooks.stopRequested && m_hooks.stopRequested());
    };
    while (!m_state.CWSendBuffer.isEmpty()) {
        const QChar c = m_state.CWSendBuffer.front();
        m_state.CWSendBuffer.remove(0, 1);
        call(m_hooks.transmit, c);
        if (stopping()) {
            m_state.CWSendBuffer.clear();
            break;
        }
        if (m_hooks.mirrorOn && m_hooks.mirrorOn())
            call(m_hooks.setDialog, m_state.CWSendBuffer);
        // The events run at the start of the character's trailing gap, with
        // the line up; the wait for the gap's end follows on the same
        // timeline, so the next character is keyed on time.
        call(m_hooks.letEventsRun);
        call(m_hooks.finishCharacter);
    }
    if (m_state.CWRepeatArmed == 1)
        call(m_hooks.startRepeatTimer);
    m_state.CWSendingFlag = 0;
    m_loopRunning = false;
    if (m_hooks.mirrorOn && m_hooks.mirrorOn()) {
        call(m_hooks.setDialog, m_state.KeyboardCWMode == 1
                                    ? QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.")
                                    : QString());
    }
}

}  // namespace keying

#pragma once
// The CW sender: a function key's message into the shared send buffer
// (FKeyCW), and the loop that drains the buffer (LoopThroughCWBuffer), one
// character at a time through the keying engine with events let run between
// characters, or all at once to the WinKey keyer.
//
// A new message asked for while the loop runs (a function key, the Test
// button) replaces the buffer and is sent by the loop already running, from
// the next character boundary: the old remainder is dropped, the flag
// drops to 0 once, at the very end, and the loops never nest.
//
// The sender knows no window: what it reads and does outside the keying
// state comes through its hooks, which the CW window fills.

#include "keying/cw_macros.h"
#include "keying/keying_state.h"

#include <QString>
#include <functional>

namespace keying {

struct CwSenderHooks {
    /// The text of message box 0 to 10 (F1 to F9, F10, F11).
    std::function<QString(int index)> message;
    /// The F1 repeat pause in seconds (0 when the box holds no number).
    std::function<double()> repeatSeconds;
    /// The wildcards' values, read when a message is expanded.
    std::function<MacroValues()> macroValues;
    /// Keys one character through the engine ("!" runs the log step there)
    /// and returns at the start of its trailing gap, the line up.
    std::function<void(QChar)> transmit;
    /// The "!" action: logs the contact in the open main window when its
    /// call box is not empty.
    std::function<void()> logStep;
    /// "Display CW text on main form" is ticked.
    std::function<bool()> mirrorOn;
    /// Sets the open main window's dialog line.
    std::function<void(const QString&)> setDialog;
    /// Starts the F1 repeat pause: at once after the port loop, which
    /// returns when the message has been keyed.
    std::function<void()> startRepeatTimer;
    std::function<void()> letEventsRun;
    /// A new message starts (its port failures are reported afresh).
    std::function<void()> messageStarts;
    /// Starts the F1 repeat pause after the WinKey path, which returns once
    /// the keyer holds the message: the pause is counted from the moment the
    /// keyer reports it has sent it all.
    std::function<void()> startRepeatWhenKeyerDone;
    /// Waits out the rest of the character's trailing gap on its timeline.
    std::function<void()> finishCharacter;
    /// The program is ending: nothing more is keyed.
    std::function<bool()> stopRequested;
    /// Text is about to be keyed: whatever else keys the transmitter (a
    /// voice message playing) ends first.
    std::function<void()> takeTransmitter;
};

class CwSender {
public:
    static constexpr int WinKeyOption = 5;

    CwSender(KeyingState& state, CwSenderHooks hooks) : m_state(state), m_hooks(std::move(hooks)) {}

    /// The message of a function key (see messageIndexForKey); empties the
    /// buffer first, whatever follows.
    void FKeyCW(int keyCode);
    /// Sends what is in CWSendBuffer; with a port, returns once the buffer
    /// is empty (at once when the loop is already running further up).
    void LoopThroughCWBuffer();

    /// Stops what is being sent and its F1 repeat: the repeat is disarmed,
    /// a busy WinKey keyer drops what it holds, and the buffer is emptied,
    /// so a running port loop ends after the character it is keying. The
    /// caller stops the repeat's timers.
    void stopSending();

    [[nodiscard]] bool loopRunning() const { return m_loopRunning; }

private:
    void portLoop();
    void winKeyPath();

    KeyingState& m_state;
    CwSenderHooks m_hooks;
    bool m_loopRunning = false;
};

}  // namespace keying

#pragma once
// The keying state shared by the main windows and the keyers: what is
// waiting to be sent, whether the port sender is running, which interface
// keys, the repeat flags and the WinKey keyer's status.

#include <QString>
#include <functional>

namespace keying {

class WinKeyDriver;

/// The keyers share the serial ports by closing one another's: opening the
/// voice keyer's push-to-talk port closes the WinKey and the CW keying port,
/// the CW window's port set-up closes the push-to-talk port, and opening the
/// WinKey closes the push-to-talk port and the CW keying port. Each keyer
/// puts here how its own port is closed (line up first) when it is
/// installed; the others call it before they open theirs. An empty slot
/// means that keyer is not part of the program and holds nothing.
struct KeyerPortClosers {
    std::function<void()> cwKeyingPort;  ///< the CW window's RTS/DTR port
    std::function<void()> voicePttPort;  ///< the voice keyer's push-to-talk port
    std::function<void()> winKey;        ///< the WinKey keyer

    static void run(const std::function<void()>& close)
    {
        if (close)
            close();
    }
};

/// One transmitter, two keyers: a keyer that is about to key a message ends
/// the other keyer's message first, as Esc would, so that the two never go
/// out together (a voice message under CW keying would be played while the
/// CW keyer takes its PTT port away; a voice PTT left up would hold the
/// transmitter keyed under the CW). Each keyer puts here how its own
/// message is ended when it is installed; an empty slot means that keyer is
/// not part of the program.
struct KeyerMessageEnders {
    /// The CW message being sent: the buffer emptied (a running port loop
    /// ends after the character it is keying, the line up), the F1 repeat
    /// disarmed and its timers stopped, a busy WinKey keyer emptied.
    std::function<void()> cwMessage;
    /// The voice message playing: playback stopped, PTT dropped at once,
    /// the F1 repeat disarmed.
    std::function<void()> voiceMessage;
};

struct KeyingState {
    QString CWSendBuffer;        ///< characters waiting to be keyed
    int CWSendingFlag = 0;       ///< 1 while the serial or parallel port sender runs
    int CWKeyingOption = 0;      ///< 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 WinKey
    int CWRepeatArmed = 0;       ///< 1 while the F1 CW message repeats
    int VoiceRepeatArmed = 0;    ///< 1 while the F1 voice message repeats
    int WinKeyOpen = 0;          ///< 0 while the WinKey is closed, else its version
    long WinKeyStatus = 0;       ///< last status read from the keyer
    int KeyboardCWMode = 0;      ///< 1 while typed characters are sent as CW (F12)
    /// Set once the program has begun to end (the main window closing,
    /// Exit, an end signal) and never cleared. From then on nothing is
    /// keyed and no keyer opens its port again, whatever sender, repeat or
    /// paste is still running below the ending: each gives up at once.
    bool programEnding = false;

    KeyerPortClosers closePort;
    KeyerMessageEnders endMessage;
    /// The WinKey keyer's side of the CW sender, registered by the WinKey
    /// support when it is installed (see keying/winkey_driver.h); null
    /// without it, and the WinKey interface then sends nothing.
    WinKeyDriver* winKey = nullptr;
};

}  // namespace keying

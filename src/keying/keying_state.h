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
    /// The WinKey keyer's side of the CW sender, registered by the WinKey
    /// support when it is installed (see keying/winkey_driver.h); null
    /// without it, and the WinKey interface then sends nothing.
    WinKeyDriver* winKey = nullptr;
};

}  // namespace keying

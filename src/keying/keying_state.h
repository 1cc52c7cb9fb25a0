#pragma once
// The keying state shared by the main windows and the keyers: what is
// waiting to be sent, whether the port sender is running, which interface
// keys, the repeat flags and the WinKey keyer's status.

#include <QString>

namespace keying {

struct KeyingState {
    QString CWSendBuffer;        ///< characters waiting to be keyed
    int CWSendingFlag = 0;       ///< 1 while the serial or parallel port sender runs
    int CWKeyingOption = 0;      ///< 0 none, 1 RTS, 2 DTR, 3 parallel port, 5 WinKey
    int CWRepeatArmed = 0;       ///< 1 while the F1 CW message repeats
    int VoiceRepeatArmed = 0;    ///< 1 while the F1 voice message repeats
    int WinKeyOpen = 0;          ///< 0 while the WinKey is closed, else its version
    long WinKeyStatus = 0;       ///< last status read from the keyer
    int KeyboardCWMode = 0;      ///< 1 while typed characters are sent as CW (F12)
};

}  // namespace keying

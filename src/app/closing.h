#pragma once
// The steps of closing the main window that need no window: the close
// request, the automatic backup and banking a running operating-time clock.
//
// The main window runs them in this order: the close request
// (closeRequestRefused); when it was not refused, the unloading of the
// satellite windows followed by BackupLog; at the termination
// bankRunningOperatingTime and the end of the program. File > Exit runs
// only bankRunningOperatingTime and ends the program.

#include "log/log_maintenance.h"

namespace keying {
struct KeyingState;
}

namespace app {

struct AppState;

/// The close request: empties the CW send buffer, so that a message being
/// keyed through a port stops after its current character, and returns true
/// while the port sender is still running, when the close must be refused.
/// The operator's next close then goes through. Sending through a WinKey
/// keyer never refuses a close.
[[nodiscard]] bool closeRequestRefused(keying::KeyingState& keying);

/// The program has begun to end (the main window unloading, Exit, an end
/// signal): the CW send buffer is emptied, the repeats disarmed, and from
/// now on nothing keys or opens a keyer port again. A send loop, a repeat
/// or a paste still running below the ending then gives up, so the event
/// loop can end and the program with it.
void stopKeyingForGood(keying::KeyingState& keying);

/// The automatic backup of the unloading: when the log holds contacts and
/// their number differs from the one first loaded in this run, log.txt is
/// copied into the backup folder of the user data folder under the date and
/// time of the clock's local now. Silent; leaves the program folder current.
contactlog::BackupResult BackupLog(AppState& state);

/// Exit and the termination: when the operating-time clock runs, banks it
/// into BankedOpSeconds, saves the preferences and stops it. Returns true
/// when it banked; with the clock stopped nothing is written.
bool bankRunningOperatingTime(AppState& state);

}  // namespace app

#pragma once
// Duplicate checks. A duplicate repeats a logged contact's call, band, mode
// and county received; in the in-state window also the operator's own county
// (MyCounty against LogCountySent). Every comparison ignores letter case and
// trims nothing. Records are scanned from 1 upward.
//
// - DupCheck: the blocking check of the logging routine.
// - DupCheck2: on leaving the call box; lists the call's earlier contacts,
//   fills empty boxes, warns (without blocking) about the call on this band
//   and mode; in-state it runs DupCheck at once for a station outside the
//   party state.
// - PartialCallCheck: per keystroke in the call box, the possible-duplicates line.
// - The hold after an in-state duplicate: three seconds on the monotonic clock.

#include "log/log_state.h"

#include <QString>
#include <functional>
#include <optional>
#include <vector>

namespace platform {
class Clock;
}

namespace contactlog {

/// Which window's rules apply.
enum class WindowKind { OutOfState, InState };

/// What the checks compare the log with.
struct DupeKey {
    WindowKind window = WindowKind::OutOfState;
    QString CurrentBand;
    QString CurrentMode;
    QString MyCounty;    ///< in-state only
    QString PartyState;  ///< in-state only (DupCheck2)
};

/// The entry boxes the checks read and may fill.
struct DupeEntry {
    QString call;    ///< txtCall
    QString county;  ///< txtSec
    QString spc;     ///< txtCntry (in-state)
};

/// True when record r repeats the entry on the key (call, band, mode, county
/// and, in-state, the own county).
[[nodiscard]] bool isDuplicateOf(const ContactRecord& r, const DupeEntry& entry, const DupeKey& key);

struct DupCheckResult {
    DupeEntry entry;            ///< the boxes after the check (an empty box filled from the log)
    bool countyFilled = false;  ///< the county box was filled: select its whole text
    bool spcFilled = false;     ///< in-state: the SPC box was filled
    int dupeRecord = 0;         ///< the duplicate record, 0 when none
    QString message;            ///< the red message for lblDialog when a duplicate was found
    [[nodiscard]] bool isDupe() const { return dupeRecord > 0; }
};

/// The blocking check's rule. Pure: sets no flag.
[[nodiscard]] DupCheckResult findDuplicate(const ContactLog& log, const DupeEntry& entry, const DupeKey& key);

/// The blocking check: findDuplicate, then DupeFlag (and on a duplicate
/// DupeTime / DupeTimeMs from clock). On a duplicate the window shows the red
/// message, beeps, plays "Dupe" (waiting while it plays only when voice
/// navigation is on) and empties the entry boxes.
DupCheckResult DupCheck(LogState& state, const DupeEntry& entry, const DupeKey& key, const platform::Clock& clock);

/// The duplicate message naming record i.
[[nodiscard]] QString duplicateMessage(const ContactLog& log, int i, WindowKind window);
/// The leaving-the-call-box warning naming record i.
[[nodiscard]] QString duplicateWarning(const ContactLog& log, int i, WindowKind window);

struct LeaveCallResult {
    DupeEntry entry;            ///< boxes after the scan
    bool countyFilled = false;
    bool spcFilled = false;
    /// With "List Previous Contacts" ticked: the records to list in place of
    /// the contact list's rows, in this order (ascending).
    std::vector<int> listRows;
    int warningRecord = 0;   ///< record named by the warning, 0 for none
    QString warning;         ///< red text for lblDialog
    int warningBeeps = 0;    ///< one beep per warning given
    /// In-state: the blocking check run during the scan, when it found a duplicate.
    std::optional<DupCheckResult> blocking;
};

/// DupCheck2, on leaving a non-empty call box. listPrevious is the ticked
/// state of "List Previous Contacts". In-state, DupeFlag is cleared first and
/// set by a blocking duplicate found during the scan.
LeaveCallResult DupCheck2(LogState& state, const DupeEntry& entry, const DupeKey& key, bool listPrevious,
                          const platform::Clock& clock);

/// One keystroke's possible-duplicates outcome.
struct PartialCallResult {
    QString dupeList;              ///< lblDupe caption ("" for none); teal background when not empty
    std::optional<QString> dialog; ///< new lblDialog caption, when the keystroke sets one
    bool beep = false;             ///< "The second or third character is not numeric!"
};

/// PartialCallCheck for key code k typed into a call box holding callText
/// (before the key is added). The list holds the earliest matching contacts
/// of the current band and mode (in-state also own county) until it passes
/// 100 characters, shown newest of them first.
[[nodiscard]] PartialCallResult PartialCallCheck(const LogState& state, const QString& callText, int k,
                                                 const DupeKey& key);

/// Sets DupeTime / DupeTimeMs to now. The window calls it again once the
/// "Dupe" prompt has ended, so the hold counts from the end of the prompt.
void StampDupeTime(LogState& state, const platform::Clock& clock);

/// Milliseconds left of the three-second hold after a duplicate (0 to 3000).
[[nodiscard]] qint64 dupeHoldRemainingMs(const LogState& state, qint64 nowMonotonicMs);

/// HoldAfterDupe: waits, without letting events run, until three seconds
/// after the duplicate on the monotonic clock, then clears DupeFlag. pauseMs
/// sleeps the given milliseconds (a test advances its clock instead); the
/// wait is bounded: three seconds of pauses at most, and it stops when the
/// clock did not move over a pause (a test's hand-set clock).
void HoldAfterDupe(LogState& state, const platform::Clock& clock,
                   const std::function<void(qint64)>& pauseMs = {});

/// Waits without letting events run while isPlaying() is true, at most
/// maxMs on the monotonic clock (the "Dupe" prompt). Returns at once when the
/// prompt is not playing (it could not be played), and stops when the clock
/// did not move over a pause.
void waitWhilePlaying(const std::function<bool()>& isPlaying, const platform::Clock& clock,
                      qint64 maxMs = 5000, const std::function<void(qint64)>& pauseMs = {});

}  // namespace contactlog

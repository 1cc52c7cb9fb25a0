#pragma once
// Changes since first published: LogAttemptResult has no points (the window
// scores a stored contact with scoreStoredContact, or in-state with
// applyStoredInStateContact); buildContactRecord takes the rig frequency.
//
// Logging one contact: the checks of an entry and the store of a contact
// that passes, for both main windows. attemptLogContact does the rule work
// (flags, record, append) and returns what the window shows, in the
// order the window applies it:
//
//   1. postContest failed: show result.notices (one), beep, stop. Nothing
//      else changed (RigFrequencyText kept).
//   2. runTimeOn: run onTimeOnClicked (Time On) before anything else is shown.
//   3. Put result.entry into the boxes (a county abbreviation expanded, a box
//      filled from an earlier contact is selected, in-state county emptied).
//   4. For each notice in order: beep, lblDialog = text (red background when
//      red), focus to its field. The last one stays.
//   5. dupe: lblDupe back to button face and emptied, play "Dupe" (wait while
//      it plays only when voice navigation is on), empty the entry boxes.
//   6. stored == Logged: the record is in memory and in log.txt, not yet
//      scored. lblDialog teal and empty, lblDupe face and empty; score it and
//      count its county (out-of-state: scoreStoredContact; in-state:
//      applyStoredInStateContact, which also marks the section and the DX
//      country and gives a rover's copy no points); refresh the contact list
//      and the next serial and the county lists; let pending events run;
//      ShowScore.
//      stored == LogFull / WriteFailed: the notice says why; nothing was
//      logged or counted and the entry stays in the boxes for another Enter.
//   7. clearEntry: empty txtRSTS, txtCntry, txtCall, txtRSTR, txtSec, the
//      continent/bearing/distance labels (in-state: disable the county
//      heading), focus to txtCall.
//   8. Let pending events run, lblDupe face and empty, ShowQSORate.
//   (RigFrequencyText is already emptied by the call.)

#include "log/county_table.h"
#include "log/dupe_checks.h"
#include "log/log_state.h"

#include <QDateTime>
#include <QString>
#include <optional>
#include <vector>

namespace platform {
class Clock;
}

namespace contactlog {

/// The entry field a check moves the focus to.
enum class EntryField { Unchanged, Call, Serial, Spc, County };

/// One message of a check: each one beeps.
struct DialogNotice {
    QString text;
    EntryField focus = EntryField::Unchanged;
    bool red = false;  ///< duplicate messages stand on red
};

/// The moment and rig frequency of a contact logged once more (a rover's
/// copy of a contact for a further county): the copy is the same contact, so
/// it keeps them whatever the clock, the post-contest boxes or the rig say
/// by the time it is stored.
struct ContactStamp {
    QString LogDate;
    QString LogTime;
    QString LogFrequency;
};

/// What the operator typed, and the window's labels the routine reads.
struct EntryValues {
    QString call;         ///< txtCall
    QString serialRcvd;   ///< txtRSTR
    QString county;       ///< txtSec
    QString spc;          ///< txtCntry (in-state; ignored out-of-state)
    QString nextSerial;   ///< nextSerialLabel caption
    bool postContestShown = false;  ///< txtPostConTime / txtPostConDate visible
    QString postConDate;
    QString postConTime;
    /// Set for a contact logged once more: its date, time and frequency are
    /// stored as they are, the post-contest check is skipped and the rig's
    /// latest frequency is left for the next new contact.
    std::optional<ContactStamp> stamp;
};

/// The station values and tables the routine needs.
struct LoggingContext {
    WindowKind window = WindowKind::OutOfState;
    QString CurrentBand;
    QString CurrentMode;
    QString MyCounty;    ///< in-state: stored as LogCountySent and part of the dupe key
    QString PartyState;  ///< in-state
    float UtcOffsetHours = 0;
    const CountyTable* counties = nullptr;
    /// In-state: the state/province abbreviations (StateProvAbbrev, table order).
    const std::vector<QString>* stateProvAbbrevs = nullptr;
    QString logPath;  ///< log.txt in the program folder
};

enum class StoreOutcome {
    NotStored,    ///< a check failed (or a duplicate)
    Logged,       ///< stored, scored and appended
    LogFull,      ///< the log holds MaxContacts; refused
    WriteFailed,  ///< log.txt could not be appended; the record was taken back out of memory
};

struct LogAttemptResult {
    bool postContestFailed = false;
    QString postConDate;  ///< the boxes' rewritten texts (when shown)
    QString postConTime;
    bool runTimeOn = false;      ///< the clock was stopped: click Time On first
    EntryValues entry;           ///< the boxes after the checks
    bool countySelected = false; ///< county filled from the log: select its text
    bool spcSelected = false;
    bool continentNA = false;    ///< in-state: a valid section sets an empty continent label to "NA"
    std::vector<DialogNotice> notices;
    int dupeRecord = 0;          ///< the blocking duplicate, 0 when none
    StoreOutcome stored = StoreOutcome::NotStored;
    int recordNumber = 0;        ///< the stored record's number
    QString writeError;          ///< the system's description when the append failed
    bool clearEntry = false;     ///< step 7 above
};

/// "Need County!", "Need Serial!", "Need Call Sign!" (and in-state "Need
/// Country!"), in the order of the checks; sets NeedFieldFlag.
std::vector<DialogNotice> CheckRequiredFields(LogState& state, const EntryValues& entry, const LoggingContext& ctx);

/// Sets CountyInvalidFlag; a notice "<county> is not a valid county!" when the
/// county is not a name of the table (letter case ignored).
std::vector<DialogNotice> CheckCounty(LogState& state, const QString& county, const CountyTable& table);

/// In-state: sets SectionInvalidFlag; "Invald Section!" when spc is not an
/// abbreviation of the state/province table (letter case ignored).
std::vector<DialogNotice> CheckSection(LogState& state, const QString& spc,
                                       const std::vector<QString>& stateProvAbbrevs);

/// The record a passing entry becomes (the fields each window fills).
/// LogDate/LogTime are the contest's UTC (local plus UtcOffsetHours), or the
/// post-contest boxes' texts while they are shown, or the entry's stamp.
[[nodiscard]] ContactRecord buildContactRecord(const EntryValues& entry, const LoggingContext& ctx,
                                               int n, const QDateTime& nowLocal,
                                               const QString& rigFrequencyText);

/// What scoring a stored contact changed.
struct ScoredContact {
    int points = 0;            ///< 0, 2 or 3
    bool countyAdded = false;  ///< its county is newly worked
};

/// Out-of-state: after a contact was stored, adds the newest record's points
/// and mode count and moves its county to the counties worked.
ScoredContact scoreStoredContact(LogState& state);

/// The message of the refused 11,001st contact.
[[nodiscard]] QString logFullMessage();

/// One logging attempt (the window's Mains), on the entry as typed.
/// nowLocal is the computer's local date and time; clock stamps a duplicate.
/// Sets the four check flags, stores and appends a passing contact (a
/// contact that cannot be appended is taken back out of memory), and empties
/// RigFrequencyText unless the post-contest check failed or the entry is a
/// stamped copy. In-state, a county
/// abbreviation is expanded before the duplicate check, so a duplicate typed
/// by its abbreviation is still found.
[[nodiscard]] LogAttemptResult attemptLogContact(LogState& state, const EntryValues& entry,
                                                 const LoggingContext& ctx, const QDateTime& nowLocal,
                                                 const platform::Clock& clock);

}  // namespace contactlog

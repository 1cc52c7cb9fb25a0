#pragma once
// Points, totals, counties worked and the claimed score.
//
// Points: 2 for a phone contact, 3 for CW or any other mode (digital); none,
// and no mode count, when both the call and the received serial equal those
// of the contact just before it (letter case ignored). The first contact of
// the log is compared with the empty record 0 and always scores.

#include "log/county_table.h"
#include "log/log_state.h"

#include <QString>
#include <optional>

namespace contactlog {

/// Points record cur earns after record prev: 0, 2 or 3.
[[nodiscard]] int contactPoints(const ContactRecord& prev, const ContactRecord& cur);

/// Adds the points and the mode count of record n (compared with record n - 1).
/// Returns the points added.
int scoreRecord(LogTotals& totals, const ContactLog& log, int n);

/// Zeroes the totals and recounts them over the whole log.
void RecountTotals(LogTotals& totals, const ContactLog& log);

/// The reload's first steps: LoadLog from path, then the resets of a load
/// (points, multiplier count, MultWorkedTable rows 1..100 columns 1..8, the
/// seven DX lists) and of the reload (the three mode counts), then the points
/// recount. On failure nothing changes and the caller ends the program with
/// "Error opening file." (title "File Error").
[[nodiscard]] LogReadError ReloadAndRecount(LogState& state, const QString& logPath);

/// Rebuilds the counties worked and to go from the whole log. With onlyMode
/// set (in-state "Crnt Mode") only contacts of that mode count.
[[nodiscard]] CountyLists RebuildCountyLists(const ContactLog& log, const CountyTable& table,
                                             const std::optional<QString>& onlyMode = std::nullopt);

/// Moves county to the worked list (unless already there) and removes the
/// first equal entry of the to-go list. Empty counties are ignored. Returns
/// true when the worked list grew.
bool AddCountyWorked(CountyLists& lists, const QString& county);

/// "Counties Worked - n" / "Counties To Go - n" (out-of-state headings).
[[nodiscard]] QString countiesWorkedHeading(const CountyLists& lists);
[[nodiscard]] QString countiesToGoHeading(const CountyLists& lists);

/// Claimed score: multipliers times QSO points.
[[nodiscard]] double claimedScore(int multipliers, float qsoPoints);

/// A count in the pattern "###,##0" (thousands separator of the locale, no
/// decimals); also right for "###,###,###,##0".
[[nodiscard]] QString formatCount(double value);

/// The out-of-state score panel's five texts.
struct ScoreTexts {
    QString lblTotCon;    ///< phone contacts
    QString lblSectogo;   ///< CW contacts
    QString qsoPoints;      ///< QSO points
    QString lblTotSec;    ///< multipliers
    QString lblTotScore;  ///< claimed score
};
[[nodiscard]] ScoreTexts scoreTexts(const LogTotals& totals, int multipliers);

}  // namespace contactlog

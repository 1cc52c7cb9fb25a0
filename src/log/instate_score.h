#pragma once
// The in-state window's multipliers and score. For an operator inside the
// party state the multipliers are the 58 states and provinces of the
// state/province table ("sections"); counties and DX countries are listed
// but are no multipliers, so the claimed score is QSO points times sections
// worked.
//
// Two ways of keeping them, which must agree: a rebuild from the whole log
// (after every reload) and small updates after each stored contact. The
// points, the mode counts, the county lists and the score texts are the
// shared rules of log_totals.h; this unit adds what only the in-state window
// has. All comparisons ignore letter case.

#include "log/county_table.h"
#include "log/log_state.h"
#include "log/log_totals.h"

#include <QRect>
#include <QString>
#include <QStringList>
#include <optional>
#include <span>
#include <vector>

namespace contactlog {

/// One section: a state, or a Canadian province or group of provinces.
struct StateProvEntry {
    QString StateProvAbbrev;  ///< two letters, the caption of its grid label
    QString StateProvName;    ///< the grid label's tooltip
    int block = 0;            ///< heading block of the grid: 0..9, or 10 for Canada
    QRect grid;               ///< its label in the in-state window, twips of the design screen
};

/// Rows 1..StateProvCount of the table.
constexpr int StateProvCount = 58;
/// The 50 states (the party state, CA, among them) then MR, QC, ON, MB, SK,
/// AB, BC and NT; row r is StateProvTable()[r - 1].
[[nodiscard]] std::span<const StateProvEntry, StateProvCount> StateProvTable();

/// The 58 abbreviations in table order (what the section check takes).
[[nodiscard]] const std::vector<QString>& StateProvAbbrevs();

/// The row (1..58) whose abbreviation equals abbrev, 0 when none.
[[nodiscard]] int findStateProvRow(const QString& abbrev);

/// True when MultWorkedTable row marks a section worked (any of columns 1..7).
[[nodiscard]] bool sectionWorked(const LogState& state, int row);

/// After a stored contact whose SPC is shorter than four characters: marks
/// its section worked on the first match. Returns the row newly worked (its
/// label takes the worked colour; MultiplierCount has grown by one), or 0
/// when the SPC is no section or the section was worked already.
int MarkSectionWorked(LogState& state, const QString& spc);

/// Sets column 1 of the row of every logged SPC shorter than four characters.
void RebuildSectionFlags(LogState& state);

/// Recounts MultiplierCount (rows 1..99 worked) and returns the rows 1..58
/// worked, whose labels take the worked colour.
std::vector<int> ShowSectionsWorked(LogState& state);

/// The DX countries worked of the window's list: every SPC of four or more
/// characters once, as first logged.
[[nodiscard]] DXWorkedList RebuildDXList(const ContactLog& log);

/// Adds spc to the list unless an equal entry is there; true when added
/// (then the list's heading is set again).
bool AddDXWorked(DXWorkedList& list, const QString& spc);

/// Fills DXWorkedLists[0] with the countries worked on CW and [1] with those
/// worked on PH (SPC longer than three characters, each once, at most 1,000
/// a list). The two lists are emptied first.
void RebuildDXModeLists(LogState& state);

/// The "New" indicator of the state/province/country box: a DX country (four
/// or more characters, none of "Not Found", "Hawaii", "Alaska", "Canada",
/// "USA") that is not yet in the DX list.
[[nodiscard]] bool isNewDxCountry(const QString& spcText, const DXWorkedList& list);

/// Headings over the in-state lists: "Cnty Wkd - n", "Cnty Rem - n", "DX - n".
[[nodiscard]] QString countiesWorkedCaption(const CountyLists& lists);
[[nodiscard]] QString countiesRemainingCaption(const CountyLists& lists);
[[nodiscard]] QString dxCaption(const DXWorkedList& list);

/// The score panel: phone and CW contacts, QSO points, sections worked and
/// the claimed score (points times sections).
[[nodiscard]] ScoreTexts ShowScore(const LogState& state);

/// What the rebuild after a reload leaves for the window to show.
struct InStateRebuild {
    std::vector<int> sectionsWorked;  ///< rows whose labels take the worked colour
    DXWorkedList dxList;              ///< the DX countries list (firstMultiplierList)
};

/// The in-state part of a reload, after the log has been read and the points
/// recounted: section flags, county lists (only contacts of onlyMode when it
/// is set: the "Crnt Mode" filter), sections worked, the DX mode lists and
/// the DX list. The counties go to state.counties.
InStateRebuild RebuildInStateMultipliers(LogState& state, const CountyTable& counties,
                                         const std::optional<QString>& onlyMode);

/// What storing one contact changed, for the window to show.
struct StoredContactEffects {
    int pointsAdded = 0;
    int sectionRowMarked = 0;  ///< 0 when no section was newly worked
    bool countyAdded = false;
    bool dxAdded = false;
};

/// The updates after the newest record has been stored: its county into the
/// counties worked, its points and mode count (none for a rover's copy of the
/// contact, which is the same contact logged for another county), its
/// country into the DX list when the "New" indicator was showing for it, and
/// its section.
StoredContactEffects applyStoredInStateContact(LogState& state, DXWorkedList& dxList,
                                               bool newIndicatorShown, bool roverCopy);

/// Where name goes in a list kept in alphabetical order, letter case
/// ignored: after the entries equal to it.
[[nodiscard]] int alphabeticalInsertIndex(const QStringList& list, const QString& name);

}  // namespace contactlog

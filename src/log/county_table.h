#pragma once
// The counties of the party state, loaded from county2.txt: full names (as
// the log stores them) and the abbreviations operators send.

#include <QString>
#include <vector>

namespace contactlog {

struct CountyRow {
    QString CountyName;    ///< full name, as stored in the log
    QString CountyAbbrev;  ///< abbreviation, in capitals
};

struct CountyTable {
    static constexpr int MaxCounties = 1000;
    std::vector<CountyRow> rows;  ///< row n of the table is rows[n - 1]
    [[nodiscard]] int CountyCount() const { return static_cast<int>(rows.size()); }
    /// True when name is a county of the table, letter case ignored.
    [[nodiscard]] bool contains(const QString& name) const;
    /// The name as the table spells it when it is a county of the table,
    /// letter case ignored; otherwise name as it stands. One county is
    /// stored, shown and exported in one spelling, however it was typed.
    [[nodiscard]] QString spelling(const QString& name) const;

private:
    /// The row of county name, letter case ignored; null when none.
    [[nodiscard]] const CountyRow* find(const QString& name) const;
};

enum class CountyLoadResult {
    Ok,
    Missing,   ///< county2.txt cannot be opened
    Damaged,   ///< a record is cut short; the rows before it are loaded
    TooMany,   ///< more than 1,000 counties of the party state; 1,000 loaded
};

/// Rebuilds the table from the file at path, taking only the records whose
/// first value begins with partyState (exact comparison).
[[nodiscard]] CountyLoadResult LoadCountyTable(CountyTable& table, const QString& path,
                                               const QString& partyState);

/// Upper-cases typed in place and returns the full name of the first county
/// whose abbreviation equals it exactly, or "" when none does.
void ExpandCountyAbbreviation(const CountyTable& table, QString& result, QString& typed);

}  // namespace contactlog

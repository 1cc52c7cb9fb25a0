#pragma once
// Read-only reference tables loaded while the setup window loads: the
// call-sign prefix table (arrlpre2.txt) and the state position table
// (states.txt). Longitudes are positive west, like the operator's own.

#include <QString>
#include <array>
#include <vector>

namespace app {

struct CountryPrefixRow {
    QString CountryPrefix;
    QString CountryName;
    QString CountryContinent;
    float CountryLongitude = 0;
    float CountryLatitude = 0;
};

/// Rows in file order: ascending by the prefix's first character, digits
/// before letters, which the country lookups rely on.
struct CountryPrefixTable {
    static constexpr int MaxRows = 10000;
    std::vector<CountryPrefixRow> rows;  ///< row n is rows[n - 1]
    [[nodiscard]] int CountryCount() const { return static_cast<int>(rows.size()); }
};

struct StateLocationRow {
    QString StateLocAbbrev;
    float StateLocLatitude = 0;
    float StateLocLongitude = 0;
};

struct StateLocationTable {
    static constexpr int StateCount = 50;
    std::array<StateLocationRow, StateCount> rows;  ///< row n is rows[n - 1]
};

/// Loads the prefix table from the first of the given paths that exists.
/// None existing is not an error (the table stays empty). Returns false on a
/// load failure: a short or damaged record, or more than 10,000 records (the
/// first 10,000 stay loaded).
[[nodiscard]] bool loadCountryPrefixTable(CountryPrefixTable& table, const QStringList& candidates);

/// Loads the first 50 records of states.txt; false when the file is missing,
/// short or damaged (the rows read so far stay).
[[nodiscard]] bool loadStateLocationTable(StateLocationTable& table, const QString& path);

}  // namespace app

#pragma once
// The country of a spotted call for the spot list's "QTH" column: the
// longest prefix of the prefix table the call (or its portable part) begins
// with, compared exactly, as the shared prefix walk finds it.

#include <QString>

namespace app {
struct CountryPrefixTable;
}

namespace spots {

/// "" when nothing matches, when the part looked up is empty, or when its
/// first character is neither a capital letter nor a digit (no prefix of
/// the table begins with anything else); "USA" for a matched call
/// beginning with KG4 of more than five characters.
[[nodiscard]] QString spotCountry(const app::CountryPrefixTable& table, const QString& call);

}  // namespace spots

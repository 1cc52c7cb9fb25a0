#pragma once
// Whole numbers as the score and distance labels show them: rounded to the
// nearest whole number (halves away from zero), thousands grouped with the
// system's group separator, and either "0" or nothing at all for zero.

#include <QString>

namespace contactlog {

enum class ZeroShows {
    Nothing,  ///< "###", "##,###": no mandatory digit, zero shows as ""
    Zero,     ///< "###,##0": one mandatory digit
};

/// value rounded to a whole number; grouped puts the group separator between
/// every three digits from the right.
[[nodiscard]] QString wholeNumberText(double value, bool grouped, ZeroShows zero);

/// The system's thousands separator, "," when the system has none.
[[nodiscard]] QChar groupSeparator();

}  // namespace contactlog

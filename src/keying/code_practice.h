#pragma once
// Code practice text: random groups drawn from the letters, or from the
// letters, digits and ". , ? / -".

#include <QString>
#include <functional>

namespace keying {

/// The characters practice groups are drawn from: "A" to "Z", "0" to "9",
/// then ".", ",", "?", "/", "-" (41 in all; the first 26 are the letters).
[[nodiscard]] const QString& practicePool();

constexpr int MaxPracticeGroups = 2000;
constexpr int MaxPracticeGroupSize = 100;

/// groups groups of size characters each, every group followed by one
/// blank (each count within 0 and its maximum). draw() gives a uniform number in [0, 1).
[[nodiscard]] QString generatePracticeGroups(int groups, int size, bool lettersOnly,
                                             const std::function<double()>& draw);

}  // namespace keying

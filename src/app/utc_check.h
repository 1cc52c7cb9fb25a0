#pragma once
// The contest clock is local time plus the stored offset. Once a run the
// stored offset is compared with the computer's own and, when they differ,
// the computer's value is offered to the operator.

#include <QDateTime>
#include <QString>

namespace app {

struct AppState;

/// The computer's offset in hours to add to local time for UTC, rounded to
/// two decimals, from one reading of the clock (8 for Pacific standard time,
/// -5.5 for India).
[[nodiscard]] float recommendedUtcOffset(const QDateTime& localNow);

/// The prompt text of the offer.
[[nodiscard]] QString utcOffsetPromptText(const QDateTime& localNow, float recommended,
                                          float current);

/// Compares and offers; an accepted number is stored and the preferences
/// file rewritten.
void CheckUtcOffset(AppState& state);

}  // namespace app

#include "app/utc_check.h"

#include "app/app_state.h"
#include "platform/number_text.h"

#include <cmath>

namespace app {

float recommendedUtcOffset(const QDateTime& localNow)
{
    const QDateTime utc = localNow.toUTC();
    // Minute boundaries between the two wall-clock readings of one instant.
    const qint64 localMinutes = QDateTime(localNow.date(), localNow.time(), Qt::UTC).toSecsSinceEpoch() / 60;
    const qint64 utcMinutes = QDateTime(utc.date(), utc.time(), Qt::UTC).toSecsSinceEpoch() / 60;
    const qint64 minutes = utcMinutes - localMinutes;
    return static_cast<float>(std::round(minutes / 60.0 * 100.0) / 100.0);
}

QString utcOffsetPromptText(const QDateTime& localNow, float recommended, float current)
{
    const QDateTime utc = localNow.toUTC();
    const QString para = QStringLiteral("\n\n");
    return QStringLiteral("Would you like to adjust the UTC offset in this program for your local time setting?") +
           para + QStringLiteral("Current System Time: ") + utc.time().toString(QStringLiteral("HH:mm")) +
           para + QStringLiteral("Current Local Time: ") + localNow.time().toString(QStringLiteral("HH:mm")) +
           para + QStringLiteral("Recommended Offset Setting: ") + platform::localNumberText(recommended) +
           para + QStringLiteral("Current Offset Setting: ") + platform::localNumberText(current) +
           para + QStringLiteral("Please click OK to accept the recommended change or Cancel to keep the current setting.");
}

void CheckUtcOffset(AppState& state)
{
    const float kept = state.prefs.UtcOffsetHours;
    const QDateTime localNow = state.services.clock.now();
    if (!localNow.isValid()) {
        state.prefs.UtcOffsetHours = kept;
        return;
    }
    const float recommended = recommendedUtcOffset(localNow);
    if (state.prefs.UtcOffsetHours == recommended)
        return;
    const QString answer = state.services.prompt.inputBox(
        utcOffsetPromptText(localNow, recommended, state.prefs.UtcOffsetHours),
        QStringLiteral("Update the Local Time / UTC Offset?"), platform::localNumberText(recommended));
    const auto number = platform::typedNumber(answer);
    if (!number || !isUsableUtcOffset(*number))
        return;
    state.prefs.UtcOffsetHours = static_cast<float>(*number);
    SaveQSOPref(state);
}

}  // namespace app

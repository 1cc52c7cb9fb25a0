#pragma once
// Clocks, contact rates and the operating-time clock.

#include "log/contact_log.h"
#include "log/log_state.h"

#include <QDateTime>
#include <QString>
#include <optional>

namespace contactlog {

/// The contest clock: local date and time plus utcOffsetHours (minutes
/// rounded), to whole seconds, as a UTC date-time.
[[nodiscard]] QDateTime contestUtc(const QDateTime& local, float utcOffsetHours);

/// Reads a stored date and time ("yyyy/mm/dd" and "hh:mm:ss" or "hh:mm") as UTC.
[[nodiscard]] std::optional<QDateTime> recordMoment(const QString& LogDate, const QString& LogTime);

struct QsoRates {
    int last60 = 0;    ///< lblAQSO60: contacts of the last 60 minutes
    int last20x3 = 0;  ///< lblAQSO20: three times the contacts of the last 20 minutes
};

/// ShowQSORate's counts, walking back from the last record and stopping at
/// the first one an hour old or older; a record dated after now counts in
/// both. nullopt when a record's date or time cannot be read (the labels
/// then keep their text).
[[nodiscard]] std::optional<QsoRates> computeQsoRates(const ContactLog& log, const QDateTime& utcNow);

/// Operating seconds as "hh:mm:ss", each part two digits (hours from 100 on
/// show their last two digits).
[[nodiscard]] QString formatOperatingTime(double seconds);

/// The clock tick's value while running: |banked + whole seconds since TimeOnAt|.
[[nodiscard]] float runningOperatingSeconds(float bankedOpSeconds, const QDateTime& timeOnAt,
                                            const QDateTime& nowLocal);

/// Time On: the clock runs from nowLocal. Nothing is saved.
void TimeOn(LogState& state, const QDateTime& nowLocal);
/// Time Off: stops the clock and banks the value of the last tick into
/// bankedOpSeconds (the caller saves the preferences). Returns the dialog
/// line text "Logged Off at <short UTC date> <hh:mm:ss>", the UTC taken with
/// the offset rounded to whole hours.
QString TimeOff(LogState& state, float& bankedOpSeconds, const QDateTime& nowLocal, float utcOffsetHours);
/// The clock tick when running: sets OperatingSeconds; returns false when the
/// clock is stopped (nothing changes).
bool tickOperatingClock(LogState& state, float bankedOpSeconds, const QDateTime& nowLocal);
/// Exit and window termination: banks a running clock and stops it. True when
/// there was one to bank (the caller then saves the preferences).
bool bankRunningClock(LogState& state, float& bankedOpSeconds);

/// The clock labels' texts of one tick.
struct ClockTexts {
    QString lblCurTime;  ///< local "h:nn:ss"
    QString amPm;     ///< the AM/PM designator
    QString lblutctime;  ///< UTC "hh:nn:ss"
};
[[nodiscard]] ClockTexts clockTexts(const QDateTime& nowLocal, float utcOffsetHours);

}  // namespace contactlog

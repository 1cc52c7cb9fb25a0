#pragma once
// Reading the date and time texts of a contact. The log holds dates as
// "yyyy/mm/dd" and times as "hh:mm:ss" ("hh:mm" for contacts entered after
// the contest); an operator correcting a contact may also type a US date
// ("m/d/yyyy") or leave out leading zeros. Whatever is accepted is stored
// back in the log's own forms, so that every reader of the log (the rates,
// the Cabrillo columns, the exports) reads it.

#include <QDate>
#include <QString>
#include <QTime>
#include <optional>

namespace reports {

/// A date typed as year/month/day (four-digit year) or month/day/year
/// (four-digit year), "/" or "-" between, blanks around ignored.
[[nodiscard]] std::optional<QDate> readLogDate(const QString& text);

/// A time of day on a 24-hour clock: hours and minutes, optionally seconds,
/// ":" between, one or two digits each, blanks around ignored.
[[nodiscard]] std::optional<QTime> readLogTime(const QString& text);

/// "yyyy/mm/dd", the log's date form.
[[nodiscard]] QString logDateText(const QDate& date);

/// The time in the log's form: a text already in "hh:mm" or "hh:mm:ss"
/// stays as it is, any other readable time becomes "hh:mm:ss". An unreadable
/// text is returned unchanged.
[[nodiscard]] QString logTimeText(const QString& text);

}  // namespace reports

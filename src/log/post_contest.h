#pragma once
// Post-contest entry: the date and time typed for a contact made earlier,
// checked and rewritten in the log's forms before the contact is logged.

#include <QDate>
#include <QString>

namespace contactlog {

struct PostContestCheck {
    enum class Outcome { Ok, InvalidDate, InvalidTime };
    Outcome outcome = Outcome::Ok;
    QString date;     ///< the date box's new text ("yyyy/mm/dd" once the date passed)
    QString time;     ///< the time box's new text ("hh:mm" once the time passed)
    QString message;  ///< "Invalid date format!" / "Invalid time format!" (with a beep)
    [[nodiscard]] bool ok() const { return outcome == Outcome::Ok; }
};

/// Reads a typed date: "yyyy/mm/dd" (also with "-" or "."), "m/d/yyyy",
/// "m/d/yy" and "m/d" (the current year, taken from today); a day that
/// cannot be a month is read day first. An invalid QDate when the text is
/// not a calendar date.
[[nodiscard]] QDate parsePostContestDate(const QString& text, const QDate& today);

/// The validation the logging routine runs first while the post-contest boxes
/// are shown: the date is read and rewritten; 3 or 4 digits in the time box
/// get a colon before the last two; the time is read and rewritten "hh:mm".
/// A failing date leaves both texts as typed; a failing time keeps the
/// already rewritten date.
[[nodiscard]] PostContestCheck validatePostContest(const QString& dateText, const QString& timeText,
                                                   const QDate& today);

/// The date box's fill on gaining the focus when empty: today's local date.
[[nodiscard]] QString postContestDateFill(const QDate& localToday);

/// The key rules of the two boxes, after Space (Tab on) and Enter (log) are
/// handled: true when key code k is kept in the date box / time box.
[[nodiscard]] bool postContestDateKeyAllowed(int k);
[[nodiscard]] bool postContestTimeKeyAllowed(int k);

}  // namespace contactlog

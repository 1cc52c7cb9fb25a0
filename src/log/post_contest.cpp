#include "log/post_contest.h"

#include <QRegularExpression>
#include <QStringList>
#include <QTime>

namespace contactlog {

namespace {
bool allDigits(const QString& s)
{
    if (s.isEmpty())
        return false;
    for (QChar c : s)
        if (c < u'0' || c > u'9')
            return false;
    return true;
}

// A two-digit year the way the platform has always read it: 00-29 are this
// century, 30-99 the last.
int fullYear(const QString& y)
{
    const int v = y.toInt();
    if (y.size() > 2)
        return v;
    return v < 30 ? 2000 + v : 1900 + v;
}

// Month first, as the platform reads it; a day that cannot be a month
// (13/10) is read day first instead.
QDate monthDayYear(int a, int b, int year)
{
    QDate d(year, a, b);
    if (!d.isValid())
        d = QDate(year, b, a);
    return d;
}
}  // namespace

QDate parsePostContestDate(const QString& text, const QDate& today)
{
    static const QRegularExpression separators(QStringLiteral("[/.\\-]"));
    const QStringList parts = text.trimmed().split(separators);
    for (const QString& p : parts)
        if (!allDigits(p) || p.size() > 4)
            return {};
    if (parts.size() == 3) {
        if (parts[0].size() >= 3)
            return QDate(parts[0].toInt(), parts[1].toInt(), parts[2].toInt());
        if (parts[2].size() == 3)
            return {};
        return monthDayYear(parts[0].toInt(), parts[1].toInt(), fullYear(parts[2]));
    }
    if (parts.size() == 2 && parts[0].size() <= 2 && parts[1].size() <= 2)
        return monthDayYear(parts[0].toInt(), parts[1].toInt(), today.year());
    return {};
}

namespace {
QTime parseTimeOfDay(const QString& text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    for (const QString& p : parts)
        if (!allDigits(p) || p.size() > 2)
            return {};
    const int h = parts[0].toInt();
    const int m = parts[1].toInt();
    const int s = parts.size() == 3 ? parts[2].toInt() : 0;
    if (h > 23 || m > 59 || s > 59)
        return {};
    return QTime(h, m, s);
}
}  // namespace

PostContestCheck validatePostContest(const QString& dateText, const QString& timeText, const QDate& today)
{
    PostContestCheck check;
    check.date = dateText;
    check.time = timeText;
    const QDate date = parsePostContestDate(dateText, today);
    if (!date.isValid()) {
        check.outcome = PostContestCheck::Outcome::InvalidDate;
        check.message = QStringLiteral("Invalid date format!");
        return check;
    }
    check.date = date.toString(QStringLiteral("yyyy/MM/dd"));
    QString time = timeText;
    if ((time.size() == 3 || time.size() == 4) && allDigits(time))
        time.insert(time.size() - 2, u':');
    const QTime t = parseTimeOfDay(time);
    if (!t.isValid()) {
        check.outcome = PostContestCheck::Outcome::InvalidTime;
        check.message = QStringLiteral("Invalid time format!");
        return check;
    }
    check.time = t.toString(QStringLiteral("HH:mm"));
    return check;
}

QString postContestDateFill(const QDate& localToday) { return localToday.toString(QStringLiteral("yyyy/MM/dd")); }

bool postContestDateKeyAllowed(int k) { return k == 8 || (k >= 47 && k <= 57); }

bool postContestTimeKeyAllowed(int k) { return k == 8 || (k >= 48 && k <= 58); }

}  // namespace contactlog

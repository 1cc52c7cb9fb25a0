#include "log/rates_clock.h"

#include "log/post_contest.h"

#include <QLocale>
#include <QStringList>
#include <QTimeZone>
#include <cmath>

namespace contactlog {

namespace {
// The local wall-clock reading taken as it stands, so that adding the
// stored offset gives the contest's UTC whatever the computer's zone says.
QDateTime wallClockAsUtc(const QDateTime& local)
{
    const QTime t = local.time();
    return QDateTime(local.date(), QTime(t.hour(), t.minute(), t.second()), Qt::UTC);
}

QTime parseStoredTime(const QString& text)
{
    const QStringList parts = text.trimmed().split(u':');
    if (parts.size() < 2 || parts.size() > 3)
        return {};
    int v[3] = {0, 0, 0};
    for (int i = 0; i < parts.size(); ++i) {
        bool ok = false;
        v[i] = parts[i].toInt(&ok);
        if (!ok || parts[i].isEmpty() || parts[i].size() > 2 || v[i] < 0)
            return {};
    }
    if (v[0] > 23 || v[1] > 59 || v[2] > 59)
        return {};
    return QTime(v[0], v[1], v[2]);
}

QString twoDigits(qint64 part)
{
    const QString digits = QString::number(part);
    return part < 10 ? QStringLiteral("0") + digits.right(1) : digits.right(2);
}
}  // namespace

QDateTime contestUtc(const QDateTime& local, float utcOffsetHours)
{
    const qint64 minutes = std::llround(static_cast<double>(utcOffsetHours) * 60.0);
    return wallClockAsUtc(local).addSecs(minutes * 60);
}

std::optional<QDateTime> recordMoment(const QString& LogDate, const QString& LogTime)
{
    const QDate d = parsePostContestDate(LogDate, QDate(2000, 1, 1));
    const QTime t = parseStoredTime(LogTime);
    if (!d.isValid() || !t.isValid())
        return std::nullopt;
    return QDateTime(d, t, Qt::UTC);
}

std::optional<QsoRates> computeQsoRates(const ContactLog& log, const QDateTime& utcNow)
{
    QsoRates rates;
    int last20 = 0;
    for (int i = log.ContactCount(); i >= 1; --i) {
        const ContactRecord& r = log.record(i);
        const auto moment = recordMoment(r.LogDate, r.LogTime);
        if (!moment)
            return std::nullopt;
        const qint64 age = moment->secsTo(utcNow);
        // The log is in the order contacts were made: the first record an
        // hour old ends the walk.
        if (age >= 3600)
            break;
        ++rates.last60;
        if (age < 1200)
            ++last20;
    }
    rates.last20x3 = last20 * 3;
    return rates;
}

QString formatOperatingTime(double seconds)
{
    const qint64 total = static_cast<qint64>(std::floor(std::fabs(seconds)));
    const qint64 hours = total / 3600;
    const qint64 minutes = total / 60 - hours * 60;
    const qint64 secs = total - (total / 60) * 60;
    return twoDigits(hours) + u':' + twoDigits(minutes) + u':' + twoDigits(secs);
}

float runningOperatingSeconds(float bankedOpSeconds, const QDateTime& timeOnAt, const QDateTime& nowLocal)
{
    const qint64 since = timeOnAt.isValid() ? timeOnAt.secsTo(nowLocal) : 0;
    return std::fabs(bankedOpSeconds + static_cast<float>(since));
}

void TimeOn(LogState& state, const QDateTime& nowLocal)
{
    state.TimeOnAt = nowLocal;
    state.TimedOnFlag = 1;
}

QString TimeOff(LogState& state, float& bankedOpSeconds, const QDateTime& nowLocal, float utcOffsetHours)
{
    state.TimedOnFlag = 0;
    bankedOpSeconds = state.OperatingSeconds;
    const QDateTime utc = wallClockAsUtc(nowLocal).addSecs(std::llround(utcOffsetHours) * 3600);
    return QStringLiteral("Logged Off at ") + QLocale::system().toString(utc.date(), QLocale::ShortFormat) +
           u' ' + utc.time().toString(QStringLiteral("HH:mm:ss"));
}

bool tickOperatingClock(LogState& state, float bankedOpSeconds, const QDateTime& nowLocal)
{
    if (state.TimedOnFlag != 1)
        return false;
    state.OperatingSeconds = runningOperatingSeconds(bankedOpSeconds, state.TimeOnAt, nowLocal);
    return true;
}

bool bankRunningClock(LogState& state, float& bankedOpSeconds)
{
    if (state.TimedOnFlag != 1)
        return false;
    bankedOpSeconds = state.OperatingSeconds;
    state.TimedOnFlag = 0;
    return true;
}

ClockTexts clockTexts(const QDateTime& nowLocal, float utcOffsetHours)
{
    const QTime t = nowLocal.time();
    const int h12 = t.hour() % 12 == 0 ? 12 : t.hour() % 12;
    ClockTexts texts;
    texts.lblCurTime = QStringLiteral("%1:%2:%3")
                           .arg(h12)
                           .arg(t.minute(), 2, 10, QChar(u'0'))
                           .arg(t.second(), 2, 10, QChar(u'0'));
    texts.amPm = t.hour() < 12 ? QLocale::system().amText() : QLocale::system().pmText();
    texts.lblutctime = contestUtc(nowLocal, utcOffsetHours).time().toString(QStringLiteral("HH:mm:ss"));
    return texts;
}

}  // namespace contactlog

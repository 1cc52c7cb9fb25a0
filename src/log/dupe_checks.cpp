#include "log/dupe_checks.h"

#include "platform/clock.h"

#include <QDate>
#include <QThread>
#include <algorithm>

namespace contactlog {

namespace {
bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The in-state messages show the date as "mm/dd"; a stored date that is not
// a date is shown as it stands.
QString monthDay(const QString& logDate)
{
    const QDate d = QDate::fromString(logDate, QStringLiteral("yyyy/MM/dd"));
    return d.isValid() ? d.toString(QStringLiteral("MM/dd")) : logDate;
}

// The same band and mode (and in-state own county) as the entry: the
// station was worked here already, whatever its county.
bool sameSlot(const ContactRecord& r, const DupeKey& key)
{
    if (!sameText(r.LogBand, key.CurrentBand) || !sameText(r.LogMode, key.CurrentMode))
        return false;
    return key.window != WindowKind::InState || sameText(r.LogCountySent, key.MyCounty);
}

// An empty county box (and in-state an empty SPC box) takes the value of the
// earliest contact of the call that has one.
void fillFromEarlier(const ContactRecord& r, const DupeKey& key, DupeEntry& entry, bool& countyFilled,
                     bool& spcFilled)
{
    if (entry.county.isEmpty() && !r.LogCountyRcvd.isEmpty()) {
        entry.county = r.LogCountyRcvd;
        countyFilled = true;
    }
    if (key.window == WindowKind::InState && entry.spc.isEmpty() && !r.LogSPC.isEmpty()) {
        entry.spc = r.LogSPC;
        spcFilled = true;
    }
}

void defaultPause(qint64 ms) { QThread::msleep(static_cast<unsigned long>(ms)); }
}  // namespace

bool isDuplicateOf(const ContactRecord& r, const DupeEntry& entry, const DupeKey& key)
{
    return sameText(r.LogCall, entry.call) && sameSlot(r, key) && sameText(r.LogCountyRcvd, entry.county);
}

QString duplicateMessage(const ContactLog& log, int i, WindowKind window)
{
    const ContactRecord& r = log.record(i);
    if (window == WindowKind::InState)
        return QStringLiteral("Duplicate ") + r.LogCall + u' ' + monthDay(r.LogDate) + u' ' + r.LogTime +
               QStringLiteral("  Rec# ") + QString::number(i);
    return QStringLiteral("Duplicate ") + r.LogCall + QStringLiteral("  ") + r.LogDate + QStringLiteral("  ") +
           r.LogTime + QStringLiteral("   Rec# ") + QString::number(i);
}

QString duplicateWarning(const ContactLog& log, int i, WindowKind window)
{
    const ContactRecord& r = log.record(i);
    if (window == WindowKind::InState)
        return QStringLiteral("Dupe if not rover!  ") + r.LogCall + QStringLiteral("  ") + monthDay(r.LogDate) +
               QStringLiteral("  ") + r.LogTime + QStringLiteral("   Rec# ") + QString::number(i);
    return QStringLiteral("Duplicate Unless Rover!  ") + r.LogCall + QStringLiteral("  ") + r.LogDate +
           QStringLiteral("  ") + r.LogTime + QStringLiteral("   Rec# ") + QString::number(i);
}

DupCheckResult findDuplicate(const ContactLog& log, const DupeEntry& entry, const DupeKey& key)
{
    DupCheckResult result;
    result.entry = entry;
    for (int i = 1; i <= log.ContactCount(); ++i) {
        const ContactRecord& r = log.record(i);
        if (!sameText(r.LogCall, result.entry.call))
            continue;
        fillFromEarlier(r, key, result.entry, result.countyFilled, result.spcFilled);
        if (isDuplicateOf(r, result.entry, key)) {
            result.dupeRecord = i;
            result.message = duplicateMessage(log, i, key.window);
            break;
        }
    }
    return result;
}

DupCheckResult DupCheck(LogState& state, const DupeEntry& entry, const DupeKey& key, const platform::Clock& clock)
{
    state.DupeFlag = 0;
    DupCheckResult result = findDuplicate(state.contacts, entry, key);
    if (result.isDupe()) {
        state.DupeFlag = 1;
        StampDupeTime(state, clock);
    }
    return result;
}

LeaveCallResult DupCheck2(LogState& state, const DupeEntry& entry, const DupeKey& key, bool listPrevious,
                          const platform::Clock& clock)
{
    const bool inState = key.window == WindowKind::InState;
    if (inState)
        state.DupeFlag = 0;
    LeaveCallResult result;
    result.entry = entry;
    const ContactLog& log = state.contacts;
    for (int i = 1; i <= log.ContactCount(); ++i) {
        const ContactRecord& r = log.record(i);
        const bool sameCall = sameText(r.LogCall, result.entry.call);
        if (sameCall) {
            if (listPrevious)
                result.listRows.push_back(i);
            fillFromEarlier(r, key, result.entry, result.countyFilled, result.spcFilled);
            // A station outside the party state has no county to tell two
            // contacts apart: the same band, mode and own county is a
            // duplicate at once.
            if (inState && !sameText(r.LogSPC, key.PartyState) && sameSlot(r, key)) {
                DupCheckResult blocking = DupCheck(state, result.entry, key, clock);
                if (blocking.isDupe()) {
                    result.blocking = std::move(blocking);
                    return result;
                }
            }
        }
        if (sameCall && sameSlot(r, key)) {
            result.warningRecord = i;
            result.warning = duplicateWarning(log, i, key.window);
            ++result.warningBeeps;
            if (!listPrevious)
                return result;
        }
    }
    return result;
}

PartialCallResult PartialCallCheck(const LogState& state, const QString& callText, int k, const DupeKey& key)
{
    PartialCallResult result;
    const bool listable = k > 45 && k < 91;
    const QString typed = callText + QChar(k);
    if (listable && state.PartialDupesFlag == 1) {
        // The earliest matches until the list passes 100 characters, then
        // shown newest first.
        std::vector<const QString*> matches;
        qsizetype length = 0;
        for (const ContactRecord& r : state.contacts.records()) {
            if (!sameSlot(r, key) || !r.LogCall.startsWith(typed, Qt::CaseInsensitive))
                continue;
            matches.push_back(&r.LogCall);
            length += r.LogCall.size() + 1;
            if (length > 100)
                break;
        }
        result.dupeList.reserve(length);
        for (auto it = matches.rbegin(); it != matches.rend(); ++it)
            result.dupeList += **it + u' ';
    }
    if (!result.dupeList.isEmpty() && callText.size() > 2)
        result.dialog = QStringLiteral("Possible Duplicate!");
    else if (state.TimedOnFlag == 1)
        result.dialog = QStringLiteral(" ");
    if (typed.size() == 3 && listable) {
        auto slashOrDigit = [](QChar c) { return c.unicode() >= 47 && c.unicode() <= 57; };
        if (slashOrDigit(typed.at(2)) || slashOrDigit(typed.at(1))) {
            result.dialog = QStringLiteral(" ");
        } else {
            result.beep = true;
            result.dialog = QStringLiteral("The second or third character is not numeric!");
        }
    }
    return result;
}

void StampDupeTime(LogState& state, const platform::Clock& clock)
{
    state.DupeTime = clock.now();
    state.DupeTimeMs = clock.monotonicMs();
}

qint64 dupeHoldRemainingMs(const LogState& state, qint64 nowMonotonicMs)
{
    if (state.DupeFlag != 1)
        return 0;
    return std::clamp<qint64>(state.DupeTimeMs + 3000 - nowMonotonicMs, 0, 3000);
}

void HoldAfterDupe(LogState& state, const platform::Clock& clock, const std::function<void(qint64)>& pauseMs)
{
    const auto pause = pauseMs ? pauseMs : std::function<void(qint64)>(defaultPause);
    // The pauses add up to three seconds at most, so the hold ends even if
    // the clock were to stand still.
    // A clock that did not move over a pause is not a real clock (a test's
    // hand-set one): nothing more is gained by waiting on it.
    qint64 waited = 0;
    for (qint64 left = dupeHoldRemainingMs(state, clock.monotonicMs()); left > 0 && waited < 3000;
         left = dupeHoldRemainingMs(state, clock.monotonicMs())) {
        const qint64 step = std::min<qint64>(left, 20);
        const qint64 before = clock.monotonicMs();
        pause(step);
        waited += step;
        if (clock.monotonicMs() == before)
            break;
    }
    state.DupeFlag = 0;
}

void waitWhilePlaying(const std::function<bool()>& isPlaying, const platform::Clock& clock, qint64 maxMs,
                      const std::function<void(qint64)>& pauseMs)
{
    if (!isPlaying)
        return;
    const auto pause = pauseMs ? pauseMs : std::function<void(qint64)>(defaultPause);
    const qint64 start = clock.monotonicMs();
    qint64 waited = 0;
    while (isPlaying() && waited < maxMs && clock.monotonicMs() - start < maxMs) {
        const qint64 before = clock.monotonicMs();
        pause(10);
        waited += 10;
        if (clock.monotonicMs() == before)
            break;
    }
}

}  // namespace contactlog

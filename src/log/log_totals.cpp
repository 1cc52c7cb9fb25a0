#include "log/log_totals.h"

#include "log/grouped_number.h"

#include <QSet>

#include <algorithm>

namespace contactlog {

namespace {
bool sameText(const QString& a, const QString& b) { return a.compare(b, Qt::CaseInsensitive) == 0; }

// The worked list's first entry equal to name, letter case ignored.
auto findEqual(std::vector<QString>& list, const QString& name)
{
    return std::find_if(list.begin(), list.end(), [&](const QString& e) { return sameText(e, name); });
}
}  // namespace

int contactPoints(const ContactRecord& prev, const ContactRecord& cur)
{
    // The same station and serial straight after itself is the same contact
    // entered twice (a rover's copy, a double Enter): it earns nothing.
    if (sameText(cur.LogCall, prev.LogCall) && sameText(cur.LogSerialRcvd, prev.LogSerialRcvd))
        return 0;
    return sameText(cur.LogMode, QStringLiteral("PH")) ? 2 : 3;
}

int scoreRecord(LogTotals& totals, const ContactLog& log, int n)
{
    const ContactRecord& cur = log.record(n);
    const int points = contactPoints(log.record(n - 1), cur);
    if (points == 0)
        return 0;
    totals.QSOPoints += static_cast<float>(points);
    if (points == 2)
        totals.PhoneQSOCount += 1;
    else if (sameText(cur.LogMode, QStringLiteral("CW")))
        totals.CWQSOCount += 1;
    else
        totals.DigitalQSOCount += 1;
    return points;
}

void RecountTotals(LogTotals& totals, const ContactLog& log)
{
    totals = {};
    for (int i = 1; i <= log.ContactCount(); ++i)
        scoreRecord(totals, log, i);
}

LogReadError ReloadAndRecount(LogState& state, const QString& logPath)
{
    const LogReadError error = LoadLog(state.contacts, logPath);
    if (error != LogReadError::None)
        return error;
    state.MultiplierCount = 0;
    for (int r = 1; r <= 100; ++r)
        for (int c = 1; c <= 8; ++c)
            state.MultWorkedTable[r][c] = 0;
    for (DXWorkedList& list : state.DXWorkedLists)
        list.names.clear();
    RecountTotals(state.totals, state.contacts);
    return LogReadError::None;
}

CountyLists RebuildCountyLists(const ContactLog& log, const CountyTable& table,
                               const std::optional<QString>& onlyMode)
{
    CountyLists lists;
    lists.toGo.reserve(table.rows.size());
    for (const CountyRow& row : table.rows)
        lists.toGo.push_back(row.CountyName);
    // A log repeats a few dozen county texts thousands of times: a text met
    // before is known to be in the worked list already, so only a new text
    // needs the scan that ignores letter case.
    QSet<QString> seen;
    for (const ContactRecord& r : log.records()) {
        if (r.LogCountyRcvd.isEmpty())
            continue;
        if (onlyMode && !sameText(r.LogMode, *onlyMode))
            continue;
        if (seen.contains(r.LogCountyRcvd))
            continue;
        seen.insert(r.LogCountyRcvd);
        if (findEqual(lists.worked, r.LogCountyRcvd) == lists.worked.end())
            lists.worked.push_back(r.LogCountyRcvd);
    }
    for (const QString& county : lists.worked) {
        auto it = findEqual(lists.toGo, county);
        if (it != lists.toGo.end())
            lists.toGo.erase(it);
    }
    return lists;
}

bool AddCountyWorked(CountyLists& lists, const QString& county)
{
    if (county.isEmpty())
        return false;
    const bool added = findEqual(lists.worked, county) == lists.worked.end();
    if (added)
        lists.worked.push_back(county);
    auto it = findEqual(lists.toGo, county);
    if (it != lists.toGo.end())
        lists.toGo.erase(it);
    return added;
}

QString countiesWorkedHeading(const CountyLists& lists)
{
    return QStringLiteral("Counties Worked - ") + QString::number(lists.worked.size());
}

QString countiesToGoHeading(const CountyLists& lists)
{
    return QStringLiteral("Counties To Go - ") + QString::number(lists.toGo.size());
}

double claimedScore(int multipliers, float qsoPoints)
{
    return static_cast<double>(static_cast<float>(multipliers) * qsoPoints);
}

QString formatCount(double value) { return wholeNumberText(value, true, ZeroShows::Zero); }

ScoreTexts scoreTexts(const LogTotals& totals, int multipliers)
{
    return {formatCount(totals.PhoneQSOCount), formatCount(totals.CWQSOCount), formatCount(totals.QSOPoints),
            formatCount(multipliers), formatCount(claimedScore(multipliers, totals.QSOPoints))};
}

}  // namespace contactlog

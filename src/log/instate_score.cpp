#include "log/instate_score.h"

#include <algorithm>
#include <array>

namespace contactlog {

namespace {

struct RawEntry {
    const char16_t* abbrev;
    const char16_t* name;
    int block;
    QRect grid;
};

// The grid order of the in-state window: New England, NY/NJ, the mid-
// Atlantic, the south-east, the south, the party state with Hawaii, the
// west, the Great Lakes, the centre, then Canada (block 10).
constexpr RawEntry RawTable[StateProvCount] = {
    {u"CT", u"Connecticut", 1, {6960, 2880, 375, 255}},
    {u"MA", u"Massachusetts", 1, {6600, 2880, 360, 255}},
    {u"ME", u"Maine", 1, {6600, 3120, 375, 255}},
    {u"NH", u"New Hampshire", 1, {6600, 3360, 375, 255}},
    {u"RI", u"Rhode Island", 1, {6960, 3120, 375, 255}},
    {u"VT", u"Vermont", 1, {6960, 3360, 375, 255}},
    {u"NY", u"New York", 2, {6600, 4080, 375, 240}},
    {u"NJ", u"New Jersey", 2, {6960, 4080, 375, 240}},
    {u"DE", u"Delaware", 3, {6600, 4800, 375, 255}},
    {u"PA", u"Pennsylvania", 3, {6600, 5040, 375, 240}},
    {u"MD", u"Maryland", 3, {6960, 4800, 375, 255}},
    {u"AL", u"Alabama", 4, {7320, 2880, 375, 255}},
    {u"GA", u"Georgia", 4, {7320, 3120, 375, 255}},
    {u"KY", u"Kentucky", 4, {7320, 3360, 375, 255}},
    {u"NC", u"North Carolina", 4, {7320, 3600, 375, 240}},
    {u"FL", u"Florida", 4, {7680, 2880, 375, 255}},
    {u"SC", u"South Carolina", 4, {7680, 3120, 375, 255}},
    {u"TN", u"Tennessee", 4, {7680, 3360, 375, 255}},
    {u"VA", u"Virginia", 4, {7680, 3600, 375, 240}},
    {u"AR", u"Arkansas", 5, {7320, 4320, 375, 255}},
    {u"LA", u"Louisiana", 5, {7320, 4560, 375, 255}},
    {u"MS", u"Mississippi", 5, {7320, 4785, 375, 240}},
    {u"NM", u"New Mexico", 5, {7680, 4305, 375, 255}},
    {u"TX", u"Texas", 5, {7680, 4545, 375, 255}},
    {u"OK", u"Oklahoma", 5, {7680, 4785, 375, 240}},
    {u"CA", u"Zivudaduri", 6, {7320, 5400, 375, 255}},
    {u"HI", u"Hawaii", 6, {7680, 5400, 375, 255}},
    {u"AZ", u"Arizona", 7, {8040, 2880, 375, 255}},
    {u"WA", u"Washington", 7, {8040, 3120, 375, 255}},
    {u"ID", u"Idaho", 7, {8040, 3360, 375, 255}},
    {u"MT", u"Montana", 7, {8040, 3600, 375, 255}},
    {u"NV", u"Nevada", 7, {8040, 3840, 375, 255}},
    {u"OR", u"Oregon", 7, {8400, 2880, 375, 255}},
    {u"UT", u"Utah", 7, {8400, 3120, 375, 255}},
    {u"WY", u"Wyoming", 7, {8400, 3360, 375, 255}},
    {u"AK", u"Alaska", 7, {8400, 3600, 375, 255}},
    {u"MI", u"Michigan", 8, {8040, 4560, 375, 255}},
    {u"OH", u"Ohio", 8, {8040, 4800, 375, 240}},
    {u"WV", u"West Virginia", 8, {8400, 4560, 375, 255}},
    {u"IL", u"Illinois", 9, {8040, 5400, 375, 255}},
    {u"IN", u"Indiana", 9, {8400, 5160, 375, 255}},
    {u"WI", u"Wisconsin", 9, {8400, 5400, 375, 255}},
    {u"CO", u"Colorado", 0, {8760, 2880, 375, 255}},
    {u"IA", u"Iowa", 0, {8760, 3120, 375, 255}},
    {u"KS", u"Kansas", 0, {8760, 3360, 375, 255}},
    {u"MN", u"Minnesota", 0, {8760, 3600, 375, 255}},
    {u"MO", u"Missouri", 0, {9120, 2880, 495, 255}},
    {u"NE", u"Nebraska", 0, {9120, 3120, 495, 255}},
    {u"ND", u"North Dakota", 0, {9120, 3360, 495, 255}},
    {u"SD", u"South Dakota", 0, {9120, 3600, 495, 255}},
    {u"MR", u"NB, NL, NS, PE", 10, {8760, 4200, 375, 255}},
    {u"QC", u"Quebec", 10, {8760, 4440, 375, 255}},
    {u"ON", u"Ontario", 10, {8760, 4680, 375, 255}},
    {u"MB", u"Manitoba", 10, {8760, 4920, 375, 255}},
    {u"SK", u"Saskatchewan", 10, {9120, 4200, 375, 255}},
    {u"AB", u"Alberta", 10, {9120, 4440, 375, 255}},
    {u"BC", u"British Columbia", 10, {9120, 4680, 375, 255}},
    {u"NT", u"Northern Territories", 10, {9120, 4920, 495, 255}},
};

}  // namespace

std::span<const StateProvEntry, StateProvCount> StateProvTable()
{
    static const std::array<StateProvEntry, StateProvCount> table = [] {
        std::array<StateProvEntry, StateProvCount> t;
        for (int i = 0; i < StateProvCount; ++i)
            t[i] = {QString::fromUtf16(RawTable[i].abbrev), QString::fromUtf16(RawTable[i].name),
                    RawTable[i].block, RawTable[i].grid};
        return t;
    }();
    return table;
}

const std::vector<QString>& StateProvAbbrevs()
{
    static const std::vector<QString> abbrevs = [] {
        std::vector<QString> v;
        for (const StateProvEntry& e : StateProvTable())
            v.push_back(e.StateProvAbbrev);
        return v;
    }();
    return abbrevs;
}

namespace {

bool sameText(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsText(const std::vector<QString>& names, const QString& name)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& n) { return sameText(n, name); });
}

constexpr int MaxDxModeListEntries = 1000;
// Rows of MultWorkedTable that count towards MultiplierCount.
constexpr int LastCountedRow = 99;

}  // namespace

int findStateProvRow(const QString& abbrev)
{
    const auto table = StateProvTable();
    for (int row = 1; row <= StateProvCount; ++row)
        if (sameText(table[row - 1].StateProvAbbrev, abbrev))
            return row;
    return 0;
}

bool sectionWorked(const LogState& state, int row)
{
    if (row < 0 || row >= static_cast<int>(state.MultWorkedTable.size()))
        return false;
    const auto& cols = state.MultWorkedTable[row];
    return std::any_of(cols.begin() + 1, cols.begin() + 8, [](quint8 v) { return v != 0; });
}

int MarkSectionWorked(LogState& state, const QString& spc)
{
    const int row = findStateProvRow(spc);
    if (row == 0 || state.MultWorkedTable[row][1] != 0)
        return 0;
    state.MultWorkedTable[row][1] = 1;
    ++state.MultiplierCount;
    return row;
}

void RebuildSectionFlags(LogState& state)
{
    for (const ContactRecord& r : state.contacts.records()) {
        if (r.LogSPC.size() >= 4)
            continue;
        if (const int row = findStateProvRow(r.LogSPC))
            state.MultWorkedTable[row][1] = 1;
    }
}

std::vector<int> ShowSectionsWorked(LogState& state)
{
    std::vector<int> worked;
    for (int row = 1; row <= StateProvCount; ++row)
        if (sectionWorked(state, row))
            worked.push_back(row);
    int count = 0;
    for (int row = 1; row <= LastCountedRow; ++row)
        if (sectionWorked(state, row))
            ++count;
    state.MultiplierCount = count;
    return worked;
}

DXWorkedList RebuildDXList(const ContactLog& log)
{
    DXWorkedList list;
    for (const ContactRecord& r : log.records())
        if (r.LogSPC.size() > 3 && !containsText(list.names, r.LogSPC))
            list.names.push_back(r.LogSPC);
    return list;
}

bool AddDXWorked(DXWorkedList& list, const QString& spc)
{
    if (spc.isEmpty() || containsText(list.names, spc))
        return false;
    list.names.push_back(spc);
    return true;
}

void RebuildDXModeLists(LogState& state)
{
    DXWorkedList& cw = state.DXWorkedLists[0];
    DXWorkedList& ph = state.DXWorkedLists[1];
    cw.names.clear();
    ph.names.clear();
    for (const ContactRecord& r : state.contacts.records()) {
        if (r.LogSPC.size() <= 3)
            continue;
        DXWorkedList* list = sameText(r.LogMode, QStringLiteral("CW"))   ? &cw
                             : sameText(r.LogMode, QStringLiteral("PH")) ? &ph
                                                                         : nullptr;
        if (list && list->count() < MaxDxModeListEntries && !containsText(list->names, r.LogSPC))
            list->names.push_back(r.LogSPC);
    }
}

bool isNewDxCountry(const QString& spcText, const DXWorkedList& list)
{
    if (spcText.size() <= 3)
        return false;
    for (const char* known : {"Not Found", "Hawaii", "Alaska", "Canada", "USA"})
        if (sameText(spcText, QString::fromLatin1(known)))
            return false;
    return !containsText(list.names, spcText);
}

QString countiesWorkedCaption(const CountyLists& lists)
{
    return QStringLiteral("Cnty Wkd - ") + QString::number(lists.worked.size());
}

QString countiesRemainingCaption(const CountyLists& lists)
{
    return QStringLiteral("Cnty Rem - ") + QString::number(lists.toGo.size());
}

QString dxCaption(const DXWorkedList& list)
{
    return QStringLiteral("DX - ") + QString::number(list.count());
}

ScoreTexts ShowScore(const LogState& state)
{
    return scoreTexts(state.totals, state.MultiplierCount);
}

InStateRebuild RebuildInStateMultipliers(LogState& state, const CountyTable& counties,
                                         const std::optional<QString>& onlyMode)
{
    InStateRebuild out;
    RebuildSectionFlags(state);
    state.counties = RebuildCountyLists(state.contacts, counties, onlyMode);
    out.sectionsWorked = ShowSectionsWorked(state);
    RebuildDXModeLists(state);
    out.dxList = RebuildDXList(state.contacts);
    return out;
}

StoredContactEffects applyStoredInStateContact(LogState& state, DXWorkedList& dxList,
                                               bool newIndicatorShown, bool roverCopy)
{
    StoredContactEffects fx;
    const int n = state.contacts.ContactCount();
    if (n < 1)
        return fx;
    const ContactRecord& r = state.contacts.record(n);
    if (!r.LogCountyRcvd.isEmpty())
        fx.countyAdded = AddCountyWorked(state.counties, r.LogCountyRcvd);
    if (!roverCopy)
        fx.pointsAdded = scoreRecord(state.totals, state.contacts, n);
    if (r.LogSPC.size() > 2 && newIndicatorShown)
        fx.dxAdded = AddDXWorked(dxList, r.LogSPC);
    if (r.LogSPC.size() < 4)
        fx.sectionRowMarked = MarkSectionWorked(state, r.LogSPC);
    return fx;
}

int alphabeticalInsertIndex(const QStringList& list, const QString& name)
{
    const auto it = std::upper_bound(list.begin(), list.end(), name,
                                     [](const QString& a, const QString& b) {
                                         return a.compare(b, Qt::CaseInsensitive) < 0;
                                     });
    return static_cast<int>(it - list.begin());
}

}  // namespace contactlog

#include "log/instate_score.h"

#include <QSet>
#include <gtest/gtest.h>

using namespace contactlog;

namespace {

ContactRecord contact(const char* call, const char* serial, const char* spc, const char* county,
                      const char* mode)
{
    ContactRecord r;
    r.LogCall = QString::fromLatin1(call);
    r.LogSerialRcvd = QString::fromLatin1(serial);
    r.LogSPC = QString::fromLatin1(spc);
    r.LogCountyRcvd = QString::fromLatin1(county);
    r.LogMode = QString::fromLatin1(mode);
    r.LogCountySent = QStringLiteral("Alameda");
    return r;
}

CountyTable counties()
{
    CountyTable t;
    for (const char* name : {"Alameda", "Alpine", "Amador", "Butte", "Lake"})
        t.rows.push_back({QString::fromLatin1(name), QString()});
    return t;
}

QStringList sorted(const std::vector<QString>& names)
{
    QStringList l(names.begin(), names.end());
    l.sort(Qt::CaseInsensitive);
    return l;
}

// The in-state window's logging, as the per-contact updates see it.
struct InStateLog {
    LogState state;
    DXWorkedList dx;
    CountyTable table = counties();

    InStateLog() { state.counties = RebuildCountyLists(state.contacts, table); }

    StoredContactEffects store(const ContactRecord& r, bool roverCopy = false)
    {
        const bool newShown = isNewDxCountry(r.LogSPC, dx);
        EXPECT_TRUE(state.contacts.add(r));
        return applyStoredInStateContact(state, dx, newShown, roverCopy);
    }
};

}  // namespace

TEST(StateProvTable, FiftyStatesThenTheEightCanadianSections)
{
    const auto table = StateProvTable();
    ASSERT_EQ(table.size(), 58u);
    QSet<QString> seen;
    for (const auto& e : table) {
        EXPECT_EQ(e.StateProvAbbrev.size(), 2);
        EXPECT_FALSE(e.StateProvName.isEmpty());
        EXPECT_FALSE(seen.contains(e.StateProvAbbrev)) << e.StateProvAbbrev.toStdString();
        seen.insert(e.StateProvAbbrev);
    }
    const char* canada[] = {"MR", "QC", "ON", "MB", "SK", "AB", "BC", "NT"};
    for (int i = 0; i < 8; ++i) {
        EXPECT_EQ(table[50 + i].StateProvAbbrev, QString::fromLatin1(canada[i]));
        EXPECT_EQ(table[50 + i].block, 10);
    }
    EXPECT_EQ(table[0].StateProvAbbrev, QStringLiteral("CT"));
    EXPECT_EQ(table[50].StateProvName, QStringLiteral("NB, NL, NS, PE"));
    EXPECT_EQ(findStateProvRow(QStringLiteral("ca")), 26);
    EXPECT_EQ(table[25].StateProvName, QStringLiteral("Zivudaduri"));
    EXPECT_EQ(findStateProvRow(QStringLiteral("NT")), 58);
    EXPECT_EQ(findStateProvRow(QStringLiteral("DC")), 0);
    EXPECT_EQ(StateProvAbbrevs().size(), 58u);
}

TEST(InStateScore, NoSectionWorkedScoresNothingWhateverThePoints)
{
    InStateLog log;
    log.store(contact("JA1ABC", "1", "Japan", "", "CW"));
    log.store(contact("DL1ABC", "2", "Fed. Rep. of Germany", "", "PH"));
    EXPECT_EQ(log.state.totals.QSOPoints, 5);
    EXPECT_EQ(log.state.MultiplierCount, 0);
    EXPECT_EQ(ShowScore(log.state).lblTotScore, QStringLiteral("0"));
}

TEST(InStateScore, SectionsCountOnceAndScoreIsPointsTimesSections)
{
    InStateLog log;
    const auto first = log.store(contact("W1AW", "1", "CT", "", "CW"));
    EXPECT_EQ(first.sectionRowMarked, 1);
    EXPECT_EQ(first.pointsAdded, 3);
    const auto again = log.store(contact("K1ABC", "5", "ct", "", "PH"));
    EXPECT_EQ(again.sectionRowMarked, 0);  // worked already: no colour change, no count
    log.store(contact("VE3AA", "7", "ON", "", "CW"));
    log.store(contact("N6AA", "9", "CA", "Alpine", "CW"));
    EXPECT_EQ(log.state.MultiplierCount, 3);
    EXPECT_EQ(log.state.totals.QSOPoints, 11);
    const ScoreTexts s = ShowScore(log.state);
    EXPECT_EQ(s.lblTotCon, QStringLiteral("1"));
    EXPECT_EQ(s.lblSectogo, QStringLiteral("3"));
    EXPECT_EQ(s.qsoPoints, QStringLiteral("11"));
    EXPECT_EQ(s.lblTotSec, QStringLiteral("3"));
    EXPECT_EQ(s.lblTotScore, QStringLiteral("33"));
}

TEST(InStateScore, ThousandsAreGrouped)
{
    LogState state;
    state.totals.QSOPoints = 1500;
    state.totals.CWQSOCount = 500;
    state.MultiplierCount = 58;
    const ScoreTexts s = ShowScore(state);
    EXPECT_EQ(s.qsoPoints, QStringLiteral("1,500"));
    EXPECT_EQ(s.lblTotScore, QStringLiteral("87,000"));
}

TEST(InStateScore, RoverCopiesAndRepeatsEarnNoPoints)
{
    InStateLog log;
    log.store(contact("W1AW", "12", "CT", "", "CW"));
    const auto copy = log.store(contact("W1AW", "12", "CT", "", "CW"), true);
    EXPECT_EQ(copy.pointsAdded, 0);
    // A copy earns nothing even after something else got into the log.
    log.store(contact("K2AA", "3", "NY", "", "PH"));
    EXPECT_EQ(log.store(contact("W1AW", "12", "CT", "", "CW"), true).pointsAdded, 0);
    EXPECT_EQ(log.state.totals.QSOPoints, 5);
    EXPECT_EQ(log.state.totals.CWQSOCount, 1);
}

TEST(InStateScore, DxCountriesJoinTheListOnlyWhileNew)
{
    InStateLog log;
    EXPECT_TRUE(isNewDxCountry(QStringLiteral("Japan"), log.dx));
    EXPECT_TRUE(log.store(contact("JA1ABC", "1", "Japan", "", "CW")).dxAdded);
    EXPECT_FALSE(isNewDxCountry(QStringLiteral("JAPAN"), log.dx));
    EXPECT_FALSE(log.store(contact("JA2ABC", "2", "Japan", "", "CW")).dxAdded);
    // Neither a section nor a country of its own.
    for (const char* text : {"USA", "Canada", "Alaska", "hawaii", "Not Found", "CA", "Ont"})
        EXPECT_FALSE(isNewDxCountry(QString::fromLatin1(text), log.dx)) << text;
    log.store(contact("VE3AA", "3", "Canada", "", "CW"));
    EXPECT_EQ(log.dx.count(), 1);
    EXPECT_EQ(dxCaption(log.dx), QStringLiteral("DX - 1"));
    // After a reload every stored SPC of four or more characters is listed.
    const DXWorkedList rebuilt = RebuildDXList(log.state.contacts);
    EXPECT_EQ(sorted(rebuilt.names), QStringList({"Canada", "Japan"}));
}

TEST(InStateScore, RebuildFromTheWholeLogAgreesWithTheUpdates)
{
    InStateLog log;
    const ContactRecord contacts[] = {
        contact("W1AW", "1", "CT", "", "CW"),       contact("N6AA", "2", "CA", "Butte", "PH"),
        contact("N6AA", "2", "CA", "Lake", "PH"),   contact("JA1A", "3", "Japan", "", "CW"),
        contact("VE7AA", "4", "BC", "", "DG"),      contact("K6X", "5", "CA", "alpine", "CW"),
        contact("G4AA", "6", "England", "", "PH"),
    };
    for (const ContactRecord& r : contacts)
        log.store(r);

    LogState rebuilt;
    rebuilt.contacts.replaceAll(log.state.contacts.records());
    RecountTotals(rebuilt.totals, rebuilt.contacts);
    const InStateRebuild out = RebuildInStateMultipliers(rebuilt, log.table, std::nullopt);

    EXPECT_EQ(rebuilt.MultiplierCount, log.state.MultiplierCount);
    EXPECT_EQ(rebuilt.MultiplierCount, 3);
    EXPECT_EQ(out.sectionsWorked, (std::vector<int>{1, 26, 57}));
    EXPECT_EQ(rebuilt.MultWorkedTable, log.state.MultWorkedTable);
    EXPECT_EQ(rebuilt.totals.QSOPoints, log.state.totals.QSOPoints);
    EXPECT_EQ(sorted(out.dxList.names), sorted(log.dx.names));
    EXPECT_EQ(sorted(rebuilt.counties.worked), sorted(log.state.counties.worked));
    EXPECT_EQ(sorted(rebuilt.counties.toGo), QStringList({"Alameda", "Amador"}));
    EXPECT_EQ(countiesWorkedCaption(rebuilt.counties), QStringLiteral("Cnty Wkd - 3"));
    EXPECT_EQ(countiesRemainingCaption(rebuilt.counties), QStringLiteral("Cnty Rem - 2"));
    EXPECT_EQ(ShowScore(rebuilt).lblTotScore, ShowScore(log.state).lblTotScore);
    EXPECT_EQ(sorted(rebuilt.DXWorkedLists[0].names), QStringList({"Japan"}));
    EXPECT_EQ(sorted(rebuilt.DXWorkedLists[1].names), QStringList({"England"}));
}

TEST(InStateScore, CurrentModeFilterListsOnlyThatModesCounties)
{
    LogState state;
    ASSERT_TRUE(state.contacts.add(contact("N6AA", "1", "CA", "Butte", "PH")));
    ASSERT_TRUE(state.contacts.add(contact("N6BB", "2", "CA", "Lake", "CW")));
    RebuildInStateMultipliers(state, counties(), QStringLiteral("CW"));
    EXPECT_EQ(sorted(state.counties.worked), QStringList({"Lake"}));
    // A new CW contact's county joins at once.
    ASSERT_TRUE(state.contacts.add(contact("N6CC", "3", "CA", "Amador", "CW")));
    DXWorkedList dx;
    EXPECT_TRUE(applyStoredInStateContact(state, dx, false, false).countyAdded);
    EXPECT_EQ(sorted(state.counties.worked), QStringList({"Amador", "Lake"}));
}

TEST(InStateScore, MarksBeyondTheTableRowsStillCountUpToRow99)
{
    LogState state;
    state.MultWorkedTable[1][3] = 1;   // any column 1..7 marks a row worked
    state.MultWorkedTable[2][8] = 1;   // column 8 does not
    state.MultWorkedTable[99][1] = 1;  // counted, though no label shows it
    state.MultWorkedTable[100][1] = 1; // not counted
    const auto rows = ShowSectionsWorked(state);
    EXPECT_EQ(rows, std::vector<int>{1});
    EXPECT_EQ(state.MultiplierCount, 2);
}

TEST(SortedList, InsertsInAlphabeticalOrderIgnoringCase)
{
    QStringList list;
    for (const char* name : {"Butte", "alpine", "Colusa", "Amador", "butte"})
        list.insert(alphabeticalInsertIndex(list, QString::fromLatin1(name)),
                    QString::fromLatin1(name));
    EXPECT_EQ(list, QStringList({"alpine", "Amador", "Butte", "butte", "Colusa"}));
}

#include "log/grouped_number.h"
#include "log/log_totals.h"
#include "log_test_helpers.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace contactlog;
using logtest::contact;
using testing_support::writeBytes;

TEST(Points, RuleTable)
{
    struct Case {
        const char* name;
        ContactRecord prev;
        ContactRecord cur;
        int points;
    };
    const Case cases[] = {
        {"first contact after empty record 0", {}, contact("K6AA", "1", "PH"), 2},
        {"CW", contact("W1AW", "1"), contact("K6AA", "1", "CW"), 3},
        {"digital", contact("W1AW", "1"), contact("K6AA", "1", "DG"), 3},
        {"empty mode counts as digital", contact("W1AW", "1"), contact("K6AA", "1", ""), 3},
        {"same call and serial as the one before", contact("K6AA", "5"), contact("K6AA", "5", "CW", "40"), 0},
        {"letter case ignored", contact("K6AA", "5a"), contact("k6aa", "5A"), 0},
        {"same call, other serial", contact("K6AA", "5"), contact("K6AA", "6"), 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(contactPoints(c.prev, c.cur), c.points);
    }
}

TEST(Points, RecountOverTheWholeLog)
{
    LogTotals totals;
    RecountTotals(totals, logtest::logOf({contact("K6AA", "5"), contact("K6AA", "5"), contact("K6AA", "6")}));
    EXPECT_EQ(totals.QSOPoints, 6.0f);
    EXPECT_EQ(totals.CWQSOCount, 2.0f);

    RecountTotals(totals, logtest::logOf({contact("K6AA", "5", "PH"), contact("W1AW", "1", "cw"),
                                          contact("K6AA", "5", "PH"), contact("N6X", "1", "DG")}));
    EXPECT_EQ(totals.QSOPoints, 2.0f + 3 + 2 + 3);  // separated by another contact: both score
    EXPECT_EQ(totals.PhoneQSOCount, 2.0f);
    EXPECT_EQ(totals.CWQSOCount, 1.0f);
    EXPECT_EQ(totals.DigitalQSOCount, 1.0f);
}

TEST(Totals, ReloadResetsTheMultiplierBookkeepingAndRecounts)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    const ContactLog source = logtest::logOf({contact("K6AA", "1"), contact("W1AW", "2", "PH")});
    ASSERT_TRUE(RewriteLog(source, path).ok);
    LogState state;
    state.totals.QSOPoints = 99;
    state.totals.CWQSOCount = 7;
    state.MultiplierCount = 4;
    state.MultWorkedTable[5][1] = 1;
    state.MultWorkedTable[0][0] = 1;  // outside the rows and columns a load clears
    state.DXWorkedLists[0].names = {"Japan"};
    ASSERT_EQ(ReloadAndRecount(state, path), LogReadError::None);
    EXPECT_EQ(state.contacts.ContactCount(), 2);
    EXPECT_EQ(state.totals.QSOPoints, 5.0f);
    EXPECT_EQ(state.totals.CWQSOCount, 1.0f);
    EXPECT_EQ(state.MultiplierCount, 0);
    EXPECT_EQ(state.MultWorkedTable[5][1], 0);
    EXPECT_EQ(state.MultWorkedTable[0][0], 1);
    EXPECT_EQ(state.DXWorkedLists[0].count(), 0);
}

TEST(CountyLists, WorkedAndToGo)
{
    const CountyTable table = logtest::counties();
    const ContactLog log = logtest::logOf({contact("K6AA", "1", "CW", "20", "alameda"), contact("W1AW", "1", "PH", "20", "ALAMEDA"),
                                           contact("N6X", "1", "PH", "40", "NOWHERE"), contact("N6Y", "1", "CW", "40", "")});
    CountyLists lists = RebuildCountyLists(log, table);
    EXPECT_EQ(lists.worked, (std::vector<QString>{"alameda", "NOWHERE"}));  // as first written
    EXPECT_EQ(lists.toGo, (std::vector<QString>{"ALPINE", "AMADOR", "BUTTE"}));
    EXPECT_EQ(countiesWorkedHeading(lists), "Counties Worked - 2");
    EXPECT_EQ(countiesToGoHeading(lists), "Counties To Go - 3");

    EXPECT_FALSE(AddCountyWorked(lists, "Alameda"));
    EXPECT_TRUE(AddCountyWorked(lists, "butte"));
    EXPECT_EQ(lists.toGo, (std::vector<QString>{"ALPINE", "AMADOR"}));

    const CountyLists phOnly = RebuildCountyLists(log, table, QString("ph"));
    EXPECT_EQ(phOnly.worked, (std::vector<QString>{"ALAMEDA", "NOWHERE"}));
    EXPECT_EQ(RebuildCountyLists(ContactLog{}, table).toGo.size(), 4u);
}

TEST(Score, PanelTexts)
{
    LogTotals totals;
    totals.QSOPoints = 300;
    totals.PhoneQSOCount = 1234;
    const ScoreTexts t = scoreTexts(totals, 25);
    EXPECT_EQ(t.qsoPoints, "300");
    EXPECT_EQ(t.lblTotSec, "25");
    EXPECT_EQ(t.lblTotScore, "7" + QString(groupSeparator()) + "500");
    EXPECT_EQ(t.lblSectogo, "0");
    EXPECT_EQ(claimedScore(0, 500), 0.0);
}

// A reload reads into the records it replaces: whatever the previous log held
// (longer, shorter, fuller values, a load that failed half way), the result
// must be exactly what a fresh load of the same file gives.
TEST(Totals, AReloadGivesWhatAFreshLoadGives)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    auto full = [](const QString& call, const QString& serial, const QString& mode) {
        ContactRecord r = contact(call, serial, mode, "40", "BUTTE");
        r.LogSPC = "Federal Republic of Germany";
        r.LogFrequency = "7025.500";
        r.LogSpare17 = "a long value left over from another program";
        r.LogSpareNumber = 12.5;
        return r;
    };
    const struct {
        const char* name;
        QByteArray bytes;
        LogReadError error;
    } files[] = {
        {"five full records", formatLogFile(logtest::logOf({full("K6AA", "1", "CW"), full("W1AW", "2", "PH"),
                                                             full("W1AW", "2", "PH"), full("N6XX", "3", "DG"),
                                                             full("KA6BCD", "4", "CW")})),
         LogReadError::None},
        {"longer, values now empty",
         formatLogFile(logtest::logOf({contact("K6A", "1"), contact("K6B", "2", "PH", "20", ""), contact("K6C", "3"),
                                       contact("K6D", "4"), contact("K6D", "4"), contact("K6E", "5", "PH"),
                                       contact("K6F", "6"), contact("K6G", "7", "DG", "2", "ALPINE")})),
         LogReadError::None},
        {"shorter", formatLogFile(logtest::logOf({full("W6Z", "9", "PH"), contact("N6Q", "10")})), LogReadError::None},
        {"damaged part way", formatLogFile(logtest::logOf({contact("AA6X", "1"), contact("AA6Y", "2")})) + "\"K6Q\",\"5\"",
         LogReadError::ShortRecord},
        {"after the failed load", formatLogFile(logtest::logOf({contact("K6A", "1"), contact("W6B", "2", "PH")})),
         LogReadError::None},
        {"empty", "", LogReadError::None},
        {"one again", formatLogFile(logtest::logOf({full("K6AA", "1", "CW")})), LogReadError::None},
    };
    LogState reloaded;
    ASSERT_EQ(ReloadAndRecount(reloaded, path), LogReadError::Missing);
    ContactRecord kept;  // a copy taken before the reloads must not change under them
    for (const auto& f : files) {
        SCOPED_TRACE(f.name);
        writeBytes(path, f.bytes);
        const std::vector<ContactRecord> before = reloaded.contacts.records();
        const LogTotals totalsBefore = reloaded.totals;
        if (reloaded.contacts.ContactCount() > 0 && kept.LogCall.isEmpty())
            kept = reloaded.contacts.record(1);
        ASSERT_EQ(ReloadAndRecount(reloaded, path), f.error);
        if (f.error != LogReadError::None) {
            EXPECT_EQ(reloaded.contacts.records(), before);
            EXPECT_EQ(reloaded.totals.QSOPoints, totalsBefore.QSOPoints);
            continue;
        }
        LogState fresh;
        ASSERT_EQ(ReloadAndRecount(fresh, path), LogReadError::None);
        EXPECT_EQ(reloaded.contacts.records(), fresh.contacts.records());
        EXPECT_EQ(reloaded.contacts.records(), parseLogFile(f.bytes).records);
        EXPECT_EQ(reloaded.totals.QSOPoints, fresh.totals.QSOPoints);
        EXPECT_EQ(reloaded.totals.CWQSOCount, fresh.totals.CWQSOCount);
        EXPECT_EQ(reloaded.totals.PhoneQSOCount, fresh.totals.PhoneQSOCount);
        EXPECT_EQ(reloaded.totals.DigitalQSOCount, fresh.totals.DigitalQSOCount);
        const CountyTable table = logtest::counties();
        EXPECT_EQ(RebuildCountyLists(reloaded.contacts, table).worked, RebuildCountyLists(fresh.contacts, table).worked);
    }
    EXPECT_EQ(kept, full("K6AA", "1", "CW"));
}

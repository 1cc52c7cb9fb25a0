#include "log/dupe_checks.h"
#include "log_test_helpers.h"
#include "platform/clock.h"

#include <gtest/gtest.h>

using namespace contactlog;
using logtest::contact;

namespace {
DupeKey outKey(const QString& band = "20", const QString& mode = "CW")
{
    return {WindowKind::OutOfState, band, mode, {}, {}};
}
DupeKey inKey(const QString& myCounty, const QString& band = "20", const QString& mode = "CW")
{
    return {WindowKind::InState, band, mode, myCounty, "CA"};
}
ContactRecord inContact(const QString& call, const QString& spc, const QString& county, const QString& myCounty)
{
    ContactRecord r = contact(call, "5", "CW", "20", county);
    r.LogSPC = spc;
    r.LogCountySent = myCounty;
    return r;
}
}  // namespace

TEST(DupCheck, RuleTable)
{
    const ContactLog log = logtest::logOf({contact("K6AA", "1", "CW", "20", "ALAMEDA")});
    struct Case {
        const char* name;
        DupeEntry entry;
        DupeKey key;
        bool dupe;
    };
    const Case cases[] = {
        {"same call, band, mode, county", {"K6AA", "ALAMEDA", {}}, outKey(), true},
        {"letter case ignored", {"k6aa", "alameda", {}}, outKey("20", "cw"), true},
        {"other county (rover)", {"K6AA", "BUTTE", {}}, outKey(), false},
        {"other band", {"K6AA", "ALAMEDA", {}}, outKey("40"), false},
        {"other mode", {"K6AA", "ALAMEDA", {}}, outKey("20", "PH"), false},
        {"trailing blank is another call", {"K6AA ", "ALAMEDA", {}}, outKey(), false},
        {"empty county filled from the earlier contact", {"K6AA", "", {}}, outKey(), true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(findDuplicate(log, c.entry, c.key).isDupe(), c.dupe);
    }
}

TEST(DupCheck, InStateAddsTheOwnCountyAndNamesTheEarliestRecord)
{
    const ContactLog log = logtest::logOf({inContact("K6AA", "CA", "ALAMEDA", "BUTTE"),
                                           inContact("K6AA", "CA", "ALAMEDA", "AMADOR"),
                                           inContact("K6AA", "CA", "ALAMEDA", "AMADOR")});
    EXPECT_FALSE(findDuplicate(log, {"K6AA", "ALAMEDA", "CA"}, inKey("ALPINE")).isDupe());
    const DupCheckResult r = findDuplicate(log, {"K6AA", "ALAMEDA", "CA"}, inKey("amador"));
    EXPECT_EQ(r.dupeRecord, 2);
    EXPECT_EQ(r.message, "Duplicate K6AA 10/02 16:02:41  Rec# 2");
    const DupCheckResult out = findDuplicate(log, {"K6AA", "ALAMEDA", {}}, outKey());
    EXPECT_EQ(out.message, "Duplicate K6AA  2021/10/02  16:02:41   Rec# 1");
}

TEST(DupCheck, FillsEmptyBoxesFromTheEarliestContactThatHasThem)
{
    const ContactLog log = logtest::logOf(
        {inContact("W7XX", "", "", "BUTTE"), inContact("W7XX", "NV", "", "BUTTE"), inContact("W7XX", "CA", "BUTTE", "X")});
    const DupCheckResult r = findDuplicate(log, {"W7XX", "", ""}, inKey("ALPINE", "40"));
    EXPECT_EQ(r.entry.spc, "NV");
    EXPECT_EQ(r.entry.county, "BUTTE");
    EXPECT_TRUE(r.countyFilled);
    EXPECT_TRUE(r.spcFilled);
    EXPECT_FALSE(r.isDupe());
}

TEST(DupCheck, SetsTheFlagAndStampsTheMonotonicMoment)
{
    LogState state;
    state.contacts = logtest::logOf({contact("K6AA", "1")});
    platform::ManualClock clock;
    clock.advanceMs(5000);
    EXPECT_TRUE(DupCheck(state, {"K6AA", "ALAMEDA", {}}, outKey(), clock).isDupe());
    EXPECT_EQ(state.DupeFlag, 1);
    EXPECT_EQ(state.DupeTimeMs, 5000);
    EXPECT_FALSE(DupCheck(state, {"K6AB", "ALAMEDA", {}}, outKey(), clock).isDupe());
    EXPECT_EQ(state.DupeFlag, 0);
}

TEST(DupCheck2, WarnsWithoutBlockingAndListsEarlierContacts)
{
    LogState state;
    state.contacts = logtest::logOf({contact("K6AA", "1", "CW", "20", "ALAMEDA"), contact("W1AW", "2"),
                                     contact("K6AA", "3", "CW", "20", "BUTTE"), contact("K6AA", "4", "PH", "20", "BUTTE")});
    platform::ManualClock clock;
    LeaveCallResult quick = DupCheck2(state, {"K6AA", "", {}}, outKey(), false, clock);
    EXPECT_EQ(quick.warningRecord, 1);  // without the list the earliest is named
    EXPECT_EQ(quick.warning, "Duplicate Unless Rover!  K6AA  2021/10/02  16:02:41   Rec# 1");
    EXPECT_EQ(quick.entry.county, "ALAMEDA");
    EXPECT_TRUE(quick.listRows.empty());
    EXPECT_EQ(state.DupeFlag, 0);

    LeaveCallResult listed = DupCheck2(state, {"K6AA", "BUTTE", {}}, outKey(), true, clock);
    EXPECT_EQ(listed.listRows, (std::vector<int>{1, 3, 4}));
    EXPECT_EQ(listed.warningRecord, 3);  // with the list the latest is named
    EXPECT_EQ(listed.warningBeeps, 2);
    EXPECT_FALSE(listed.countyFilled);
}

TEST(DupCheck2, InStateBlocksAStationOutsideThePartyStateAtOnce)
{
    LogState state;
    state.contacts = logtest::logOf({inContact("W7XX", "NV", "", "BUTTE")});
    platform::ManualClock clock;
    const LeaveCallResult same = DupCheck2(state, {"W7XX", "", ""}, inKey("BUTTE"), false, clock);
    ASSERT_TRUE(same.blocking.has_value());
    EXPECT_EQ(same.blocking->dupeRecord, 1);
    EXPECT_EQ(state.DupeFlag, 1);
    const LeaveCallResult moved = DupCheck2(state, {"W7XX", "", ""}, inKey("ALPINE"), false, clock);
    EXPECT_FALSE(moved.blocking.has_value());
    EXPECT_EQ(moved.warningRecord, 0);
    EXPECT_EQ(state.DupeFlag, 0);
}

TEST(PartialCallCheck, ListsMatchesOfBandAndModeNewestFirst)
{
    LogState state;
    state.contacts = logtest::logOf({contact("K6AA", "1"), contact("K6AB", "1", "PH"), contact("W6AA", "1"),
                                     contact("k6ac", "1"), contact("K6", "1")});
    const PartialCallResult r = PartialCallCheck(state, "K", '6', outKey());
    EXPECT_EQ(r.dupeList, "K6 k6ac K6AA ");
    EXPECT_FALSE(r.dialog.has_value());
    EXPECT_EQ(PartialCallCheck(state, "K6A", 'A', outKey()).dupeList, "K6AA ");
    EXPECT_EQ(PartialCallCheck(state, "K6A", 'A', outKey()).dialog, "Possible Duplicate!");

    state.PartialDupesFlag = 0;
    EXPECT_TRUE(PartialCallCheck(state, "K", '6', outKey()).dupeList.isEmpty());
}

TEST(PartialCallCheck, TheListStopsOnceItPassesOneHundredCharacters)
{
    LogState state;
    std::vector<ContactRecord> records;
    for (int i = 0; i < 40; ++i)
        records.push_back(contact(QStringLiteral("K6A%1").arg(i, 2, 10, QChar('0')), "1"));
    state.contacts.replaceAll(records);
    const PartialCallResult r = PartialCallCheck(state, "K", '6', outKey());
    // Six characters a match with its blank: 17 matches make 102, the first
    // length past 100; they are the earliest 17, newest of them first.
    EXPECT_EQ(r.dupeList.size(), 102);
    EXPECT_TRUE(r.dupeList.startsWith("K6A16 "));
    EXPECT_TRUE(r.dupeList.endsWith("K6A00 "));
}

TEST(PartialCallCheck, ThirdCharacterRuleAndKeysOutsideTheRange)
{
    LogState state;
    struct Case {
        const char* text;
        int key;
        std::optional<QString> dialog;
        bool beep;
    };
    const Case cases[] = {
        {"K6", 'A', " ", false},
        {"KA", '6', " ", false},
        {"K/", 'A', " ", false},
        {"KA", 'B', "The second or third character is not numeric!", true},
        {"KA", 8, std::nullopt, false},   // Backspace: no test
        {"KA", 13, std::nullopt, false},  // Enter
        {"KA", 45, std::nullopt, false},  // hyphen
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        const PartialCallResult r = PartialCallCheck(state, c.text, c.key, outKey());
        EXPECT_EQ(r.dialog, c.dialog);
        EXPECT_EQ(r.beep, c.beep);
    }
    state.TimedOnFlag = 1;
    EXPECT_EQ(PartialCallCheck(state, "K", '6', outKey()).dialog, " ");
}

TEST(HoldAfterDupe, WaitsThreeSecondsOnTheMonotonicClockAndAlwaysEnds)
{
    LogState state;
    platform::ManualClock clock;
    clock.advanceMs(10'000);
    state.DupeFlag = 1;
    state.DupeTimeMs = 9'000;
    EXPECT_EQ(dupeHoldRemainingMs(state, clock.monotonicMs()), 2000);
    qint64 paused = 0;
    HoldAfterDupe(state, clock, [&](qint64 ms) {
        paused += ms;
        clock.advanceMs(ms);
    });
    EXPECT_EQ(paused, 2000);
    EXPECT_EQ(state.DupeFlag, 0);

    // A stamp far ahead (a clock set back) holds three seconds at most; a
    // clock that stands still ends the hold at once.
    state.DupeFlag = 1;
    state.DupeTimeMs = clock.monotonicMs() + 1'000'000;
    paused = 0;
    HoldAfterDupe(state, clock, [&](qint64 ms) {
        paused += ms;
        clock.advanceMs(ms);
    });
    EXPECT_EQ(paused, 3000);
    EXPECT_EQ(state.DupeFlag, 0);
    state.DupeFlag = 1;
    state.DupeTimeMs = clock.monotonicMs();
    paused = 0;
    HoldAfterDupe(state, clock, [&](qint64 ms) { paused += ms; });
    EXPECT_LE(paused, 20);
    EXPECT_EQ(state.DupeFlag, 0);

    // A prompt that cannot play is not waited for; one that never ends is cut off.
    int asked = 0;
    waitWhilePlaying([&] { ++asked; return false; }, clock, 5000, [&](qint64 ms) { clock.advanceMs(ms); });
    EXPECT_EQ(asked, 1);
    const qint64 before = clock.monotonicMs();
    waitWhilePlaying([] { return true; }, clock, 5000, [&](qint64 ms) { clock.advanceMs(ms); });
    EXPECT_EQ(clock.monotonicMs() - before, 5000);
}

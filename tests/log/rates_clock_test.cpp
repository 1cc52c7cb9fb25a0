#include "log/rates_clock.h"
#include "log/recent_contacts.h"
#include "log_test_helpers.h"

#include <gtest/gtest.h>

using namespace contactlog;

namespace {
ContactRecord at(const QDateTime& utc, bool withSeconds = true)
{
    ContactRecord r = logtest::contact("K6AA", "1");
    r.LogDate = utc.toString("yyyy/MM/dd");
    r.LogTime = utc.toString(withSeconds ? "HH:mm:ss" : "HH:mm");
    return r;
}
}  // namespace

TEST(Rates, WindowEdges)
{
    const QDateTime now(QDate(2021, 10, 2), QTime(18, 0, 0), Qt::UTC);
    auto minutesAgo = [&](int s) { return at(now.addSecs(-s)); };
    // 61, 59, 25, 20 (exactly 1,200 s: the hour only), 15 and 5 minutes ago.
    const ContactLog log = logtest::logOf({minutesAgo(61 * 60), minutesAgo(59 * 60), minutesAgo(25 * 60),
                                           minutesAgo(1200), minutesAgo(15 * 60), minutesAgo(5 * 60)});
    auto rates = computeQsoRates(log, now);
    ASSERT_TRUE(rates);
    EXPECT_EQ(rates->last60, 5);
    EXPECT_EQ(rates->last20x3, 6);

    // Exactly an hour old stops the walk; a record from the future counts in both.
    rates = computeQsoRates(logtest::logOf({minutesAgo(5 * 60), minutesAgo(3600), at(now.addSecs(60))}), now);
    EXPECT_EQ(rates->last60, 1);
    EXPECT_EQ(rates->last20x3, 3);
    // A post-contest contact of days ago entered last stops the walk at once.
    rates = computeQsoRates(logtest::logOf({minutesAgo(60), at(now.addDays(-3), false)}), now);
    EXPECT_EQ(rates->last60, 0);
    EXPECT_EQ(computeQsoRates(ContactLog{}, now)->last20x3, 0);

    ContactRecord bad = minutesAgo(60);
    bad.LogTime = "25:00:00";
    EXPECT_FALSE(computeQsoRates(logtest::logOf({bad}), now).has_value());
}

TEST(Clock, ContestUtcAndLabels)
{
    const QDateTime local(QDate(2021, 10, 2), QTime(20, 30, 0), Qt::LocalTime);
    EXPECT_EQ(contestUtc(local, 7).toString("yyyy/MM/dd HH:mm:ss"), "2021/10/03 03:30:00");
    EXPECT_EQ(contestUtc(local, 5.5f).toString("HH:mm"), "02:00");
    const ClockTexts t = clockTexts(local, 7);
    EXPECT_EQ(t.lblCurTime, "8:30:00");
    EXPECT_EQ(t.lblutctime, "03:30:00");
}

TEST(OperatingTime, FormatAndClock)
{
    EXPECT_EQ(formatOperatingTime(0), "00:00:00");
    EXPECT_EQ(formatOperatingTime(3725), "01:02:05");
    EXPECT_EQ(formatOperatingTime(36000), "10:00:00");
    EXPECT_EQ(formatOperatingTime(363600), "01:00:00");
    EXPECT_EQ(formatOperatingTime(100 * 3600 + 5), "00:00:05");

    LogState state;
    float banked = 100;
    const QDateTime t0(QDate(2021, 10, 2), QTime(12, 0, 0));
    EXPECT_FALSE(tickOperatingClock(state, banked, t0));
    state.OperatingSeconds = banked;
    TimeOn(state, t0);
    // Time Off before the next tick banks the value shown before Time On.
    TimeOff(state, banked, t0.addSecs(30), 0);
    EXPECT_EQ(banked, 100.0f);
    TimeOn(state, t0);
    ASSERT_TRUE(tickOperatingClock(state, banked, t0.addSecs(65)));
    EXPECT_EQ(state.OperatingSeconds, 165.0f);
    const QString msg = TimeOff(state, banked, t0.addSecs(65), 5.5f);
    EXPECT_EQ(banked, 165.0f);
    EXPECT_TRUE(msg.startsWith("Logged Off at "));
    EXPECT_TRUE(msg.endsWith(" 18:01:05"));  // 5.5 hours taken as 6 whole hours
    EXPECT_FALSE(bankRunningClock(state, banked));
}

TEST(RecentContacts, RowsAndNextSerial)
{
    std::vector<ContactRecord> records(21, logtest::contact("K6AA", "1"));
    ContactLog log;
    log.replaceAll(records);
    auto rows = recentContactRecords(log, 0);
    ASSERT_EQ(rows.size(), 20u);
    EXPECT_EQ(rows.front(), 21);
    EXPECT_EQ(rows.back(), 2);
    EXPECT_EQ(recentContactRecords(log, 1).size(), 21u);

    ContactRecord r = logtest::contact("K6AA", "7", "CW", "40", "ALAMEDA");
    r.LogDate = "2008/10/04";
    r.LogTime = "17:05:33";
    r.LogSerialSent = "012";
    r.LogSPC = "CA";
    r.LogCountySent = "BUTTE";
    const ContactLog one = logtest::logOf({r});
    EXPECT_EQ(contactListRow(one, 1, false, false),
              (QStringList{"1", "K6AA", "7", "ALAMEDA", "012", "10/04 17:05", "CW", "40"}));
    EXPECT_EQ(contactListRow(one, 1, true, true),
              (QStringList{"1", "K6AA", "7", "CA", "ALAMEDA", "012", "10/04 17:05", "CW", "40", "BUTTE"}));

    struct Case {
        const char* lastSerial;
        int count;
        const char* next;
    };
    const Case cases[] = {{"007", 1, "008"}, {"999", 1, "1000"}, {"099", 1, "100"}, {"ABC", 41, "042"}, {"", 5, "006"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.lastSerial);
        std::vector<ContactRecord> rs(static_cast<std::size_t>(c.count), logtest::contact("K6AA", "1"));
        rs.back().LogSerialSent = c.lastSerial;
        ContactLog l;
        l.replaceAll(rs);
        EXPECT_EQ(NextSerial(l), c.next);
    }
    EXPECT_EQ(NextSerial(ContactLog{}), "001");
}

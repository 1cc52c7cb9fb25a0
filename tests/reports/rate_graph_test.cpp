// The rate graph's numbers, from contacts to columns.

#include "reports/rate_graph.h"

#include "support/test_support.h"

#include <QDateTime>
#include <cmath>
#include <functional>
#include <gtest/gtest.h>

using contactlog::ContactRecord;
using reports::computeRateGraph;
using reports::GraphStage;
using reports::RateGraph;

namespace {

const QRgb Black = qRgb(0, 0, 0);
const QRgb White = qRgb(255, 255, 255);
const reports::BandColors Bands = reports::defaultBandColors();
const QRgb Red40 = Bands[2];
const QRgb Green20 = Bands[3];
const QRgb YellowOther = Bands[6];

/// 2021/10/02 00:00:00 UTC plus seconds, as a log record on a band.
ContactRecord at(qint64 seconds, const char* band = "20")
{
    const QDateTime t = QDateTime(QDate(2021, 10, 2), QTime(0, 0), Qt::UTC).addSecs(seconds);
    ContactRecord r;
    r.LogDate = t.toString(QStringLiteral("yyyy/MM/dd"));
    r.LogTime = t.toString(QStringLiteral("hh:mm:ss"));
    r.LogBand = QString::fromLatin1(band);
    return r;
}

/// A contact every `step` seconds from `from`, `count` of them.
std::vector<ContactRecord> every(qint64 from, qint64 step, int count, const char* band = "20")
{
    std::vector<ContactRecord> log;
    for (int i = 0; i < count; ++i)
        log.push_back(at(from + step * i, band));
    return log;
}

int columnOf(qint64 seconds, qint64 span) { return static_cast<int>(std::nearbyint(seconds * 1500.0 / span)); }

}  // namespace

TEST(RateGraph, NeedsSevenContacts)
{
    EXPECT_EQ(computeRateGraph(every(0, 60, 6), Black, Bands).stage, GraphStage::TooFewContacts);
    const RateGraph g = computeRateGraph(every(0, 60, 7), Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.RawRate[1], 6);  // record 1 is column 1 at rate 6
    EXPECT_EQ(g.PlotRate[1], 6);
    // Seven contacts a minute apart: the last counts all seven.
    EXPECT_EQ(g.RawRate[1500], 42);
}

TEST(RateGraph, TenMinuteWindowExcludesExactlySixHundredSeconds)
{
    for (const auto& [gap, rate] : {std::pair{599, 12}, std::pair{600, 6}}) {
        auto log = every(0, 0, 1);
        log.push_back(at(gap));
        for (int k = 1; k <= 5; ++k)
            log.push_back(at(3600 * k));
        const RateGraph g = computeRateGraph(log, Black, Bands);
        ASSERT_EQ(g.stage, GraphStage::Complete);
        EXPECT_EQ(g.RawRate[static_cast<std::size_t>(columnOf(gap, 5 * 3600))], rate) << "gap " << gap;
    }
}

TEST(RateGraph, LaterContactInTheSameColumnWins)
{
    // Span 15,000 s: ten seconds a column.
    auto log = every(0, 2500, 7);
    log.insert(log.begin() + 3, at(6001, "40"));
    log.insert(log.begin() + 3, at(6000, "20"));
    const RateGraph g = computeRateGraph(log, Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.RawRate[600], 12);  // both counted by the later one
    EXPECT_EQ(g.ColumnColor[600], Red40);
}

TEST(RateGraph, GapHoldsThenFallsToZeroAndClimbsBack)
{
    // Columns of 60 s: a burst, 100 empty columns, then another burst.
    std::vector<ContactRecord> log = every(0, 60, 20);
    for (int k = 0; k < 20; ++k)
        log.push_back(at(60 * (120 + k)));
    log.push_back(at(90000));  // a span of 90,000 s: 60 s a column
    const RateGraph g = computeRateGraph(log, Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    // The first burst ends at column 19 (10 contacts in ten minutes: 60).
    EXPECT_EQ(g.RawRate[19], 60);
    // Six more columns hold a value through the smoothing, then zero.
    for (int c = 20; c <= 25; ++c)
        EXPECT_GT(g.PlotRate[static_cast<std::size_t>(c)], 0) << c;
    for (int c = 26; c <= 105; ++c) {
        EXPECT_EQ(g.PlotRate[static_cast<std::size_t>(c)], 0) << c;
        EXPECT_EQ(g.ColumnColor[static_cast<std::size_t>(c)], Black) << c;  // no strip
    }
    // The fifteen columns before the next contact (column 120, rate 6) rise
    // from zero in a straight line.
    EXPECT_EQ(g.RawRate[105], 0);
    EXPECT_FLOAT_EQ(g.RawRate[106], 0.4F);
    EXPECT_FLOAT_EQ(g.RawRate[119], 5.6F);
    EXPECT_EQ(g.RateMin, 0);
    EXPECT_EQ(g.rateLabels[0], QStringLiteral("0.0"));
}

TEST(RateGraph, ShortGapIsBridgedFromTheColumnBefore)
{
    // Span 1,500 s: one second a column. Rates 6 at column 1, 12 at 10.
    std::vector<ContactRecord> log{at(0), at(5), at(10)};
    for (int k = 1; k <= 5; ++k)
        log.push_back(at(300 * k));
    const RateGraph g = computeRateGraph(log, Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.RawRate[5], 12);
    // Columns 2 to 4 run from 6 towards 12.
    EXPECT_FLOAT_EQ(g.RawRate[2], 6);
    EXPECT_FLOAT_EQ(g.RawRate[3], 8);
    EXPECT_FLOAT_EQ(g.RawRate[4], 10);
    // Then from 12 at column 5 towards 18 at column 10.
    EXPECT_FLOAT_EQ(g.RawRate[6], 12);
    EXPECT_FLOAT_EQ(g.RawRate[7], 13.5F);
    // Smoothing: column 7 is the mean of columns 1 to 7's positive values.
    EXPECT_FLOAT_EQ(g.PlotRate[7], (6 + 6 + 8 + 10 + 12 + 12 + 13.5F) / 7);
}

TEST(RateGraph, OneBandColoursTheWholeStrip)
{
    const RateGraph g = computeRateGraph(every(0, 30, 200), Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    for (int c = 1; c <= 1500; ++c)
        ASSERT_EQ(g.ColumnColor[static_cast<std::size_t>(c)], Green20) << c;
}

TEST(RateGraph, SixAndTwoMetresAreOther)
{
    // Seven contacts 250 columns apart, on 6 m, 2 m and an unknown band.
    auto log = every(0, 60, 7, "6");
    log[3].LogBand = QStringLiteral("2");
    log[4].LogBand = QStringLiteral("17");
    const RateGraph g = computeRateGraph(log, Black, Bands);
    for (int c : {250, 750, 1000})
        EXPECT_EQ(g.ColumnColor[static_cast<std::size_t>(c)], YellowOther) << c;
}

TEST(RateGraph, BandInTheBackgroundColourContinuesTheBandBefore)
{
    // On white, 160 m is drawn in the colour carried from the left: black at
    // the very start, the 40 m red after a 40 m contact. A contact a minute,
    // 110 of them: never more than 15 columns apart, so no gap resets it.
    std::vector<ContactRecord> log;
    for (int i = 0; i < 110; ++i)
        log.push_back(at(60 * i, i >= 40 && i < 70 ? "40" : "160"));
    const RateGraph g = computeRateGraph(log, White, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    auto column = [](int i) { return static_cast<std::size_t>(columnOf(60 * i, 60 * 109)); };
    EXPECT_EQ(g.ColumnColor[1], Black);
    EXPECT_EQ(g.ColumnColor[column(20)], Black);
    EXPECT_EQ(g.ColumnColor[column(20) + 3], Black);
    EXPECT_EQ(g.ColumnColor[column(50)], Red40);
    EXPECT_EQ(g.ColumnColor[column(90)], Red40);
    EXPECT_EQ(g.ColumnColor[1500], Red40);
    // On black the same log shows 160 m in white.
    EXPECT_EQ(computeRateGraph(log, Black, Bands).ColumnColor[column(90)], White);
}

TEST(RateGraph, LabelsAcrossMidnight)
{
    // 23:00 on the 2nd to 01:20 on the 3rd: 140 minutes, 10 a label.
    const RateGraph g = computeRateGraph(every(23 * 3600, 1400, 7), Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.timeLabels[0], QStringLiteral("23:00"));
    EXPECT_EQ(g.dateLabels[0], QStringLiteral("10/02"));
    EXPECT_EQ(g.timeLabels[5], QStringLiteral("23:50"));
    EXPECT_EQ(g.timeLabels[6], QStringLiteral("00:00"));
    EXPECT_EQ(g.dateLabels[6], QStringLiteral("10/03"));
    EXPECT_EQ(g.timeLabels[14], QStringLiteral("01:20"));
    EXPECT_EQ(g.dateLabels[14], QStringLiteral("10/03"));
    // Every contact is 1,400 s from the last: rate 6 all along.
    EXPECT_EQ(g.RawRate[1500], 6);
    EXPECT_EQ(g.RawRate[static_cast<std::size_t>(columnOf(3 * 1400, 6 * 1400))], 6);
}

TEST(RateGraph, RateLabelsSpreadFromMinimumToMaximum)
{
    // One contact a minute for an hour: rates climb to 60 and hold there.
    const RateGraph g = computeRateGraph(every(0, 60, 61), Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.rateLabels[0], QString::number(g.RateMin, 'f', 1));
    EXPECT_EQ(g.rateLabels[16], QStringLiteral("60.0"));
    EXPECT_EQ(g.rateLabels[8], QString::number((g.RateMin + 60) / 2, 'f', 1));
}

TEST(RateGraph, ContactsWithinOneMinuteStillSpreadOverTheWidth)
{
    const RateGraph g = computeRateGraph(every(0, 9, 7), Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.timeLabels[0], QStringLiteral("00:00"));
    EXPECT_EQ(g.timeLabels[14], QStringLiteral("00:00"));
    EXPECT_EQ(g.RawRate[250], 12);
    EXPECT_EQ(g.RawRate[1500], 42);
}

TEST(RateGraph, ContactNearTheFirstFallsInColumnZero)
{
    // Span 15,000 s: a contact 4 s after the first rounds to column 0,
    // which is never plotted; record 1 keeps column 1 at rate 6.
    auto log = every(0, 2500, 7);
    log.insert(log.begin() + 1, at(4));
    const RateGraph g = computeRateGraph(log, Black, Bands);
    ASSERT_EQ(g.stage, GraphStage::Complete);
    EXPECT_EQ(g.RawRate[0], 12);
    EXPECT_EQ(g.RawRate[1], 6);
}

TEST(RateGraph, LogsItCannotGraphStopAtTheStepThatFails)
{
    struct Case {
        const char* what;
        std::function<void(std::vector<ContactRecord>&)> change;
        GraphStage stage;
    };
    const Case cases[] = {
        {"first record no moment", [](auto& log) { log.front().LogTime = QStringLiteral("25:00:00"); },
         GraphStage::NoMoment},
        {"last record no moment", [](auto& log) { log.back().LogDate = QStringLiteral("2021/02/30"); },
         GraphStage::NoMoment},
        {"middle record no moment", [](auto& log) { log[3].LogDate = QString(); }, GraphStage::TimeLabelsOnly},
        {"first and last at one moment", [](auto& log) { log.back() = log.front(); }, GraphStage::TimeLabelsOnly},
        {"record far after the last", [](auto& log) { log[3] = at(7 * 3600); }, GraphStage::TimeLabelsOnly},
        {"record before the first", [](auto& log) { log[3] = at(-600); }, GraphStage::TimeLabelsOnly},
    };
    for (const Case& c : cases) {
        auto log = every(0, 600, 8);
        c.change(log);
        const RateGraph g = computeRateGraph(log, Black, Bands);
        EXPECT_EQ(g.stage, c.stage) << c.what;
        if (c.stage == GraphStage::TimeLabelsOnly)
            EXPECT_FALSE(g.timeLabels[14].isEmpty()) << c.what;
        EXPECT_TRUE(g.rateLabels[0].isEmpty()) << c.what;
    }
}

TEST(RateGraph, FlatCurveSetsRateLabelsButCannotBeScaled)
{
    // A contact every 601 s: each in a column of its own, all at rate 6.
    const RateGraph g = computeRateGraph(every(0, 601, 1501), Black, Bands);
    EXPECT_EQ(g.stage, GraphStage::RateLabelsOnly);
    EXPECT_EQ(g.RateMin, 6);
    EXPECT_EQ(g.RateMax, 6);
    EXPECT_EQ(g.rateLabels[16], QStringLiteral("6.0"));
}

TEST(RateGraph, ContactMomentReadsTheLogForms)
{
    const qint64 base = reports::contactMoment(QStringLiteral("2021/10/02"), QStringLiteral("00:00:00")).value();
    EXPECT_EQ(base, QDateTime(QDate(2021, 10, 2), QTime(0, 0), Qt::UTC).toSecsSinceEpoch());
    EXPECT_EQ(reports::contactMoment(QStringLiteral("2021/10/02"), QStringLiteral("16:02:41")), base + 57761);
    EXPECT_EQ(reports::contactMoment(QStringLiteral("2021/10/02"), QStringLiteral("16:02")), base + 57720);
    EXPECT_EQ(reports::contactMoment(QStringLiteral("2024/02/29"), QStringLiteral("00:00")).has_value(), true);
    for (const auto& [date, time] :
         {std::pair{"2023/02/29", "00:00"}, std::pair{"2021/13/01", "00:00"}, std::pair{"2021/10/02", "24:00"},
          std::pair{"2021/10/02", "12:60"}, std::pair{"2021-10-02", "12:00"}, std::pair{"2021/10/02", "12"},
          std::pair{"2021/10/02", "12:00:"}, std::pair{"", ""}, std::pair{"2021/10/02", "1a:00"}})
        EXPECT_FALSE(reports::contactMoment(QString::fromLatin1(date), QString::fromLatin1(time)).has_value())
            << date << " " << time;
}

#include "spots/spot_store.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace spots;

namespace {
const QDateTime T0(QDate(2021, 10, 2), QTime(10, 4, 31));
}

TEST(SpotPrefix, WorkedExamples)
{
    const struct {
        const char* call;
        const char* label;
    } cases[] = {
        {"Q1", ""},          {"QQQ", "QQQ"},       {"QQ1QQ", "QQ1"},     {"QQ7/Q1QQ", "QQ7"},
        {"QQ1QQ/7", "QQ7"},  {"QQ1QQ/P", "P"},     {"QQ1QQ/QQ2", "QQ2"}, {"Q1QQ/QRP", "QR"},
        {"JA1ABC", "JA1"},   {"VP2E/K1AB", "VP2E"}, {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(SpotPrefix(QString::fromLatin1(c.call)), QString::fromLatin1(c.label)) << c.call;
}

TEST(SpotStore, NewestInSlot49AndThe51stPushesTheFirstOut)
{
    SpotStore store;
    for (int i = 1; i <= 51; ++i)
        store.store(QStringLiteral("K%1AA").arg(i), 14.0f + i / 1000.0f, T0.addSecs(i));
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("K51AA"));
    EXPECT_EQ(store.slot(49).SpotLabel, QStringLiteral("K51"));
    EXPECT_EQ(store.slot(49).SpotTime, T0.addSecs(51));
    EXPECT_EQ(store.slot(0).SpotCall, QStringLiteral("K2AA"));
    EXPECT_EQ(store.slot(50).SpotCall, QString());
    EXPECT_FLOAT_EQ(store.slot(0).SpotFrequency, 14.0f + 2 / 1000.0f);
}

TEST(SpotStore, ARepeatedCallDeletesItsNewestOlderCopyOnly)
{
    SpotStore store;
    store.store(QStringLiteral("DL1ABC"), 14.010f, T0);
    store.store(QStringLiteral("DL1ABC"), 14.020f, T0);
    store.store(QStringLiteral("G3XYZ"), 7.010f, T0);
    store.store(QStringLiteral("dl1abc"), 14.030f, T0);
    // Slots 49 (new), 48 G3XYZ, 47 the second DL1ABC (deleted by the third),
    // 46 the first DL1ABC (deleted by the second).
    EXPECT_FLOAT_EQ(store.slot(49).SpotFrequency, 14.030f);
    EXPECT_TRUE(store.live(48));
    EXPECT_FALSE(store.live(47));
    EXPECT_FALSE(store.live(46));
    EXPECT_EQ(store.slot(47).SpotCall, QStringLiteral("DL1ABC"));

}

TEST(SpotStore, ACopyInSlotZeroStaysLive)
{
    SpotStore store;
    store.store(QStringLiteral("VK2AB"), 21.010f, T0);
    for (int i = 0; i < 48; ++i)
        store.store(QStringLiteral("W%1X").arg(i), 14.1f, T0);
    ASSERT_EQ(store.slot(1).SpotCall, QStringLiteral("VK2AB"));
    // The new spot shifts the old copy into slot 0, which the scan skips.
    store.store(QStringLiteral("VK2AB"), 21.020f, T0);
    EXPECT_EQ(store.slot(0).SpotCall, QStringLiteral("VK2AB"));
    EXPECT_TRUE(store.live(0));
    EXPECT_TRUE(store.live(49));
}

TEST(SpotStore, ASpotIsFoundByItsIdWhereverLaterSpotsMovedItUntilItLeaves)
{
    SpotStore store;
    EXPECT_EQ(store.slotOf(0), -1);
    store.store(QStringLiteral("DL1ABC"), 14.025f, T0);
    const SpotId first = store.slot(49).id;
    ASSERT_NE(first, 0u);
    store.store(QStringLiteral("JA1XYZ"), 14.049f, T0);
    EXPECT_NE(store.slot(49).id, first);
    EXPECT_EQ(store.slotOf(first), 48);
    // Deleted from the maps it is still where it is.
    store.deleteSpot(48);
    EXPECT_EQ(store.slotOf(first), 48);
    for (int i = 0; i < 48; ++i)
        store.store(QStringLiteral("W%1X").arg(i), 7.01f, T0);
    EXPECT_EQ(store.slotOf(first), 0);
    store.store(QStringLiteral("K1ABC"), 7.02f, T0);
    EXPECT_EQ(store.slotOf(first), -1);
    // Slots never filled hold no spot to find.
    EXPECT_EQ(SpotStore().slot(0).id, 0u);
}

TEST(SpotFrequency, OnlyPositiveNumbersPass)
{
    EXPECT_DOUBLE_EQ(*spotFrequencyMHz(QStringLiteral("14025.0")), 14.025);
    EXPECT_DOUBLE_EQ(*spotFrequencyMHz(QStringLiteral("10368100")), 10368.1);
    for (const char* bad : {"", "  ", "abc", "0", "0.0", "-7025", "14025x", "nan", "inf", "1e45"})
        EXPECT_FALSE(spotFrequencyMHz(QString::fromLatin1(bad)).has_value()) << bad;
}

TEST(SpotList, RowColumnsFromTheRecord)
{
    // Record positions: 1-11 spotter, 35-59 comment, 62-66 prefix, 68-71
    // time, 73-76 from.
    QString record = QStringLiteral("de W3LPL:  ").leftJustified(34, u'.');
    record += QStringLiteral(" CQ Zone 25 ").leftJustified(25, u' ');  // 35-59
    record += QStringLiteral("  ");                                    // 60-61
    record += QStringLiteral(" JA1 ");                                 // 62-66
    record += u' ';                                                    // 67
    record += QStringLiteral("1804");                                  // 68-71
    record += u' ';                                                    // 72
    record += QStringLiteral(" W3 ");                                  // 73-76
    const SpotListRow row = spotListRow(QStringLiteral("JA1ABC"), 14.025, record, QStringLiteral("Japan"));
    EXPECT_EQ(row.text[0], QStringLiteral("JA1ABC"));
    EXPECT_EQ(row.text[1], QStringLiteral("14.025"));
    EXPECT_EQ(row.text[2], QStringLiteral("Japan"));
    EXPECT_EQ(row.text[3], QString());
    EXPECT_EQ(row.text[4], QStringLiteral("de W3LPL:  CQ Zone 25"));
    EXPECT_EQ(row.text[5], QStringLiteral("JA1"));
    EXPECT_EQ(row.text[6], QStringLiteral("1804"));
    EXPECT_EQ(row.text[7], QStringLiteral("W3"));

    const SpotListRow shortRow = spotListRow(QStringLiteral("K1A"), 7.0035, QStringLiteral("de K1TTT:"), {});
    EXPECT_EQ(shortRow.text[1], QStringLiteral("7.0035"));
    EXPECT_EQ(shortRow.text[4], QStringLiteral("de K1TTT:  "));
    EXPECT_EQ(shortRow.text[5], QString());
    EXPECT_EQ(shortRow.text[6], QString());
    EXPECT_EQ(shortRow.text[7], QString());
}

TEST(SpotList, RecordIsCutBeforeItsFirstCR)
{
    EXPECT_EQ(recordBeforeCR(QStringLiteral("de K1TTT: x\r\nmore")), QStringLiteral("de K1TTT: x"));
    EXPECT_EQ(recordBeforeCR(QStringLiteral("plain")), QStringLiteral("plain"));
}

#include "spots/spot_line.h"
#include "spot_test_helpers.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace spots;
using spots_testing::clusterLine;

TEST(ClusterSpotLine, OnlyTextBeginningWithDxInAnyCaseIsASpot)
{
    EXPECT_TRUE(isSpotUnit(QStringLiteral("DX de K1TTT")));
    EXPECT_TRUE(isSpotUnit(QStringLiteral("dx de k1ttt")));
    EXPECT_TRUE(isSpotUnit(QStringLiteral("dX")));
    EXPECT_FALSE(isSpotUnit(QStringLiteral(" DX de K1TTT")));
    EXPECT_FALSE(isSpotUnit(QStringLiteral("\r\nDX de K1TTT")));
    EXPECT_FALSE(isSpotUnit(QStringLiteral("D")));
    EXPECT_FALSE(isSpotUnit(QString()));
}

TEST(ClusterSpotLine, CutsFrequencyCallAndRecordByColumn)
{
    const QString line = clusterLine(QStringLiteral("W3LPL"), QStringLiteral("14025.0"), QStringLiteral("JA1ABC"),
                                     QStringLiteral("CQ up 2"))
                         + QStringLiteral("\r\n");
    const ClusterSpotLine s = cutSpotLine(line);
    EXPECT_EQ(s.frequency, QStringLiteral("14025.0"));
    EXPECT_EQ(s.call, QStringLiteral("JA1ABC"));
    // The record keeps the line end; the main window cuts it.
    EXPECT_TRUE(s.record.startsWith(QStringLiteral("de W3LPL:")));
    EXPECT_TRUE(s.record.endsWith(QStringLiteral("1804Z\r\n")));

    // A 10 GHz spot fills the field without its decimal.
    const ClusterSpotLine ten = cutSpotLine(clusterLine(QStringLiteral("DL1X"), QStringLiteral("10368100"),
                                                        QStringLiteral("OZ1ABC")));
    EXPECT_EQ(ten.frequency, QStringLiteral("10368100"));
    EXPECT_EQ(ten.call, QStringLiteral("OZ1ABC"));

    const ClusterSpotLine shortLine = cutSpotLine(QStringLiteral("DX de K1TTT:"));
    EXPECT_TRUE(shortLine.frequency.isEmpty());
    EXPECT_TRUE(shortLine.call.isEmpty());
    EXPECT_EQ(shortLine.record, QStringLiteral("de K1TTT:"));
}

TEST(ClusterSpotLine, OnlyBlanksAreTrimmed)
{
    EXPECT_EQ(trimBlanks(QStringLiteral("  a b \r\n")), QStringLiteral("a b \r\n"));
    EXPECT_EQ(trimBlanks(QStringLiteral("\t x ")), QStringLiteral("\t x"));
    EXPECT_EQ(trimBlanks(QStringLiteral("   ")), QString());
}

TEST(Monitor, TrimsOnlyBeyondTenThousandCharacters)
{
    const QString exact(10000, u'a');
    EXPECT_EQ(trimmedMonitor(exact), exact);
    QString over = QString(1001, u'b') + QString(9000, u'c');
    EXPECT_EQ(trimmedMonitor(over), QString(9000, u'c'));
}

TEST(Monitor, RepeatIsFoundOnlyInTheLast800Characters)
{
    const QString line = QStringLiteral("DX de K1TTT:  14025.0  JA1ABC\n");
    QString monitor = line + QString(700, u'x');
    EXPECT_TRUE(isRepeatOfMonitor(monitor, line));
    EXPECT_TRUE(isRepeatOfMonitor(monitor, line.toLower()));
    monitor += QString(200, u'y');  // the copy now starts before length - 800
    EXPECT_FALSE(isRepeatOfMonitor(monitor, line));
    // A lone LF repeats as soon as the tail holds one.
    EXPECT_TRUE(isRepeatOfMonitor(QStringLiteral("abc\ndef"), QStringLiteral("\n")));
    EXPECT_FALSE(isRepeatOfMonitor(QString(), QStringLiteral("\n")));
}

TEST(ClusterSpotLine, ASpotBehindOtherTextIsCutWhereDxDeBegins)
{
    const struct {
        const char* line;
        const char* unit;
    } cases[] = {
        {"DX de K1TTT: 14025.0", "DX de K1TTT: 14025.0"},
        {"login: DX de K1TTT: 14025.0", "DX de K1TTT: 14025.0"},
        {"K1ABC de NODE 10-Dec-2026 2359Z >dx de k1ttt", "dx de k1ttt"},
        {"login: DX de K1TTT: DX de W3LPL", "DX de K1TTT: DX de W3LPL"},
        {" DX de K1TTT: 14025.0", ""},  // blanks alone are no text before it
        {"login: ", ""},
        {"Hello DXer", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spotUnitIn(QString::fromLatin1(c.line)), QString::fromLatin1(c.unit)) << c.line;
}

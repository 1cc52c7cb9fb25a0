// The privileges chart as data: which bars each licence class gets, where
// they and their segments stand, their colours and captions, and the plans
// that would otherwise divide by nothing or overrun the bars.

#include "radio/privileges_chart.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace radio;

namespace {

std::vector<BandPlanEntry> plan(const QStringList& rows)
{
    QByteArray text = "\"December 15, 2006\"\r\n";
    for (const QString& r : rows)
        text += r.toLatin1() + "\r\n";
    const BandPlan p = parseBandPlan(text);
    EXPECT_EQ(p.problem, BandPlan::Problem::None);
    return p.rows;
}

std::vector<BandPlanEntry> shippedPlan()
{
    const BandPlan p = readBandPlanFile(testing_support::sourceDir() + QStringLiteral("/data/BandPlan.txt"));
    EXPECT_EQ(p.problem, BandPlan::Problem::None);
    return p.rows;
}

/// The design-size window: 9,600 by 7,200 twips, the line at 720.
ChartArea designArea()
{
    ChartArea a;
    a.width = 9600;
    a.height = 7200;
    a.lineY = 720;
    a.fontFactor = 1;
    return a;
}

QStringList captions(const std::vector<ChartLabel>& labels)
{
    QStringList out;
    for (const ChartLabel& l : labels)
        out << l.caption;
    return out;
}

}  // namespace

TEST(PrivilegesChart, EachClassGetsTheBandsAndSegmentsOfItsRows)
{
    const std::vector<BandPlanEntry> rows = shippedPlan();
    const QStringList hf = {"160", "80", "40", "30", "20", "17", "15", "12", "10", "6", "2"};
    struct Case {
        const char* letter;
        QStringList bands;
        std::size_t segments;
    } cases[] = {
        {"N", {"80", "40", "15", "10"}, 5},
        {"T", {"80", "40", "15", "10", "6", "2"}, 9},
        {"P", {"80", "40", "15", "10", "6", "2"}, 9},
        {"G", hf, 20},
        {"A", hf, 20},
        {"E", hf, 20},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.letter);
        const PrivilegesChart chart = chartPrivileges(rows, QString::fromLatin1(c.letter), designArea());
        EXPECT_EQ(captions(chart.bars), c.bands);
        EXPECT_EQ(captions(chart.boxes), c.bands);
        ASSERT_EQ(chart.segments.size(), c.segments);
        for (std::size_t i = 0; i < chart.bars.size(); ++i) {
            EXPECT_EQ(chart.bars[i].name, QStringLiteral("blbl%1").arg(i + 1));
            EXPECT_EQ(chart.boxes[i].name, QStringLiteral("bnlb%1").arg(i + 1));
        }
        for (std::size_t i = 0; i < chart.segments.size(); ++i) {
            const ChartLabel& s = chart.segments[i];
            EXPECT_EQ(s.name, QStringLiteral("priv%1").arg(i + 1));
            // Every segment lies on a bar of the chart, inside it.
            const auto bar = std::find_if(chart.bars.begin(), chart.bars.end(), [&](const ChartLabel& b) {
                return b.twips.top() == s.twips.top();
            });
            ASSERT_NE(bar, chart.bars.end()) << s.caption.toStdString();
            EXPECT_GE(s.twips.left(), bar->twips.left() - 0.01);
            EXPECT_LE(s.twips.right(), bar->twips.right() + 0.01);
            EXPECT_GT(s.twips.width(), 0);
        }
        EXPECT_TRUE(chart.bandsWithoutWidth.isEmpty());
    }
}

TEST(PrivilegesChart, PlacesBarsBoxesAndSegmentsWithTheirColoursAndCaptions)
{
    const auto rows = plan({"\"80\",\"O\",\"\",3.5,4", "\"80\",\"E\",\"CW\",3.5,3.6", "\"80\",\"E\",\"PH\",3.6,4",
                            "\"2\",\"O\",\"\",144,148", "\"2\",\"E\",\"PH\",144.1,148"});
    ChartArea area = designArea();
    area.fontFactor = 1.5;
    const PrivilegesChart chart = chartPrivileges(rows, QStringLiteral("E"), area);
    ASSERT_EQ(chart.bars.size(), 2u);
    // Two bars share 80 % of the 6,480 twips below the line.
    const ChartLabel& bar = chart.bars[0];
    EXPECT_DOUBLE_EQ(bar.twips.left(), 960);
    EXPECT_DOUBLE_EQ(bar.twips.width(), 8160);
    EXPECT_DOUBLE_EQ(bar.twips.top(), 720 + 2592);
    EXPECT_DOUBLE_EQ(bar.twips.height(), 288);
    EXPECT_DOUBLE_EQ(chart.bars[1].twips.top(), 720 + 2 * 2592);
    EXPECT_EQ(bar.caption, "80");
    EXPECT_EQ(bar.toolTip, "80  3.500 - 4.000");
    EXPECT_EQ(bar.backColor, chart_color::Black);
    EXPECT_EQ(bar.foreColor, chart_color::Black);

    const ChartLabel& box = chart.boxes[1];
    EXPECT_EQ(box.twips, QRectF(384, chart.bars[1].twips.top(), 480, 288));
    EXPECT_EQ(box.caption, "2");
    EXPECT_EQ(box.toolTip, "2  144.000 - 148.000");
    EXPECT_EQ(box.backColor, chart_color::Yellow);
    EXPECT_EQ(box.backColor, 0x00FFFF);
    EXPECT_EQ(box.foreColor, chart_color::Black);
    EXPECT_EQ(box.fontFamily, "ARIAL");
    EXPECT_TRUE(box.bold);
    EXPECT_DOUBLE_EQ(box.fontPoints, 12);

    ASSERT_EQ(chart.segments.size(), 3u);
    const ChartLabel& cw = chart.segments[0];
    EXPECT_NEAR(cw.twips.left(), 960, 0.05);
    EXPECT_NEAR(cw.twips.width(), 8160 * 0.2, 0.05);
    EXPECT_EQ(cw.twips.top(), bar.twips.top());
    EXPECT_EQ(cw.twips.height(), bar.twips.height());
    EXPECT_EQ(cw.caption, "3.500 - 3.600");
    EXPECT_EQ(cw.toolTip, "CW  3.500 - 3.600");
    EXPECT_EQ(cw.backColor, 0xFF0000);  // blue
    EXPECT_EQ(cw.foreColor, 0xFFFFFF);
    EXPECT_EQ(cw.fontFamily, "ARIAL NARROW");
    EXPECT_DOUBLE_EQ(cw.fontPoints, 10.5);

    const ChartLabel& ph = chart.segments[1];
    EXPECT_NEAR(ph.twips.left(), 960 + 8160 * 0.2, 0.05);
    EXPECT_NEAR(ph.twips.right(), 960 + 8160, 0.05);
    EXPECT_EQ(ph.toolTip, "PH  3.600 - 4.000");
    EXPECT_EQ(ph.backColor, 0x00FF00);  // green
    EXPECT_EQ(ph.foreColor, chart_color::Black);
    EXPECT_EQ(chart.segments[2].caption, "144.100 - 148.000");
    EXPECT_EQ(chart.segments[2].twips.top(), chart.bars[1].twips.top());
}

TEST(PrivilegesChart, BandEdgesAreWrittenWithThreeDecimalsAndGroupedThousands)
{
    const std::pair<double, const char*> cases[] = {
        {1.8f, "1.800"},   {1240, "1,240.000"}, {0.5, ".500"},  {144.1f, "144.100"},
        {0, ".000"},       {1234567.25, "1,234,567.250"},       {-0.5, "-.500"},
    };
    for (const auto& [mhz, text] : cases)
        EXPECT_EQ(formatBandEdge(mhz), QString::fromLatin1(text)) << mhz;
}

TEST(PrivilegesChart, ABandGetsABarOnlyFromItsOwnRunAfterItsEdgeRow)
{
    // 40 has no "O" row; the General 20 m row after 15's run does not give
    // 20 a bar by itself, but once 20 has a bar every General 20 m row is on
    // it, wherever it stands. The lower-case "g" row belongs to no class.
    const auto rows = plan({"\"40\",\"G\",\"CW\",7.025,7.125",         //
                            "\"20\",\"O\",\"\",14,14.35",              //
                            "\"20\",\"G\",\"CW\",14.025,14.15",        //
                            "\"20\",\"g\",\"PH\",14.225,14.35",        //
                            "\"15\",\"O\",\"\",21,21.45",              //
                            "\"15\",\"E\",\"CW\",21,21.2",             //
                            "\"20\",\"G\",\"PH\",14.225,14.35",        //
                            "\"10\",\"O\",\"\",28,29.7",               //
                            "\"10\",\"E\",\"PH\",28.3,29.7",           //
                            "\"10\",\"G\",\"CW\",28,28.3"});
    const PrivilegesChart general = chartPrivileges(rows, QStringLiteral("G"), designArea());
    EXPECT_EQ(captions(general.bars), QStringList({"20", "10"}));
    EXPECT_EQ(captions(general.segments), QStringList({"14.025 - 14.150", "14.225 - 14.350", "28.000 - 28.300"}));
    EXPECT_EQ(captions(chartPrivileges(rows, QStringLiteral("g"), designArea()).bars), QStringList({"20"}));
    EXPECT_TRUE(chartPrivileges(rows, QStringLiteral("N"), designArea()).bars.empty());
}

TEST(PrivilegesChart, TwoEdgeRowsOfOneBandGiveTwoBarsScaledToTheFirst)
{
    const auto rows = plan({"\"20\",\"O\",\"\",14,14.4", "\"20\",\"E\",\"CW\",14,14.1",
                            "\"20\",\"O\",\"\",14,14.35", "\"20\",\"E\",\"PH\",14.2,14.4"});
    const PrivilegesChart chart = chartPrivileges(rows, QStringLiteral("E"), designArea());
    EXPECT_EQ(captions(chart.bars), QStringList({"20", "20"}));
    EXPECT_EQ(chart.bars[1].toolTip, "20  14.000 - 14.350");
    // Each row on both bars, in row order; the phone row ends at the first
    // row's upper edge, the end of the bar.
    ASSERT_EQ(chart.segments.size(), 4u);
    EXPECT_EQ(chart.segments[0].twips.top(), chart.bars[0].twips.top());
    EXPECT_EQ(chart.segments[1].twips.top(), chart.bars[1].twips.top());
    EXPECT_NEAR(chart.segments[3].twips.right(), chart.bars[1].twips.right(), 0.1);
}

TEST(PrivilegesChart, SegmentsOutsideTheirBandAreDrawnOutsideTheBarAndNeverFarOffTheWindow)
{
    const auto rows = plan({"\"20\",\"O\",\"\",14,14.35", "\"20\",\"E\",\"CW\",13.9,14.1",
                            "\"20\",\"E\",\"PH\",14.2,99000", "\"20\",\"E\",\"PH\",14.3,14.2"});
    const ChartArea area = designArea();
    const PrivilegesChart chart = chartPrivileges(rows, QStringLiteral("E"), area);
    // The reversed row has no place; the other two are not cut at the bar.
    ASSERT_EQ(chart.segments.size(), 2u);
    EXPECT_LT(chart.segments[0].twips.left(), chart.bars[0].twips.left());
    EXPECT_EQ(chart.segments[0].caption, "13.900 - 14.100");
    // The far one reaches past the window but stays in reach of pixels.
    EXPECT_GT(chart.segments[1].twips.right(), area.width);
    EXPECT_LE(chart.segments[1].twips.right(), 2 * area.width);
    EXPECT_EQ(chart.segments[1].caption, "14.200 - 99,000.000");
}

TEST(PrivilegesChart, ABandWithoutWidthKeepsItsBarAndGetsNoSegments)
{
    // Equal edges and reversed edges: nothing can be placed in proportion
    // to them, and the other bands are drawn as usual.
    const auto rows = plan({"\"80\",\"O\",\"\",3.5,3.5", "\"80\",\"E\",\"CW\",3.5,3.6",  //
                            "\"40\",\"O\",\"\",7,7.3", "\"40\",\"E\",\"CW\",7,7.125",    //
                            "\"30\",\"O\",\"\",10.15,10.1", "\"30\",\"E\",\"CW\",10.1,10.15"});
    const PrivilegesChart chart = chartPrivileges(rows, QStringLiteral("E"), designArea());
    EXPECT_EQ(captions(chart.bars), QStringList({"80", "40", "30"}));
    EXPECT_EQ(chart.boxes.size(), 3u);
    EXPECT_EQ(chart.bandsWithoutWidth, QStringList({"80", "30"}));
    EXPECT_EQ(captions(chart.segments), QStringList({"7.000 - 7.125"}));
    EXPECT_EQ(chart.segments[0].name, "priv1");
    for (const ChartLabel& s : chart.segments)
        EXPECT_TRUE(std::isfinite(s.twips.left()) && std::isfinite(s.twips.width()));
}

TEST(PrivilegesChart, MoreThanTwentyBandsAllGetBarsThatDoNotOverlap)
{
    QStringList text;
    for (int b = 1; b <= 27; ++b) {
        const QString band = QString::number(b);
        text << QStringLiteral("\"%1\",\"O\",\"\",%2,%3").arg(band).arg(b * 10).arg(b * 10 + 1)
             << QStringLiteral("\"%1\",\"E\",\"CW\",%2,%3").arg(band).arg(b * 10).arg(b * 10 + 0.5);
    }
    const ChartArea area = designArea();
    const PrivilegesChart chart = chartPrivileges(plan(text), QStringLiteral("E"), area);
    ASSERT_EQ(chart.bars.size(), 27u);
    ASSERT_EQ(chart.boxes.size(), 27u);
    ASSERT_EQ(chart.segments.size(), 27u);
    EXPECT_EQ(chart.bars.back().name, "blbl27");
    EXPECT_EQ(chart.boxes.back().caption, "27");
    EXPECT_EQ(chart.segments.back().twips.top(), chart.bars.back().twips.top());
    EXPECT_NEAR(chart.segments.back().twips.width(), chart.bars.back().twips.width() / 2, 0.1);
    for (std::size_t i = 1; i < chart.bars.size(); ++i)
        EXPECT_LE(chart.bars[i - 1].twips.bottom(), chart.bars[i].twips.top()) << i;
    EXPECT_GT(chart.bars.front().twips.top(), area.lineY);
    EXPECT_LE(chart.bars.back().twips.bottom(), area.height);
}

TEST(PrivilegesChart, AnEmptyPlanDrawsNothingForAnyClass)
{
    for (const LicenceClassButton& b : licenceClassButtons()) {
        const PrivilegesChart chart = chartPrivileges({}, QString::fromLatin1(b.letter), designArea());
        EXPECT_TRUE(chart.bars.empty() && chart.boxes.empty() && chart.segments.empty()) << b.letter;
    }
}

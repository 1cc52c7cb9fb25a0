#include "radio/band_plan.h"

#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

QByteArray planText(const QStringList& rows)
{
    QByteArray text = "\"December 15, 2006\"\r\n";
    for (const QString& r : rows)
        text += r.toLatin1() + "\r\n";
    return text;
}

std::vector<BandPlanEntry> extraRows(const QStringList& rows)
{
    return parseBandPlan(planText(rows), QStringLiteral("E")).rows;
}

QString sideband(const std::vector<BandPlanEntry>& rows, float mhz, QString mode = {})
{
    SidebandFromBandPlan(rows, mhz, mode);
    return mode;
}

}  // namespace

TEST(BandPlan, ReadsDateAndRowsAndKeepsOneClass)
{
    const QByteArray text = planText({"\"40\",\"O\",\"\",7,7.3", "\"40\",\"G\",\"CW\",7.025,7.125",
                                      "\"40\",\"E\",\"CW\",7,7.125", "\"40\",\"E\",\"PH\",7.125,7.3"});
    const BandPlan all = parseBandPlan(text);
    EXPECT_EQ(all.EffectiveDate, "December 15, 2006");
    EXPECT_EQ(all.rows.size(), 4u);
    EXPECT_EQ(all.problem, BandPlan::Problem::None);
    const BandPlan extra = parseBandPlan(text, QStringLiteral("E"));
    ASSERT_EQ(extra.rows.size(), 2u);
    EXPECT_EQ(extra.rows[1].Mode, "PH");
    EXPECT_FLOAT_EQ(extra.rows[1].LowMHz, 7.125f);
    EXPECT_FLOAT_EQ(extra.rows[1].HighMHz, 7.3f);
}

TEST(BandPlan, OnlyTheDateGivesNoRows)
{
    const BandPlan plan = parseBandPlan(planText({}));
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_EQ(plan.problem, BandPlan::Problem::None);
}

TEST(BandPlan, CapacityAndDamage)
{
    QStringList rows;
    for (int i = 0; i < 200; ++i)
        rows << QStringLiteral("\"20\",\"E\",\"CW\",14,14.1");
    BandPlan plan = parseBandPlan(planText(rows));
    EXPECT_EQ(plan.rows.size(), 200u);
    EXPECT_EQ(plan.problem, BandPlan::Problem::None);

    rows << QStringLiteral("\"20\",\"E\",\"PH\",14.15,14.35");
    plan = parseBandPlan(planText(rows), QStringLiteral("E"));
    EXPECT_EQ(plan.rows.size(), 200u);
    EXPECT_EQ(plan.problem, BandPlan::Problem::TooManyRows);

    // Rows of other classes do not fill the one-class table.
    QStringList mixed = rows;
    mixed.removeLast();
    for (int i = 0; i < 50; ++i)
        mixed.prepend(QStringLiteral("\"20\",\"G\",\"CW\",14.025,14.15"));
    plan = parseBandPlan(planText(mixed), QStringLiteral("E"));
    EXPECT_EQ(plan.rows.size(), 200u);
    EXPECT_EQ(plan.problem, BandPlan::Problem::None);

    plan = parseBandPlan(planText({"\"20\",\"E\",\"CW\",14,14.1", "\"20\",\"E\""}));
    EXPECT_EQ(plan.rows.size(), 1u);
    EXPECT_EQ(plan.problem, BandPlan::Problem::ShortRow);

    testing_support::ProgramFolderFixture fx;
    plan = readBandPlanFile(fx.path(QStringLiteral("BandPlan.txt")), QStringLiteral("E"));
    EXPECT_TRUE(plan.rows.empty());
    EXPECT_EQ(plan.problem, BandPlan::Problem::Missing);
}

TEST(BandPlan, Sidebands)
{
    const auto rows = extraRows({"\"160\",\"E\",\"PH\",1.8,2", "\"80\",\"E\",\"CW\",3.5,3.6",
                                 "\"80\",\"E\",\"PH\",3.6,4", "\"40\",\"E\",\"PH\",7.125,7.3",
                                 "\"20\",\"E\",\"CW\",14,14.15", "\"20\",\"E\",\"PH\",14.15,14.35",
                                 "\"20\",\"E\",\"CW\",14.2,14.3"});
    EXPECT_EQ(sideband(rows, 3.8f), "LSB");
    EXPECT_EQ(sideband(rows, 7.2f), "LSB");
    EXPECT_EQ(sideband(rows, 14.25f), "USB");
    EXPECT_EQ(sideband(rows, 3.55f), "CW");
    EXPECT_EQ(sideband(rows, 14.025f), "CW");
    // 160 m: no mode is set, whatever came in.
    EXPECT_EQ(sideband(rows, 1.85f, QStringLiteral("USB")), "");
    // On an edge or outside every row the mode stays as it was.
    EXPECT_EQ(sideband(rows, 14.15f), "");
    EXPECT_EQ(sideband(rows, 10.12f, QStringLiteral("CW")), "CW");
    // The earlier of two enclosing rows decides.
    EXPECT_EQ(sideband(rows, 14.25f), "USB");

    // A row without a band name still encloses its frequencies: phone there
    // is a sideband like on any band but 80, 60 and 40 m, never "PH".
    const auto unnamed = extraRows({"\"\",\"E\",\"PH\",28.3,29.7", "\"\",\"E\",\"CW\",28,28.3"});
    EXPECT_EQ(sideband(unnamed, 28.4f, QStringLiteral("LSB")), "USB");
    EXPECT_EQ(sideband(unnamed, 28.1f), "CW");
}

TEST(BandPlan, ShippedFileLoads)
{
    const BandPlan plan = readBandPlanFile(testing_support::sourceDir() + QStringLiteral("/data/BandPlan.txt"));
    EXPECT_EQ(plan.problem, BandPlan::Problem::None);
    EXPECT_FALSE(plan.EffectiveDate.isEmpty());
    const BandPlan extra =
        readBandPlanFile(testing_support::sourceDir() + QStringLiteral("/data/BandPlan.txt"), QStringLiteral("E"));
    EXPECT_EQ(sideband(extra.rows, 21.3f), "USB");
    EXPECT_EQ(sideband(extra.rows, 7.2f), "LSB");
    EXPECT_EQ(sideband(extra.rows, 14.025f), "CW");
}

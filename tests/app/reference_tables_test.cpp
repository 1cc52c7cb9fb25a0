#include "app/reference_tables.h"
#include "support/test_support.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace testing_support;

TEST(ReferenceTables, PrefixTableTakesTheFirstPlaceFoundAndKeepsFileOrder)
{
    ProgramFolderFixture fx;
    const QString shared = fx.state.folders.SharedDataFolder + QStringLiteral("/arrlpre2.txt");
    const QString program = fx.path(QStringLiteral("arrlpre2.txt"));
    writeLines(program, {QStringLiteral("\"K\",\"USA\",\"NA\",98.5,38.5,5,8,291")});
    writeLines(shared, {QStringLiteral("\"2A\",\"Scotland\",\"EU\",4.18,56.82,14,27,279"),
                        QStringLiteral("\"VE\",\"Canada\",\"NA\",100,50,1,2,1")});
    const QStringList places = {shared, fx.state.folders.UserDataFolder + QStringLiteral("/arrlpre2.txt"), program};

    app::CountryPrefixTable table;
    ASSERT_TRUE(app::loadCountryPrefixTable(table, places));
    ASSERT_EQ(table.CountryCount(), 2);
    EXPECT_EQ(table.rows[1].CountryName, QStringLiteral("Canada"));
    EXPECT_FLOAT_EQ(table.rows[0].CountryLongitude, 4.18f);

    QFile::remove(shared);
    ASSERT_TRUE(app::loadCountryPrefixTable(table, places));
    EXPECT_EQ(table.CountryCount(), 1);

    QFile::remove(program);
    ASSERT_TRUE(app::loadCountryPrefixTable(table, places));  // nowhere: empty, no failure
    EXPECT_EQ(table.CountryCount(), 0);
}

TEST(ReferenceTables, PrefixTableCapacityAndDamage)
{
    ProgramFolderFixture fx;
    const QString path = fx.path(QStringLiteral("arrlpre2.txt"));
    QStringList lines;
    for (int i = 0; i < 10000; ++i)
        lines << QStringLiteral("\"K%1\",\"USA\",\"NA\",98,38,5,8,291").arg(i);
    writeLines(path, lines);
    app::CountryPrefixTable table;
    EXPECT_TRUE(app::loadCountryPrefixTable(table, {path}));
    EXPECT_EQ(table.CountryCount(), 10000);

    lines << QStringLiteral("\"W\",\"USA\",\"NA\",98,38,5,8,291");
    writeLines(path, lines);
    EXPECT_FALSE(app::loadCountryPrefixTable(table, {path}));
    EXPECT_EQ(table.CountryCount(), 10000);

    writeLines(path, {QStringLiteral("\"K\",\"USA\",\"NA\",west,38,5,8,291")});
    EXPECT_FALSE(app::loadCountryPrefixTable(table, {path}));
}

TEST(ReferenceTables, StatesTableReadsFiftyAndIgnoresTheRest)
{
    ProgramFolderFixture fx;
    fx.copyShipped(QStringLiteral("states.txt"));
    app::StateLocationTable table;
    ASSERT_TRUE(app::loadStateLocationTable(table, fx.path(QStringLiteral("states.txt"))));
    EXPECT_EQ(table.rows[0].StateLocAbbrev, QStringLiteral("AK"));
    EXPECT_EQ(table.rows[49].StateLocAbbrev, QStringLiteral("WY"));

    QStringList lines;
    for (int i = 0; i < 52; ++i)
        lines << QStringLiteral("\"S%1\",%2,100").arg(i).arg(30 + i);
    writeLines(fx.path(QStringLiteral("states.txt")), lines);
    ASSERT_TRUE(app::loadStateLocationTable(table, fx.path(QStringLiteral("states.txt"))));
    EXPECT_EQ(table.rows[49].StateLocAbbrev, QStringLiteral("S49"));

    lines = lines.mid(0, 49);
    writeLines(fx.path(QStringLiteral("states.txt")), lines);
    EXPECT_FALSE(app::loadStateLocationTable(table, fx.path(QStringLiteral("states.txt"))));
}

TEST(ReferenceTables, ShippedPrefixTableIsSortedByFirstCharacter)
{
    ProgramFolderFixture fx;
    fx.copyShipped(QStringLiteral("arrlpre2.txt"));
    app::CountryPrefixTable table;
    ASSERT_TRUE(app::loadCountryPrefixTable(table, {fx.path(QStringLiteral("arrlpre2.txt"))}));
    ASSERT_GT(table.CountryCount(), 300);
    for (int i = 1; i < table.CountryCount(); ++i)
        ASSERT_LE(table.rows[i - 1].CountryPrefix.at(0), table.rows[i].CountryPrefix.at(0)) << i;
}

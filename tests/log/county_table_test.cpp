#include "log/county_table.h"
#include "log/key_filters.h"
#include "support/test_support.h"

#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace testing_support;
using contactlog::CountyLoadResult;

TEST(CountyTable, LoadsOnlyThePartyStateAndExpandsAbbreviations)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("county2.txt"));
    writeLines(path, {QStringLiteral("\"CAAlameda\",\"ALAM\""), QStringLiteral("\"NVClark\",\"CLAR\""),
                      QStringLiteral("\"caFake\",\"FAKE\""), QStringLiteral("\"CAAlpine\",\"ALAM\""),
                      QStringLiteral("\"CASan Diego\",\"SDIE\"")});
    contactlog::CountyTable table;
    ASSERT_EQ(contactlog::LoadCountyTable(table, path, QStringLiteral("CA")), CountyLoadResult::Ok);
    ASSERT_EQ(table.CountyCount(), 3);
    EXPECT_EQ(table.rows[2].CountyName, QStringLiteral("San Diego"));
    EXPECT_TRUE(table.contains(QStringLiteral("SAN DIEGO")));

    QString result, typed = QStringLiteral("sDie");
    contactlog::ExpandCountyAbbreviation(table, result, typed);
    EXPECT_EQ(typed, QStringLiteral("SDIE"));
    EXPECT_EQ(result, QStringLiteral("San Diego"));
    typed = QStringLiteral("alam");  // two rows share it: the first wins
    contactlog::ExpandCountyAbbreviation(table, result, typed);
    EXPECT_EQ(result, QStringLiteral("Alameda"));
    typed = QStringLiteral("Alameda");  // a full name is no abbreviation
    contactlog::ExpandCountyAbbreviation(table, result, typed);
    EXPECT_EQ(result, QString());

    ASSERT_EQ(contactlog::LoadCountyTable(table, path, QStringLiteral("TX")), CountyLoadResult::Ok);
    EXPECT_EQ(table.CountyCount(), 0);
    EXPECT_EQ(contactlog::LoadCountyTable(table, dir.filePath(QStringLiteral("none.txt")), QStringLiteral("CA")),
              CountyLoadResult::Missing);
}

TEST(CountyTable, ShippedTableHoldsFiftyEightCounties)
{
    contactlog::CountyTable table;
    ASSERT_EQ(contactlog::LoadCountyTable(table, sourceDir() + QStringLiteral("/data/county2.txt"), QStringLiteral("CA")),
              CountyLoadResult::Ok);
    EXPECT_EQ(table.CountyCount(), 58);
}

TEST(KeyFilters, UpperCaseAndDigitsOnly)
{
    struct Case {
        int in, upper, digits;
    };
    const Case cases[] = {{'q', 'Q', 0}, {'Q', 'Q', 0}, {'7', '7', '7'}, {'/', '/', 0},
                          {8, 8, 8},     {'-', '-', 0}, {' ', ' ', 0},   {13, 13, 0}};
    for (const Case& c : cases) {
        int u = c.in, d = c.in;
        contactlog::UpperCaseKey(u);
        contactlog::DigitsOnlyKey(d);
        EXPECT_EQ(u, c.upper) << c.in;
        EXPECT_EQ(d, c.digits) << c.in;
    }
}

#include "log/call_file_name.h"

TEST(CallToFileName, LeadingDigitsAndCapitals)
{
    EXPECT_EQ(contactlog::CallToFileName(QStringLiteral("K6AA/P")), QStringLiteral("K6AA"));
    EXPECT_EQ(contactlog::CallToFileName(QStringLiteral("k6aa")), QStringLiteral("YourCall"));
    EXPECT_EQ(contactlog::CallToFileName(QString()), QStringLiteral("YourCall"));
    EXPECT_EQ(contactlog::CallToFileName(QStringLiteral("W1AWx")), QStringLiteral("W1AW"));
}

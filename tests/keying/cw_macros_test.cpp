#include "keying/cw_macros.h"
#include "log/county_table.h"

#include <gtest/gtest.h>

using namespace keying;

namespace {
contactlog::CountyTable counties()
{
    contactlog::CountyTable t;
    t.rows = {{QStringLiteral("Alameda"), QStringLiteral("ALAM")},
              {QStringLiteral("Inyo"), QStringLiteral("INYO")},
              {QStringLiteral("Los Angeles"), QStringLiteral("LANG")},
              {QStringLiteral("Kern"), QString()}};
    return t;
}
}  // namespace

TEST(CwMacros, KeyCodesChooseTheMessageBox)
{
    EXPECT_EQ(messageIndexForKey(112), 0);
    EXPECT_EQ(messageIndexForKey(120), 8);
    EXPECT_EQ(messageIndexForKey(124), 9);
    EXPECT_EQ(messageIndexForKey(122), 10);
    EXPECT_EQ(messageIndexForKey(121), -1);
    EXPECT_EQ(messageIndexForKey(123), -1);
    EXPECT_EQ(messageIndexForKey(13), -1);
}

TEST(CwMacros, WildcardsAreReplacedByTrimmedValues)
{
    QString rst = QStringLiteral("579");
    const auto table = counties();
    MacroValues v{QStringLiteral(" K6AA "), QStringLiteral("12"), &rst, QStringLiteral("Alameda"), &table};
    EXPECT_EQ(expandCwMacros(QStringLiteral("$ TU * #^ !"), v), QStringLiteral("K6AA TU 579 12ALAM !"));
    EXPECT_EQ(rst, QStringLiteral("579"));
    EXPECT_EQ(expandCwMacros(QStringLiteral("$$"), v), QStringLiteral("K6AAK6AA"));
}

TEST(CwMacros, EmptyValuesVanishAndLeaveTheBlanks)
{
    QString rst;
    MacroValues v{QString(), QString(), &rst, QString(), nullptr};
    EXPECT_EQ(expandCwMacros(QStringLiteral("$ DE $ K"), v), QStringLiteral(" DE  K"));
    EXPECT_EQ(expandCwMacros(QStringLiteral("$$"), v), QString());
}

TEST(CwMacros, ReportRule599And5NN)
{
    struct Case {
        const char* rst;
        const char* sent;
        const char* after;
    } cases[] = {{"599", "5NN", "5NN"}, {"", "5NN", "5NN"}, {"579", "579", "579"}, {"5nn", "5nn", "5nn"}};
    for (const Case& c : cases) {
        QString rst = QString::fromLatin1(c.rst);
        MacroValues v{QString(), QString(), &rst, QString(), nullptr};
        EXPECT_EQ(expandCwMacros(QStringLiteral("*"), v), QString::fromLatin1(c.sent)) << c.rst;
        EXPECT_EQ(rst, QString::fromLatin1(c.after)) << c.rst;
    }
}

TEST(CwMacros, ValuesAreNotExpandedAgainByTheirPass)
{
    QString rst = QStringLiteral("599");
    // A call holding "#" is expanded by the later "#" pass (passes run in
    // order), but a value is never scanned by its own pass.
    MacroValues v{QStringLiteral("A$B"), QStringLiteral("7"), &rst, QString(), nullptr};
    EXPECT_EQ(expandCwMacros(QStringLiteral("$"), v), QStringLiteral("A$B"));
    v.call = QStringLiteral("A#");
    EXPECT_EQ(expandCwMacros(QStringLiteral("$"), v), QStringLiteral("A7"));
}

TEST(CwMacros, AbbreviateCountyTakesTheShorterAbbreviation)
{
    const auto table = counties();
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("los angeles"), &table), QStringLiteral("LANG"));
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("Inyo"), &table), QStringLiteral("Inyo"));
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("Kern"), &table), QStringLiteral("Kern"));
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("LANG"), &table), QStringLiteral("LANG"));
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("Nowhere"), &table), QStringLiteral("Nowhere"));
    EXPECT_EQ(AbbreviateCounty(QString(), &table), QString());
    EXPECT_EQ(AbbreviateCounty(QStringLiteral("Alameda"), nullptr), QStringLiteral("Alameda"));
}

TEST(CwMacros, DoubleQuotesAreDropped)
{
    EXPECT_EQ(withoutDoubleQuotes(QStringLiteral("CQ \"TEST\" DE")), QStringLiteral("CQ TEST DE"));
}

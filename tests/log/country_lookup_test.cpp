#include "log/country_lookup.h"
#include "log/grouped_number.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace contactlog;

namespace {

app::CountryPrefixRow row(const char* prefix, const char* name, const char* continent,
                          float longitude, float latitude)
{
    return {QString::fromLatin1(prefix), QString::fromLatin1(name), QString::fromLatin1(continent),
            longitude, latitude};
}

// A small table in the order the lookup expects: grouped by first
// character, digits before letters.
app::CountryPrefixTable smallTable()
{
    app::CountryPrefixTable t;
    t.rows = {
        row("1A", "Sov Mil Order of Malta", "EU", -12.43f, 41.90f),
        row("3A", "Monaco", "EU", -7.40f, 43.73f),
        row("A2", "Botswana", "AF", -24.0f, -22.0f),
        row("AA", "USA", "NA", 91.87f, 37.60f),
        row("D", "Fed. Rep. of Germany", "EU", -10.0f, 51.0f),
        row("DL", "Fed. Rep. of Germany", "EU", -10.0f, 51.0f),
        row("DU", "Philippines", "OC", -122.0f, 13.0f),
        row("G", "England", "EU", 1.47f, 52.77f),
        row("JA", "Japan", "AS", -138.38f, 36.40f),
        row("K", "USA", "NA", 91.87f, 37.60f),
        row("KG4", "Guantanamo Bay", "NA", 75.0f, 20.0f),
        row("KH6", "Hawaii", "OC", 157.48f, 21.12f),
        row("KL", "Alaska", "NA", 148.87f, 61.40f),
        row("VE", "Canada", "NA", 78.75f, 44.35f),
        row("VP2E", "Anguilla", "NA", 63.05f, 18.23f),
        row("W", "USA", "NA", 91.87f, 37.60f),
        row("ZS", "South Africa", "AF", -22.63f, -29.07f),
    };
    return t;
}

app::CountryPrefixTable shippedTable()
{
    app::CountryPrefixTable t;
    const bool ok = app::loadCountryPrefixTable(
        t, {testing_support::sourceDir() + QStringLiteral("/data/arrlpre2.txt")});
    EXPECT_TRUE(ok);
    EXPECT_GT(t.CountryCount(), 1000);
    return t;
}

const GeoPoint Sacramento{38.5, 121.5};

}  // namespace

TEST(DistanceBearing, NewYorkFromSacramentoShowsBearing71AndDistance2500)
{
    const DistanceBearingText t = ShowDistanceBearing(Sacramento, {40.7, 74.0});
    EXPECT_EQ(t.bearing, QStringLiteral("71 "));
    EXPECT_EQ(t.distance, QString(QStringLiteral("2")) + groupSeparator() + QStringLiteral("500 "));
}

TEST(DistanceBearing, BearingsFollowLongitudesPositiveWest)
{
    // East of the operator (smaller west longitude) is to the east: under 180.
    const auto east = distanceBearing(Sacramento, {38.0, 100.0});
    ASSERT_TRUE(east);
    EXPECT_GT(east->bearing, 45);
    EXPECT_LT(east->bearing, 135);
    // West, across the Pacific (Japan at 138 E is -138 W).
    const auto japan = distanceBearing(Sacramento, {36.4, -138.38});
    ASSERT_TRUE(japan);
    EXPECT_GT(japan->bearing, 270);
    EXPECT_LT(japan->bearing, 360);
    EXPECT_NEAR(japan->miles, 5100, 200);
}

TEST(DistanceBearing, BreakdownsLeaveBothLabelsEmpty)
{
    // The same position: the arc's cosine is exactly 1.
    EXPECT_FALSE(distanceBearing({40.0, 100.0}, {40.0, 100.0}));
    const DistanceBearingText same = ShowDistanceBearing({40.0, 100.0}, {40.0, 100.0});
    EXPECT_TRUE(same.bearing.isEmpty());
    EXPECT_TRUE(same.distance.isEmpty());
    EXPECT_FALSE(distanceBearing(Sacramento, Sacramento));
}

TEST(DistanceBearing, ValuesBelowOneHalfShowOnlyTheBlank)
{
    // A few hundred yards east: under half a mile.
    const DistanceBearingText near = ShowDistanceBearing(Sacramento, {38.5, 121.495});
    EXPECT_EQ(near.distance, QStringLiteral(" "));
    EXPECT_EQ(near.bearing, QStringLiteral("90 "));
    // Almost due north, a hair to the east: a bearing under half a degree.
    const DistanceBearingText north = ShowDistanceBearing({10.0, 50.0}, {40.0, 49.999});
    EXPECT_EQ(north.bearing, QStringLiteral(" "));
}

TEST(PortableCall, ForeignPrefixAfterTheSlashOnlyWhenShort)
{
    struct Case {
        const char* call;
        const char* looked;
    } cases[] = {
        {"K6ABC/VE3", "VE3"},  {"VE3/K6ABC", "VE3/K6ABC"}, {"DL1ABC/P", "DL1ABC/P"},
        {"QQ1QQ/QQ2", "QQ2"},  {"QQ7/Q1QQ", "QQ7/Q1QQ"},   {"K6AB/DU", "DU"}, {"K6/DU1", "K6/DU1"},
        {"W1AW", "W1AW"},      {"", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(portableLookupCall(QString::fromLatin1(c.call)), QString::fromLatin1(c.looked))
            << c.call;
}

TEST(CallCountry, LongestPrefixOfTheGroupWins)
{
    const auto t = smallTable();
    struct Case {
        const char* call;
        const char* box;
        const char* continent;
    } cases[] = {
        {"DU1ABC", "Philippines", "OC"},
        {"DL1ABC", "Fed. Rep. of Germany", "EU"},
        {"DA1XX", "Fed. Rep. of Germany", "EU"},
        {"JA1ABC", "Japan", "AS"},
        {"ZS6AA", "South Africa", "AF"},
        {"1A0KM", "Sov Mil Order of Malta", "EU"},  // a digit: the search starts as for A
        {"3A2MW", "Monaco", "EU"},
        {"A22AA", "Botswana", "AF"},
        {"VP2EA", "Anguilla", "NA"},
        {"KL7XX", "AK", "NA"},
        {"KH6XX", "HI", "OC"},
        {"K6ABC/DU1", "Philippines", "OC"},
        {"dl1abc", "Fed. Rep. of Germany", "EU"},  // pasted in lower case
    };
    for (const Case& c : cases) {
        const CallCountry r = lookupCallCountry(t, QString::fromLatin1(c.call));
        EXPECT_EQ(r.outcome, CallCountry::Outcome::Dx) << c.call;
        EXPECT_EQ(r.boxText, QString::fromLatin1(c.box)) << c.call;
        EXPECT_EQ(r.continent, QString::fromLatin1(c.continent)) << c.call;
        EXPECT_TRUE(r.position.has_value()) << c.call;
    }
}

TEST(CallCountry, UsaAndCanadaLeaveTheBoxToTheOperator)
{
    const auto t = smallTable();
    for (const char* call : {"K6ABC", "W1AW", "AA1A", "VE3ABC", "K6ABC/VE3", "VE3/K6ABC"}) {
        const CountryDisplay d =
            LookupCallCountry(t, QString::fromLatin1(call), QStringLiteral("ON"), Sacramento);
        EXPECT_FALSE(d.box.has_value()) << call;
        EXPECT_EQ(d.continent, QStringLiteral("NA")) << call;
        EXPECT_EQ(d.bearing, QString()) << call;
        EXPECT_EQ(d.distance, QString()) << call;
        EXPECT_TRUE(d.selectBox) << call;
    }
}

TEST(CallCountry, NoPrefixGivesNotFoundAndEmptyLabels)
{
    const auto t = smallTable();
    for (const char* call : {"QQ1X", "B1", "~~1", "0AB"}) {
        const CountryDisplay d =
            LookupCallCountry(t, QString::fromLatin1(call), QStringLiteral("Japan"), Sacramento);
        ASSERT_TRUE(d.box.has_value()) << call;
        EXPECT_EQ(*d.box, QStringLiteral("Not Found")) << call;
        EXPECT_EQ(d.continent, QString()) << call;
        EXPECT_EQ(d.bearing, QString()) << call;
        EXPECT_EQ(d.distance, QString()) << call;
        EXPECT_TRUE(d.selectBox);
    }
}

TEST(CallCountry, EmptyCallChangesNothingUnlessTheBoxSaysNotFound)
{
    const auto t = smallTable();
    const CountryDisplay keep = LookupCallCountry(t, QString(), QStringLiteral("Japan"), Sacramento);
    EXPECT_FALSE(keep.box || keep.continent || keep.bearing || keep.distance);
    EXPECT_FALSE(keep.selectBox);
    const CountryDisplay clear =
        LookupCallCountry(t, QString(), QStringLiteral("not found"), Sacramento);
    EXPECT_FALSE(clear.box);
    EXPECT_EQ(clear.continent, QString());
    EXPECT_EQ(clear.bearing, QString());
}

TEST(CallCountry, Kg4CallsOfFourOrMoreThanFiveCharactersAreStateside)
{
    const auto t = smallTable();
    const CallCountry base = lookupCallCountry(t, QStringLiteral("KG4AB"));
    EXPECT_EQ(base.boxText, QStringLiteral("Guantanamo Bay"));
    for (const char* call : {"KG4A", "KG4ABC", "kg4abc"}) {
        const CallCountry r = lookupCallCountry(t, QString::fromLatin1(call));
        EXPECT_EQ(r.outcome, CallCountry::Outcome::Dx) << call;
        EXPECT_EQ(r.boxText, QString()) << call;
        EXPECT_EQ(r.row, 4) << call;  // the first USA row, "AA"
        EXPECT_EQ(r.continent, QStringLiteral("NA")) << call;
        ASSERT_TRUE(r.position) << call;
        EXPECT_FLOAT_EQ(static_cast<float>(r.position->longitude), 91.87f);
    }
    // The display of a stateside KG4 call: an empty box, the USA's continent
    // and a bearing and distance to the USA's reference point.
    const CountryDisplay d = LookupCallCountry(t, QStringLiteral("KG4ABC"), QString(), Sacramento);
    EXPECT_EQ(d.box, QString());
    EXPECT_FALSE(d.bearing->isEmpty());
}

TEST(CallCountry, NeverReadsOutsideTheTable)
{
    // Run under the address sanitizer: first characters far beyond Z, lower
    // case with a table large enough to estimate past its end, and tiny or
    // empty tables.
    const auto small = smallTable();
    app::CountryPrefixTable one;
    one.rows = {row("K", "USA", "NA", 91.87f, 37.6f)};
    const app::CountryPrefixTable empty;
    const QString calls[] = {QStringLiteral("zz9zz"), QString(QChar(0xFFFF)) + QStringLiteral("1A"),
                             QStringLiteral("\u00FF1A"), QStringLiteral("A"),
                             QStringLiteral("/"), QStringLiteral(" K6")};
    const app::CountryPrefixTable* tables[] = {&small, &one, &empty};
    for (const app::CountryPrefixTable* table : tables) {
        for (const QString& call : calls) {
            (void)lookupCallCountry(*table, call);
            (void)LookupSpotCountry(*table, call);
            (void)findLongestPrefix(*table, call, PrefixCompare::IgnoreCase);
        }
    }
    EXPECT_EQ(lookupCallCountry(empty, QStringLiteral("DL1A")).outcome,
              CallCountry::Outcome::NotFound);
    EXPECT_EQ(lookupCallCountry(one, QStringLiteral("k6aa")).outcome,
              CallCountry::Outcome::UsaOrCanada);
}

TEST(CallCountry, WalkAgreesWithAFullSearchOverTheShippedTable)
{
    // Every prefix of the real table, followed by a suffix, must find a
    // matching prefix as long as the longest one a search of all rows finds.
    const auto t = shippedTable();
    int checked = 0;
    for (const auto& r : t.rows) {
        for (const QString& suffix : {QStringLiteral("1AB"), QStringLiteral("ZZ")}) {
            const QString call = r.CountryPrefix + suffix;
            int longest = 0;
            for (const auto& other : t.rows)
                if (call.startsWith(other.CountryPrefix) && other.CountryPrefix.size() > longest)
                    longest = static_cast<int>(other.CountryPrefix.size());
            const PrefixMatch m = findLongestPrefix(t, call, PrefixCompare::IgnoreCase);
            ASSERT_GT(m.row, 0) << call.toStdString();
            EXPECT_EQ(m.length, longest) << call.toStdString();
            EXPECT_TRUE(call.startsWith(t.rows[m.row - 1].CountryPrefix)) << call.toStdString();
            EXPECT_EQ(findLongestPrefix(t, call.toLower(), PrefixCompare::IgnoreCase).length, longest)
                << call.toStdString();
            ++checked;
        }
    }
    EXPECT_GT(checked, 2000);
}

TEST(CallCountry, ShippedTableSpotChecks)
{
    const auto t = shippedTable();
    EXPECT_EQ(lookupCallCountry(t, QStringLiteral("4X1AB")).boxText, QStringLiteral("Israel"));
    EXPECT_EQ(lookupCallCountry(t, QStringLiteral("KL7AA")).boxText, QStringLiteral("AK"));
    EXPECT_EQ(lookupCallCountry(t, QStringLiteral("AH6AA")).boxText, QStringLiteral("HI"));
    EXPECT_EQ(lookupCallCountry(t, QStringLiteral("KL9KAA")).boxText,
              QStringLiteral("Republic of Korea"));
    EXPECT_EQ(lookupCallCountry(t, QStringLiteral("VY1AA")).outcome,
              CallCountry::Outcome::UsaOrCanada);
    const CallCountry kg4 = lookupCallCountry(t, QStringLiteral("KG4ABC"));
    EXPECT_EQ(t.rows[kg4.row - 1].CountryPrefix, QStringLiteral("AA"));
}

TEST(SpotCountry, ComparesExactlyAndNamesKg4LongCallsUsa)
{
    const auto t = smallTable();
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("DU1ABC")), QStringLiteral("Philippines"));
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("K6ABC")), QStringLiteral("USA"));
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("KG4AB")), QStringLiteral("Guantanamo Bay"));
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("KG4ABC")), QStringLiteral("USA"));
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("KG4A")), QStringLiteral("Guantanamo Bay"));
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("dl1abc")), QString());
    EXPECT_EQ(LookupSpotCountry(t, QStringLiteral("QQ1X")), QString());
    EXPECT_EQ(LookupSpotCountry(t, QString()), QString());
}

TEST(StatePosition, FoundIgnoringCase)
{
    app::StateLocationTable states;
    states.rows[0] = {QStringLiteral("AK"), 63.59f, 154.49f};
    states.rows[1] = {QStringLiteral("NY"), 40.7f, 74.0f};
    const auto ny = statePosition(states, QStringLiteral("ny"));
    ASSERT_TRUE(ny);
    EXPECT_FLOAT_EQ(static_cast<float>(ny->latitude), 40.7f);
    EXPECT_FALSE(statePosition(states, QStringLiteral("ZZ")));
    EXPECT_FALSE(statePosition(states, QString()));
}

TEST(CanadianProvince, FirstThreeCharactersGiveTheCode)
{
    struct Case {
        const char* call;
        const char* code;
    } cases[] = {
        {"VE3ABC", "ON"}, {"VY1AA", "NT"}, {"va9xx", "MR"}, {"VO2AB", "MR"}, {"VE2AA", "QC"},
        {"VA7AA", "BC"},  {"VE8AA", "NT"}, {"VE", ""},      {"VE0AA", ""},   {"K6ABC", ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(canadianProvinceCode(QString::fromLatin1(c.call)), QString::fromLatin1(c.code))
            << c.call;
}

TEST(CountryCompletion, LastRowBeginningWithTheTypedTextWins)
{
    const auto t = smallTable();
    // "Fed. Rep. of Germany" is on two rows: the later one is offered.
    EXPECT_EQ(countryCompletionRow(t, QStringLiteral("fed")), 6);
    EXPECT_EQ(countryCompletionRow(t, QStringLiteral("Ja")), 9);
    EXPECT_EQ(countryCompletionRow(t, QStringLiteral("Xy")), 0);
    EXPECT_EQ(countryCompletionRow(t, QString()), 0);
}

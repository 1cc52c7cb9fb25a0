#include "app/reference_tables.h"
#include "spots/spot_country.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

namespace {

app::CountryPrefixTable table()
{
    app::CountryPrefixTable t;
    for (const auto& [prefix, name] : std::initializer_list<std::pair<const char*, const char*>>{
             {"2E", "England"}, {"4X", "Israel"}, {"DL", "Germany"}, {"G", "England"},
             {"JA", "Japan"}, {"K", "USA"}, {"KG4", "Guantanamo Bay"}, {"VE", "Canada"},
             {"VK", "Australia"}, {"VK9N", "Norfolk I."}, {"W", "USA"}})
        t.rows.push_back({QString::fromLatin1(prefix), QString::fromLatin1(name), {}, 0, 0});
    return t;
}

}  // namespace

TEST(SpotCountry, LongestPrefixOfTheCallOrItsPortablePart)
{
    const auto t = table();
    const struct {
        const char* call;
        const char* country;
    } cases[] = {
        {"DL1ABC", "Germany"},      {"VK9NA", "Norfolk I."},  {"VK2AB", "Australia"},
        {"2E0ABC", "England"},      {"4X6TT", "Israel"},      {"K6ABC/VE3", "Canada"},
        {"VE3/K6ABC", "Canada"},    {"DL1ABC/7", "Germany"},  {"KG4AB", "Guantanamo Bay"},
        {"KG4ABC", "USA"},          {"ZZ9ZZ", ""},            {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(spots::spotCountry(t, QString::fromLatin1(c.call)), QString::fromLatin1(c.country)) << c.call;
}

TEST(SpotCountry, AFirstCharacterOutsideLettersAndDigitsFindsNothing)
{
    const auto t = table();
    for (const QString call : {QStringLiteral("dl1abc"), QStringLiteral("#DL1ABC"), QStringLiteral("\u00c4L1A"),
                               QStringLiteral("~~~"), QStringLiteral(" DL1ABC"), QStringLiteral("K6ABC/ve3")})
        EXPECT_EQ(spots::spotCountry(t, call), QString()) << call.toStdString();
    EXPECT_EQ(spots::spotCountry(app::CountryPrefixTable{}, QStringLiteral("DL1ABC")), QString());
}

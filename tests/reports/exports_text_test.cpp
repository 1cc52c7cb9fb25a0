#include "log/log_test_helpers.h"
#include "reports/clipboard_text.h"
#include "reports/daybook_export.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using logtest::contact;

TEST(DaybookExport, LineFieldsExactly)
{
    auto r = contact(QStringLiteral("K6XX"), QStringLiteral("44"), QStringLiteral("PH"), QStringLiteral("40"),
                     QStringLiteral("ALAMEDA"));
    EXPECT_EQ(reports::daybookLine(r, QStringLiteral("CA"), QStringLiteral("100")),
              QByteArrayLiteral("\"K6XX\",\"2021/10/02\",\"40\",\"SSB\",\"100\",\"16:02:41\",\"\",\"\",,\"USA\",\"CA\","
                                "\"ALAMEDA\",,,,\"QSO Party Contest\"\r\n"));
    // A cancelled power prompt leaves the field empty; a quote typed into it
    // never breaks the line.
    r.LogMode = QStringLiteral("CW");
    EXPECT_TRUE(reports::daybookLine(r, "CA", QString()).contains(",\"CW\",\"\",\"16:02:41\","));
    EXPECT_TRUE(reports::daybookLine(r, "CA", QStringLiteral("5\"W")).contains(",\"5W\","));
    EXPECT_EQ(reports::writeDaybookExport(contactlog::ContactLog{}, "CA", "100"), QByteArray());
}

TEST(DaybookExport, ModesCountriesAndStates)
{
    auto rec = [](const char* call, const char* spc, const char* mode = "CW", const char* state = "") {
        auto r = contact(QString::fromLatin1(call), QStringLiteral("1"), QString::fromLatin1(mode));
        r.LogSPC = QString::fromLatin1(spc);
        r.LogState = QString::fromLatin1(state);
        return r;
    };
    const struct {
        contactlog::ContactRecord r;
        const char* country;
        const char* state;
    } cases[] = {
        {rec("K6XX", ""), "USA", "CA"},           // out of state: the party state
        {rec("VE6XX", ""), "Canada", "CA"},       // by the call's first letter
        {rec("KL7XX", "AK"), "Alaska", "AK"},
        {rec("KH6XX", "HI"), "Hawaii", "HI"},
        {rec("VE3XX", "ON"), "Canada", ""},
        {rec("DL1XX", "Germany"), "Germany", ""},
        {rec("W1AW", "CT", "CW", "AK"), "Alaska", "AK"},  // a filled LogState wins
    };
    for (const auto& c : cases) {
        const auto p = reports::daybookPlace(c.r, QStringLiteral("CA"));
        EXPECT_EQ(p.country, QString::fromLatin1(c.country)) << c.r.LogCall.toStdString();
        EXPECT_EQ(p.state, QString::fromLatin1(c.state)) << c.r.LogCall.toStdString();
    }
    for (const char* mode : {"PH", "RTTY", "cw"})
        EXPECT_TRUE(reports::daybookLine(rec("W1AW", "CT", mode), "CA", "1").contains(",\"SSB\",")) << mode;
    EXPECT_TRUE(reports::daybookLine(rec("W1AW", "CT", "DG"), "CA", "1").contains(",\"DG\","));
}

TEST(ClipboardText, HeadingsThenRowsBottomUpWithEveryCell)
{
    const QStringList headings = {"Rec#", "Call", "County"};
    const QStringList cells[] = {{"25", "K6AA", "ALAMEDA"}, {"24", "N6BB", ""}, {"23", "W6CC", "BUTTE"}};
    const QString text = reports::listClipboardText(headings, 3, [&](int row, int col) { return cells[row][col]; });
    EXPECT_EQ(text, QStringLiteral("Rec#\tCall\tCounty\r\n23\tW6CC\tBUTTE\r\n24\tN6BB\t\r\n25\tK6AA\tALAMEDA\r\n"));
    EXPECT_EQ(reports::listClipboardText(headings, 0, [](int, int) { return QString(); }),
              QStringLiteral("Rec#\tCall\tCounty\r\n"));
}

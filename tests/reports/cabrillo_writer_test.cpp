#include "log/log_test_helpers.h"
#include "reports/cabrillo_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using logtest::contact;

namespace {

reports::CabrilloStation inState()
{
    reports::CabrilloStation s;
    s.MyCall = QStringLiteral("K6AA");
    s.MySPC = QStringLiteral("CA");
    s.MyArrlSection = QStringLiteral("SV");
    s.PartyState = QStringLiteral("CA");
    s.programVersion = QStringLiteral("2.3");
    s.claimedScore = 1234;
    return s;
}

contactlog::ContactRecord inStateContact(const QString& call, const QString& serial, const QString& spc,
                                         const QString& county, const QString& sent)
{
    auto r = contact(call, serial, QStringLiteral("CW"), QStringLiteral("20"), county);
    r.LogSPC = spc;
    r.LogCountySent = sent;
    r.LogSerialSent = QStringLiteral("7");
    return r;
}

QStringList linesOf(const QByteArray& bytes)
{
    EXPECT_TRUE(bytes.endsWith("\r\n"));
    EXPECT_EQ(bytes.count("\n"), bytes.count("\r\n"));
    return QString::fromLatin1(bytes.chopped(2)).split(QStringLiteral("\r\n"));
}

// The text in columns first..last (1-based) of a line.
QString columns(const QString& line, int first, int last) { return line.mid(first - 1, last - first + 1); }

}  // namespace

TEST(CabrilloWriter, EmptyLogGivesTheHeaderInOrderThenEndOfLog)
{
    reports::CabrilloEntry entry;
    entry.clubName = QStringLiteral("Northern California Contest Club");
    entry.name = QStringLiteral("Pat Operator");
    entry.address1 = QStringLiteral("1 Main St");
    entry.address2 = QStringLiteral("Springfield");
    entry.email = QStringLiteral("pat@example.org");
    entry.soapbox = QStringLiteral("Fun!");
    auto station = inState();
    station.claimedScore = 1234567;
    const QStringList lines =
        linesOf(reports::writeCabrillo(contactlog::ContactLog{}, logtest::counties(), station, entry));
    EXPECT_EQ(lines, QStringList({
                         "START-OF-LOG: 2.0",
                         "CREATED-BY: Ostrel's CA State QSO Party Program 2.3",
                         "CALLSIGN: K6AA",
                         "ARRL-SECTION: SV",
                         "CONTEST: NCCC-CQP",
                         "CATEGORY: SINGLE-OP ALL LOW MIXED",
                         "CLUB-NAME: Northern California Contest Club",
                         "CLAIMED-SCORE:  1234567 ",
                         "OPERATORS: K6AA",
                         "NAME: Pat Operator",
                         "ADDRESS: 1 Main St",
                         "ADDRESS: Springfield",
                         "ADDRESS: (e-mail) pat@example.org",
                         "SOAPBOX: Fun!",
                         "END-OF-LOG:",
                     }));
}

TEST(CabrilloWriter, HeaderTakesTheCategoryAndTheMultiOpCalls)
{
    reports::CabrilloEntry entry;
    entry.category = QStringLiteral("MULTI-SINGLE");
    entry.power = QStringLiteral("QRP");
    entry.mode = QStringLiteral("CW");
    entry.operators = QStringLiteral("K6AA N6BB");
    entry.soapbox = QStringLiteral("two\r\nlines");
    const QStringList lines =
        linesOf(reports::writeCabrillo(contactlog::ContactLog{}, logtest::counties(), inState(), entry));
    EXPECT_EQ(lines[5], QStringLiteral("CATEGORY: MULTI-SINGLE ALL QRP CW"));
    EXPECT_EQ(lines[8], QStringLiteral("OPERATORS: K6AA N6BB"));
    // A pasted line break never starts a line the robot cannot read.
    EXPECT_EQ(lines[13], QStringLiteral("SOAPBOX: two  lines"));
    EXPECT_EQ(lines.size(), 15);
}

TEST(CabrilloWriter, QsoLinePutsEveryFieldInItsColumns)
{
    auto r = inStateContact(QStringLiteral("W1AW"), QStringLiteral("12"), QStringLiteral("CT"), QString(),
                            QStringLiteral("ALAMEDA"));
    const QString line = reports::cabrilloQsoLine(r, inState(), nullptr);
    EXPECT_EQ(line,
              QStringLiteral("QSO: 14000 CW 2021-10-02 1602 K6AA         7 ALAMEDA   W1AW        12 CT"));
    EXPECT_EQ(columns(line, 1, 4), QStringLiteral("QSO:"));
    EXPECT_EQ(columns(line, 6, 10), QStringLiteral("14000"));
    EXPECT_EQ(columns(line, 12, 13), QStringLiteral("CW"));
    EXPECT_EQ(columns(line, 15, 24), QStringLiteral("2021-10-02"));
    EXPECT_EQ(columns(line, 26, 29), QStringLiteral("1602"));
    EXPECT_EQ(columns(line, 31, 34), QStringLiteral("K6AA"));
    EXPECT_EQ(columns(line, 44, 44), QStringLiteral("7"));
    EXPECT_EQ(columns(line, 46, 52), QStringLiteral("ALAMEDA"));
    EXPECT_EQ(columns(line, 56, 59), QStringLiteral("W1AW"));
    EXPECT_EQ(columns(line, 68, 69), QStringLiteral("12"));
    EXPECT_EQ(line.mid(70), QStringLiteral("CT"));

    // A four-digit serial fills 41 to 44; a nine-character call fills 56-64.
    r.LogSerialSent = QStringLiteral("1234");
    r.LogCall = QStringLiteral("KH6/W1AWX");
    const QString wide = reports::cabrilloQsoLine(r, inState(), nullptr);
    EXPECT_EQ(columns(wide, 41, 44), QStringLiteral("1234"));
    EXPECT_EQ(columns(wide, 56, 64), QStringLiteral("KH6/W1AWX"));
    EXPECT_EQ(columns(wide, 68, 69), QStringLiteral("12"));
}

TEST(CabrilloWriter, BandsDatesAndTimes)
{
    const struct {
        const char* band;
        const char* freq;
    } bands[] = {{"160", " 1800"}, {"80", " 3500"}, {"40", " 7000"}, {"20", "14000"}, {"15", "21000"},
                 {"10", "28000"}, {"6", "   50"},  {"2", "  144"},   {"30", "     "}, {"", "     "}};
    for (const auto& b : bands) {
        auto r = inStateContact("W1AW", "1", "CT", {}, "ALAMEDA");
        r.LogBand = QString::fromLatin1(b.band);
        const QString line = reports::cabrilloQsoLine(r, inState(), nullptr);
        EXPECT_EQ(columns(line, 5, 11), u' ' + QString::fromLatin1(b.freq) + u' ') << b.band;
        EXPECT_EQ(columns(line, 12, 13), QStringLiteral("CW")) << b.band;
    }
    auto r = inStateContact("W1AW", "1", "CT", {}, "ALAMEDA");
    r.LogDate = QStringLiteral("Oct 2");  // not a date: written as stored
    r.LogTime = QStringLiteral("09:05");
    const QString line = reports::cabrilloQsoLine(r, inState(), nullptr);
    EXPECT_EQ(columns(line, 15, 25), QStringLiteral("Oct 2      "));
    EXPECT_EQ(columns(line, 26, 29), QStringLiteral("0905"));
}

TEST(CabrilloWriter, CountyAbbreviationsAndExchanges)
{
    const auto counties = logtest::counties();
    const reports::CountyAbbreviations abbrevs(counties);
    // In state: the sent county and a received county of the table become
    // their abbreviations, letter case ignored.
    auto r = inStateContact("N6BB", "3", "CA", "alpine", "Butte");
    QString line = reports::cabrilloQsoLine(r, inState(), &abbrevs);
    EXPECT_EQ(columns(line, 46, 55), QStringLiteral("BUTT      "));
    EXPECT_EQ(line.mid(70), QStringLiteral("ALPI"));
    // Not in the table: the sent county cut to nine characters, the received
    // one whole.
    r.LogCountySent = QStringLiteral("San Bernardino");
    r.LogCountyRcvd = QStringLiteral("Contra Costa Extra");
    line = reports::cabrilloQsoLine(r, inState(), &abbrevs);
    EXPECT_EQ(columns(line, 46, 55), QStringLiteral("San Berna "));
    EXPECT_EQ(line.mid(70), QStringLiteral("Contra Costa Extra"));
    // No county received: the SPC, trimmed (a DX country whole).
    r.LogCountyRcvd.clear();
    r.LogSPC = QStringLiteral(" Federal Republic of Germany ");
    EXPECT_EQ(reports::cabrilloQsoLine(r, inState(), &abbrevs).mid(70), QStringLiteral("Federal Republic of Germany"));
    // Without abbreviations the full names stay.
    r = inStateContact("N6BB", "3", "CA", "ALPINE", "BUTTE");
    EXPECT_EQ(reports::cabrilloQsoLine(r, inState(), nullptr).mid(70), QStringLiteral("ALPINE"));

    // Out of state the sent exchange is the own state on every line.
    auto out = inState();
    out.outOfState = true;
    out.MySPC = QStringLiteral("CT");
    r = contact("K6XX", "44", "PH", "40", "AMADOR");
    r.LogSerialSent = QStringLiteral("5");
    line = reports::cabrilloQsoLine(r, out, &abbrevs);
    EXPECT_EQ(columns(line, 46, 55), QStringLiteral("CT        "));
    EXPECT_EQ(line.mid(70), QStringLiteral("AMAD"));
    EXPECT_EQ(columns(line, 12, 13), QStringLiteral("PH"));
}

TEST(CabrilloWriter, OverlongFieldsKeepTheContactOnOneLine)
{
    auto r = inStateContact("W1AW", "123456789012", "CT", {}, "ALAMEDA");
    r.LogSerialSent = QStringLiteral("1234567");
    r.LogMode = QStringLiteral("RTTY");
    const QByteArray bytes = reports::writeCabrillo(logtest::logOf({r}), logtest::counties(), inState(), {});
    const QStringList lines = linesOf(bytes);
    ASSERT_EQ(lines.size(), 16);
    const QStringList words = lines[14].split(u' ', Qt::SkipEmptyParts);
    EXPECT_EQ(words, QStringList({"QSO:", "14000", "RTTY", "2021-10-02", "1602", "K6AA", "1234567", "ALAM",
                                  "W1AW", "123456789012", "CT"}));
    EXPECT_EQ(lines[15], QStringLiteral("END-OF-LOG:"));
}

TEST(CabrilloWriter, AValueThatFillsItsColumnsIsFollowedByABlank)
{
    // A nine-character call followed by serial 10001, in both halves.
    auto station = inState();
    station.MyCall = QStringLiteral("KH6/K6AAX");
    auto r = inStateContact(QStringLiteral("KH6/W1AWX"), QStringLiteral("10001"), QStringLiteral("CT"), QString(),
                            QStringLiteral("ALAMEDA"));
    r.LogSerialSent = QStringLiteral("10001");
    const QString line = reports::cabrilloQsoLine(r, station, nullptr);
    EXPECT_EQ(line, QStringLiteral("QSO: 14000 CW 2021-10-02 1602 KH6/K6AAX 10001 ALAMEDA  KH6/W1AWX 10001 CT"));
    EXPECT_EQ(line.split(u' ', Qt::SkipEmptyParts),
              QStringList({"QSO:", "14000", "CW", "2021-10-02", "1602", "KH6/K6AAX", "10001", "ALAMEDA", "KH6/W1AWX",
                           "10001", "CT"}));
    // The columns before the full ones, and the received call, stay.
    EXPECT_EQ(columns(line, 31, 39), QStringLiteral("KH6/K6AAX"));
    EXPECT_EQ(columns(line, 56, 64), QStringLiteral("KH6/W1AWX"));

    // A serial one shorter still ends in its column, as before.
    r.LogSerialSent = QStringLiteral("1001");
    r.LogSerialRcvd = QStringLiteral("1001");
    EXPECT_EQ(reports::cabrilloQsoLine(r, station, nullptr),
              QStringLiteral("QSO: 14000 CW 2021-10-02 1602 KH6/K6AAX 1001 ALAMEDA   KH6/W1AWX 1001 CT"));

    // A three-letter mode and a date text of eleven characters fill theirs.
    r.LogMode = QStringLiteral("RTT");
    r.LogDate = QStringLiteral("October 2nd");
    const QStringList words = reports::cabrilloQsoLine(r, station, nullptr).split(u' ', Qt::SkipEmptyParts);
    ASSERT_GE(words.size(), 6);
    EXPECT_EQ(words.mid(2, 4), QStringList({"RTT", "October", "2nd", "1602"}));
}

TEST(CabrilloWriter, ClaimedScoreComesFromTheTotals)
{
    contactlog::LogState log;
    log.totals.QSOPoints = 250;
    log.counties.worked = {"ALAMEDA", "BUTTE", "AMADOR"};
    log.MultiplierCount = 7;
    EXPECT_EQ(reports::claimedScoreOf(log, true), 750);
    EXPECT_EQ(reports::claimedScoreOf(log, false), 1750);
}

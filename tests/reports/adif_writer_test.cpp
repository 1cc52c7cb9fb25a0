#include "log/log_test_helpers.h"
#include "reports/adif_writer.h"
#include "support/test_support.h"

#include <gtest/gtest.h>
#include <map>

using logtest::contact;

namespace {

// A reader written from the ADIF rules alone: the header runs to <EOH>;
// then each field is <name:length[:type]> followed by exactly length bytes,
// and <EOR> ends a record. Text between fields is ignored.
struct AdifFile {
    std::vector<std::map<std::string, std::string>> records;
    bool ok = true;
};

AdifFile readAdif(const QByteArray& bytes)
{
    AdifFile f;
    const std::string s = bytes.toStdString();
    std::size_t pos = 0;
    auto lower = [](std::string t) {
        for (char& c : t)
            c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        return t;
    };
    const std::size_t eoh = lower(s).find("<eoh>");
    if (eoh == std::string::npos) {
        f.ok = false;
        return f;
    }
    pos = eoh + 5;
    std::map<std::string, std::string> record;
    while ((pos = s.find('<', pos)) != std::string::npos) {
        const std::size_t close = s.find('>', pos);
        if (close == std::string::npos) {
            f.ok = false;
            break;
        }
        const std::string tag = s.substr(pos + 1, close - pos - 1);
        pos = close + 1;
        if (lower(tag) == "eor") {
            f.records.push_back(record);
            record.clear();
            continue;
        }
        const std::size_t colon = tag.find(':');
        if (colon == std::string::npos) {
            f.ok = false;
            break;
        }
        const std::string name = lower(tag.substr(0, colon));
        const std::size_t length = std::stoul(tag.substr(colon + 1));
        if (pos + length > s.size()) {
            f.ok = false;
            break;
        }
        record[name] = s.substr(pos, length);
        pos += length;
    }
    if (!record.empty())
        f.ok = false;  // fields after the last <eor>
    return f;
}

reports::AdifCountryTable table()
{
    QString error;
    auto t = reports::AdifCountryTable::parse(
        QByteArrayLiteral("\"Alaska\",6\r\n\"Canada\",1\r\n\"Fed. Rep. of Germany\",230\r\n\"Hawaii\",110\r\n"
                          "\"USA\",291\r\n\"USA\",999\r\n"),
        error);
    EXPECT_TRUE(t) << error.toStdString();
    return *t;
}

reports::AdifOptions options()
{
    reports::AdifOptions o;
    o.partyState = QStringLiteral("CA");
    o.programVersion = QStringLiteral("2.3");
    o.exportDateText = QStringLiteral("10/3/21");
    o.power = QStringLiteral("100");
    o.comment = QStringLiteral("CA State QSO Party Contest");
    return o;
}

}  // namespace

TEST(AdifWriter, EmptyLogGivesTheHeaderAlone)
{
    EXPECT_EQ(reports::writeAdif(contactlog::ContactLog{}, options(), table()),
              QByteArrayLiteral("Exported from Ostrel's CA State QSO Party Logging Program 2.3\r\n"
                                "Log exported on: 10/3/21\r\n\r\n<EOH>\r\n\r\n"));
}

TEST(AdifWriter, OutOfStateRecordExactly)
{
    auto r = contact(QStringLiteral("K6XX"), QStringLiteral("44"), QStringLiteral("PH"), QStringLiteral("160"),
                     QStringLiteral("ALAMEDA"));
    r.LogFrequency = QStringLiteral("    1.834");
    EXPECT_EQ(reports::adifRecord(r, options(), table()),
              QByteArrayLiteral("<Call:4>K6XX <Qso_Date:8:d>20211002 <Band:4>160M <Freq:5>1.834 <Mode:3>SSB\r\n"
                                "<Tx_Pwr:3>100 <Time_On:4>1602 <DXCC:3>291 <State:2>CA <Cnty:10>CA,ALAMEDA "
                                "<Cont:2>NA <Comment:26>CA State QSO Party Contest\r\n<eor>\r\n\r\n"));
}

TEST(AdifWriter, CountriesStatesAndContinents)
{
    auto field = [](const contactlog::ContactRecord& r, const char* name) {
        const QByteArray rec = reports::adifRecord(r, options(), table());
        const auto parsed = readAdif("<EOH>" + rec);
        EXPECT_EQ(parsed.records.size(), 1u);
        const auto& m = parsed.records.at(0);
        const auto it = m.find(name);
        return it == m.end() ? std::string("(none)") : it->second;
    };
    auto in = [](const char* call, const char* spc) {
        auto r = contact(QString::fromLatin1(call), QStringLiteral("5"), QStringLiteral("CW"), QStringLiteral("20"),
                         QString());
        r.LogSPC = QString::fromLatin1(spc);
        return r;
    };
    // A US call with a state.
    EXPECT_EQ(field(in("W1AW", "CT"), "state"), "CT");
    EXPECT_EQ(field(in("W1AW", "CT"), "dxcc"), "291");
    EXPECT_EQ(field(in("W1AW", "CT"), "cont"), "NA");
    // Alaska and Hawaii by their state.
    EXPECT_EQ(field(in("KL7AA", "AK"), "dxcc"), "6");
    EXPECT_EQ(field(in("KH6AA", "HI"), "dxcc"), "110");
    // A Canadian: no state, no continent.
    EXPECT_EQ(field(in("VE3AA", "ON"), "dxcc"), "1");
    EXPECT_EQ(field(in("VE3AA", "ON"), "state"), "(none)");
    EXPECT_EQ(field(in("VE3AA", "ON"), "cont"), "(none)");
    // A DX country name: that country, no state, no continent; an unknown
    // name has no DXCC field.
    EXPECT_EQ(field(in("DL1AA", "Fed. Rep. of Germany"), "dxcc"), "230");
    EXPECT_EQ(field(in("DL1AA", "Fed. Rep. of Germany"), "state"), "(none)");
    EXPECT_EQ(field(in("ZZ1AA", "Atlantis"), "dxcc"), "(none)");
    // No frequency, no Freq field.
    EXPECT_EQ(field(in("W1AW", "CT"), "freq"), "(none)");
}

TEST(AdifWriter, TimesDatesAndPower)
{
    EXPECT_EQ(reports::adifTime(QStringLiteral("16:02:41")), QStringLiteral("1602"));
    EXPECT_EQ(reports::adifTime(QStringLiteral("9:05")), QStringLiteral("0905"));
    EXPECT_EQ(reports::adifTime(QString()), QStringLiteral("0000"));

    auto r = contact(QStringLiteral("W1AW"), QStringLiteral("5"));
    r.LogDate = QStringLiteral("2021/13/45");
    auto o = options();
    o.power = QStringLiteral("5   ");
    o.comment.clear();
    const QByteArray rec = reports::adifRecord(r, o, table());
    EXPECT_FALSE(rec.contains("Qso_Date"));
    EXPECT_TRUE(rec.contains("<Tx_Pwr:1>5 "));
    EXPECT_FALSE(rec.contains("Comment"));
    EXPECT_TRUE(rec.endsWith("<eor>\r\n\r\n"));
}

TEST(AdifWriter, AStandardReaderReadsEveryRecordBack)
{
    std::vector<contactlog::ContactRecord> records;
    const char* modes[] = {"CW", "PH", "DG"};
    const char* bands[] = {"160", "80", "40", "20", "15", "10", "6", "2"};
    for (int i = 0; i < 40; ++i) {
        auto r = contact(QStringLiteral("W%1<AB>").arg(i), QString::number(i), QString::fromLatin1(modes[i % 3]),
                         QString::fromLatin1(bands[i % 8]), i % 2 ? QStringLiteral("SAN LUIS OBISPO") : QString());
        r.LogTime = QStringLiteral("%1:%2:07").arg(i % 24, 2, 10, QChar(u'0')).arg(i, 2, 10, QChar(u'0'));
        r.LogSPC = i % 2 ? QString() : QStringLiteral("Fed. Rep. of Germany");
        r.LogFrequency = i % 4 ? QString() : QStringLiteral("14.025");
        records.push_back(r);
    }
    contactlog::ContactLog log;
    log.replaceAll(records);
    auto o = options();
    o.comment = QStringLiteral("Caf\u00e9 <eor> test");  // a non-ASCII letter and markup in a value
    const auto parsed = readAdif(reports::writeAdif(log, o, table()));
    ASSERT_TRUE(parsed.ok);
    ASSERT_EQ(parsed.records.size(), records.size());
    for (std::size_t i = 0; i < records.size(); ++i) {
        const auto& m = parsed.records[i];
        const auto& r = records[i];
        EXPECT_EQ(m.at("call"), r.LogCall.toStdString());
        EXPECT_EQ(m.at("qso_date"), "20211002");
        EXPECT_EQ(m.at("time_on"), (r.LogTime.left(2) + r.LogTime.mid(3, 2)).toStdString());
        EXPECT_EQ(m.at("band"), (r.LogBand + u'M').toStdString());
        EXPECT_EQ(m.at("mode"), r.LogMode == QStringLiteral("PH") ? "SSB" : r.LogMode.toStdString());
        EXPECT_EQ(m.at("comment"), o.comment.toLatin1().toStdString());
    }
}

TEST(AdifWriter, CountryTableErrors)
{
    QString error;
    EXPECT_FALSE(reports::AdifCountryTable::parse("\"USA\",291\r\n\"Canada\"\r\n", error));
    EXPECT_FALSE(error.isEmpty());
    EXPECT_FALSE(reports::AdifCountryTable::parse("\"USA\",lots\r\n", error));
    EXPECT_FALSE(reports::AdifCountryTable::parse("\"USA\",40000\r\n", error));
    QByteArray big;
    for (int i = 0; i <= reports::AdifCountryTable::MaxPairs; ++i)
        big += "\"C" + QByteArray::number(i) + "\"," + QByteArray::number(i) + "\r\n";
    EXPECT_FALSE(reports::AdifCountryTable::parse(big, error));
    // Names with commas in quotes, the first of two equal names, blank lines at the end.
    const auto t = reports::AdifCountryTable::parse("\"Korea, South\",137\r\n\"USA\",291\r\n\"USA\",1\r\n\r\n", error);
    ASSERT_TRUE(t);
    EXPECT_EQ(t->number(QStringLiteral("Korea, South")), 137);
    EXPECT_EQ(t->number(QStringLiteral("USA")), 291);
    EXPECT_EQ(t->number(QStringLiteral("usa")), 0);
}

TEST(AdifWriter, ShippedTableKnowsTheNamesTheExportForms)
{
    const auto bytes = platform::readWholeFile(testing_support::sourceDir() + QStringLiteral("/data/ADIFCnt.txt"));
    ASSERT_TRUE(bytes);
    QString error;
    const auto t = reports::AdifCountryTable::parse(*bytes, error);
    ASSERT_TRUE(t) << error.toStdString();
    EXPECT_EQ(t->number(QStringLiteral("USA")), 291);
    EXPECT_EQ(t->number(QStringLiteral("Canada")), 1);
    EXPECT_EQ(t->number(QStringLiteral("Alaska")), 6);
    EXPECT_EQ(t->number(QStringLiteral("Hawaii")), 110);
}

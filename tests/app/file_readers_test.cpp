// Every file the program reads, read as an editor that adds a UTF-8
// byte-order mark saved it: the mark is no part of any value, so each
// reader takes the same values from the file with it as without it.

#include "app/app_state.h"
#include "app/help_page.h"
#include "app/reference_tables.h"
#include "app/shared_prefs.h"
#include "app/station_prefs.h"
#include "keying/keyer_settings.h"
#include "keying/voice_settings.h"
#include "keying/winkey_settings.h"
#include "log/contact_log.h"
#include "log/county_table.h"
#include "platform/parallel_port.h"
#include "platform/safe_file.h"
#include "platform/serial_port_table.h"
#include "platform/settings_stream.h"
#include "radio/band_plan.h"
#include "radio/rig_family.h"
#include "radio/rig_settings.h"
#include "radio/tentec_family.h"
#include "reports/adif_writer.h"
#include "spots/agw_engine_address.h"
#include "spots/spot_settings.h"
#include "support/test_support.h"

#include <QPlainTextEdit>
#include <functional>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QByteArray ByteOrderMark("\xEF\xBB\xBF");

QByteArray shipped(const char* name) { return readBytes(sourceDir() + QStringLiteral("/data/") + QLatin1String(name)); }

struct FileReader {
    const char* file;
    QByteArray content;
    /// What the program takes from the file at path, as one text.
    std::function<QString(ProgramFolderFixture&, const QString& path)> read;
    QString expected;
    /// The content with a double quote typed inside its first text value,
    /// as a slip in a text editor leaves it, and what is then read: the log
    /// refuses it, a file the program writes back keeps the whole value (the
    /// quote dropped), a table the program only reads ends the value at the
    /// quote. Empty: not a file of quoted values.
    QByteArray withQuoteSlip;
    QString readWithQuoteSlip;
};

QByteArray replaced(QByteArray bytes, const char* what, const char* with) { return bytes.replace(what, with); }

std::vector<FileReader> readers()
{
    app::StationPrefs prefs;
    prefs.MyCall = QStringLiteral("K6AAA");
    keying::PhoneWindowSettings phone;
    phone.wavePathsAndPttPort[0] = QStringLiteral("cq.wav");
    phone.pttLineOption = 0;
    phone.txtPHLoop = QStringLiteral("0");
    keying::WinKeySettings winKey;
    winKey.WinKeyComPort = 3;
    radio::RigSettings rig;
    rig.Baud = QStringLiteral("19200");
    spots::SpotSettings spot;
    spot.Baud = QStringLiteral("9600");

    return {
        {"log.txt",
         "\"W6AAA\",\"\",\"\",\"\",\"Alameda\",\"\",\"\",\"\",\"\",\"\",\"001\",\"2024/10/05\",\"16:05:00\",\"CW\","
         "\"20\",0,\"\",\"\",\"7\",\"\"\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             contactlog::ContactLog log;
             if (contactlog::LoadLog(log, path) != contactlog::LogReadError::None || log.ContactCount() != 1)
                 return QStringLiteral("not loaded");
             return log.record(1).LogCall + u'/' + log.record(1).LogCountyRcvd;
         },
         QStringLiteral("W6AAA/Alameda"),
         "\"W6\"AAA\",\"\",\"\",\"\",\"Alameda\",\"\",\"\",\"\",\"\",\"\",\"001\",\"2024/10/05\",\"16:05:00\","
         "\"CW\",\"20\",0,\"\",\"\",\"7\",\"\"\r\n",
         QStringLiteral("not loaded")},
        {"QSOpref.txt", app::formatStationPrefs(prefs),
         [](ProgramFolderFixture& fx, const QString&) {
             return app::readQSOPref(fx.state) ? fx.state.prefs.MyCall : QStringLiteral("not read");
         },
         QStringLiteral("K6AAA"), replaced(app::formatStationPrefs(prefs), "\"K6AAA\"", "\"K6\"AAA\""),
         QStringLiteral("K6AAA")},
        {"county2.txt", "\"CAAlameda\",\"ALAM\"\r\n\"CAKern\",\"KERN\"\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             contactlog::CountyTable table;
             (void)contactlog::LoadCountyTable(table, path, QStringLiteral("CA"));
             QStringList names;
             for (const auto& row : table.rows)
                 names << row.CountyName + u'=' + row.CountyAbbrev;
             return names.join(u' ');
         },
         QStringLiteral("Alameda=ALAM Kern=KERN"), "\"CAAla\"meda\",\"ALAM\"\r\n\"CAKern\",\"KERN\"\r\n",
         QStringLiteral("Ala=ALAM Kern=KERN")},
        {"states.txt", shipped("states.txt"),
         [](ProgramFolderFixture&, const QString& path) {
             app::StateLocationTable table;
             if (!app::loadStateLocationTable(table, path))
                 return QStringLiteral("not loaded");
             return table.rows[0].StateLocAbbrev + u' ' + QString::number(table.rows[0].StateLocLatitude);
         },
         QStringLiteral("AK 63.59")},
        {"arrlpre2.txt", shipped("arrlpre2.txt"),
         [](ProgramFolderFixture&, const QString& path) {
             app::CountryPrefixTable table;
             if (!app::loadCountryPrefixTable(table, {path}) || table.rows.empty())
                 return QStringLiteral("not loaded");
             return table.rows[0].CountryPrefix + u' ' + table.rows[0].CountryName;
         },
         QStringLiteral("1A Sov Mil Order of Malta")},
        {"cw.txt", "\"CQ ZQP K6AAA\"\r\n\"TU\"\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             keying::CwWindowSettings cw;
             int option = 0;
             (void)keying::LoadCWSettings(path, cw, option);
             return cw.messagesF1ToF9[0];
         },
         QStringLiteral("CQ ZQP K6AAA"), "\"CQ \"ZQP\" K6AAA\"\r\n\"TU\"\r\n", QStringLiteral("CQ ZQP K6AAA")},
        {"wave2.txt", keying::voiceSettingsFileBytes(phone),
         [](ProgramFolderFixture&, const QString& path) {
             auto reader = platform::SettingsReader::open(path, platform::TextAfterQuote::Kept);
             keying::PhoneWindowSettings read;
             if (!reader || !keying::readVoiceKeyerSettings(*reader, read))
                 return QStringLiteral("not read");
             return read.wavePathsAndPttPort[0];
         },
         QStringLiteral("cq.wav"), replaced(keying::voiceSettingsFileBytes(phone), "\"cq.wav\"", "\"cq\".wav\""),
         QStringLiteral("cq.wav")},
        {"WK.txt", keying::formatWinKeySettings(winKey),
         [](ProgramFolderFixture&, const QString& path) {
             keying::WinKeySettings read;
             if (keying::readWinKeySettingsFile(path, read) != keying::WinKeyFileRead::Complete)
                 return QStringLiteral("not read");
             return QString::number(read.WinKeyComPort) + u'/' + read.txtWKWPM;
         },
         QStringLiteral("3/18"), replaced(keying::formatWinKeySettings(winKey), "\"18\"", "\"1\"8\""),
         QStringLiteral("3/18")},
        {"RigCntrl.txt", radio::formatRigSettings(rig),
         [](ProgramFolderFixture&, const QString& path) {
             radio::RigSettings read;
             (void)radio::parseRigSettings(platform::readWholeFile(path).value_or(QByteArray()), read);
             return read.Baud;
         },
         QStringLiteral("19200"), replaced(radio::formatRigSettings(rig), "\"19200\"", "\"19\"200\""),
         QStringLiteral("19200")},
        {"PackSpot.txt", spots::formatSpotSettings(spot),
         [](ProgramFolderFixture&, const QString& path) {
             const auto read = spots::readSpotSettings(platform::readWholeFile(path).value_or(QByteArray()));
             return read ? read->Baud : QStringLiteral("not read");
         },
         QStringLiteral("9600"), replaced(spots::formatSpotSettings(spot), "\"9600\"", "\"96\"00\""),
         QStringLiteral("9600")},
        {"BandPlan.txt", shipped("BandPlan.txt"),
         [](ProgramFolderFixture&, const QString& path) {
             const radio::BandPlan plan = radio::readBandPlanFile(path);
             if (plan.rows.empty())
                 return QStringLiteral("not read");
             return plan.rows[0].Band + u' ' + plan.rows[0].LicenceClass;
         },
         QStringLiteral("160 O")},
        {"ADIFCnt.txt", shipped("ADIFCnt.txt"),
         [](ProgramFolderFixture&, const QString& path) {
             QString error;
             const auto table =
                 reports::AdifCountryTable::parse(platform::readWholeFile(path).value_or(QByteArray()), error);
             return table ? QString::number(table->number(QStringLiteral("Afghanistan"))) : error;
         },
         QStringLiteral("3")},
        {"SharedUserPreferences.xml",
         "<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K6AAA</OWN_CALL>\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             app::SharedPrefs prefs;
             app::LoadPreferences(prefs, path);
             return prefs.SharedPrefsText;
         },
         QStringLiteral("<?xml version=\"1.0\" encoding=\"UTF-8\" ?>\r\n<OWN_CALL>K6AAA</OWN_CALL>")},
        {"ReadSQSO.txt", "HELP\r\nline two",
         [](ProgramFolderFixture& fx, const QString&) {
             HelpPage page(fx.state);
             page.onLoad();
             return page.helpText->toPlainText();
         },
         QStringLiteral("HELP\nline two")},
        {"serialports.txt", "1=/dev/ttyUSB0\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             return platform::SerialPortTable::load(path).device(1).value_or(QStringLiteral("none"));
         },
         QStringLiteral("/dev/ttyUSB0")},
        {"parports.txt", "0x278=/dev/parport7\r\n",
         [](ProgramFolderFixture&, const QString&) {
             return platform::ParallelPort::deviceFor(0x278).value_or(QStringLiteral("none"));
         },
         QStringLiteral("/dev/parport7")},
        {"AgwEngine.txt", "host=192.168.1.20\r\nport=8001\r\n",
         [](ProgramFolderFixture&, const QString& path) {
             const spots::AgwEngineAddress address = spots::loadAgwEngineAddress(path);
             return address.host + u':' + QString::number(address.port);
         },
         QStringLiteral("192.168.1.20:8001")},
        {"PEGASUS.OUT", "14.025,\"CW\"\r\n",
         [](ProgramFolderFixture& fx, const QString&) {
             radio::RigContext rig;
             rig.filesFolder = fx.state.folders.ProgramFolder;
             radio::RigReading reading;
             QString shown;
             if (!radio::tentec::pegasus().pollWithoutPort(rig, reading, shown))
                 return shown;
             return QString::number(reading.frequency.value_or(0)) + u' ' + reading.mode.value_or(QString()) + u' ' +
                    shown;
         },
         QStringLiteral("14.025 CW 14.025,\"CW\"\r\n")},
    };
}

}  // namespace

TEST(FileReaders, AByteOrderMarkAtTheStartIsNoPartOfAnyValue)
{
    for (const FileReader& r : readers()) {
        SCOPED_TRACE(r.file);
        for (const QByteArray& start : {QByteArray(), ByteOrderMark}) {
            SCOPED_TRACE(start.isEmpty() ? "without the mark" : "with the mark");
            ProgramFolderFixture fx;
            const QString path = fx.path(QString::fromLatin1(r.file));
            writeBytes(path, start + r.content);
            EXPECT_EQ(r.read(fx, path), r.expected);
        }
    }
}

TEST(FileReaders, AQuoteInsideAValueIsRefusedInTheLogAndLosesNothingInAFileWrittenBack)
{
    for (const FileReader& r : readers()) {
        if (r.withQuoteSlip.isEmpty())
            continue;
        SCOPED_TRACE(r.file);
        ASSERT_NE(r.withQuoteSlip, r.content);
        ProgramFolderFixture fx;
        const QString path = fx.path(QString::fromLatin1(r.file));
        writeBytes(path, r.withQuoteSlip);
        EXPECT_EQ(r.read(fx, path), r.readWithQuoteSlip);
    }
}

#include "app/app_state.h"
#include "platform/settings_stream.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {
app::StationPrefs samplePrefs()
{
    app::StationPrefs p;
    p.MyCall = QStringLiteral("K6XYZ");
    p.MySPC = QStringLiteral("CA");
    p.MyCountry = QStringLiteral("USA");
    p.MyArrlSection = QStringLiteral("SV");
    p.MyName = QStringLiteral("Pat, Jr");  // a comma survives because it is quoted
    p.MyCounty = QStringLiteral("San Diego");
    p.CurrentMode = QStringLiteral("CW");
    p.CurrentBand = QStringLiteral("20");
    p.UtcOffsetHours = 7.5f;
    p.MyLongitude = 117.25f;
    p.MyLatitude = 32.75f;
    p.MyContinent = QStringLiteral("NA");
    p.FormSizePercent = 100;
    p.WorkedMultColor = 255;
    p.RemainingMultColor = -1;
    p.BankedOpSeconds = 3600.5f;
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = 1;
    p.VoiceNavLevel = 2;
    p.RigType = QStringLiteral("None");
    p.TaskbarDisplay = 1;
    return p;
}
}  // namespace

TEST(StationPrefsFile, WritesTwentyFiveLinesAndReadsThemBack)
{
    const app::StationPrefs p = samplePrefs();
    const QByteArray bytes = app::formatStationPrefs(p);
    EXPECT_EQ(bytes.count("\r\n"), 25);
    EXPECT_TRUE(bytes.startsWith("\"K6XYZ\"\r\n\"CA\"\r\n\"USA\"\r\n"));
    EXPECT_TRUE(bytes.contains("\r\n7.5\r\n117.25\r\n32.75\r\n\"NA\"\r\n100\r\n255\r\n-1\r\n3600.5\r\n"));

    platform::SettingsReader r(bytes);
    app::StationPrefs back;
    EXPECT_EQ(app::readStationPrefs(r, back), 25);
    EXPECT_EQ(back, p);
}

TEST(StationPrefsFile, ShortOrDamagedFileStopsAtTheFailingValue)
{
    QByteArray bytes = app::formatStationPrefs(samplePrefs());
    const QByteArray shortFile = bytes.left(bytes.lastIndexOf("0\r\n"));  // drop line 25
    platform::SettingsReader shortReader(shortFile);
    app::StationPrefs p;
    p.ListPreviousFlag = 1;
    EXPECT_EQ(app::readStationPrefs(shortReader, p), 24);
    EXPECT_EQ(p.TaskbarDisplay, 1);
    EXPECT_EQ(p.ListPreviousFlag, 1);  // not read: keeps its value

    platform::SettingsReader bad(QByteArray("\"A\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"CW\"\r\n\"20\"\r\nabc\r\n"));
    app::StationPrefs q;
    EXPECT_EQ(app::readStationPrefs(bad, q), 10);
    EXPECT_EQ(q.CurrentBand, QStringLiteral("20"));

    platform::SettingsReader overflow(bytes.replace("\r\n100\r\n", "\r\n300\r\n"));
    app::StationPrefs o;
    EXPECT_EQ(app::readStationPrefs(overflow, o), 14);  // 300 is no byte
}

TEST(StationPrefsFile, SaveQSOPrefWritesSafelyAndReportsAFailureOnce)
{
    ProgramFolderFixture fx;
    fx.state.prefs = samplePrefs();
    fx.state.prefs.MyCall = QStringLiteral("K6\"XYZ");  // a typed quote never reaches the file
    ASSERT_TRUE(app::SaveQSOPref(fx.state));
    EXPECT_TRUE(readBytes(fx.path(QStringLiteral("QSOpref.txt"))).startsWith("\"K6XYZ\"\r\n"));
    ASSERT_TRUE(app::readQSOPref(fx.state));

    // The program folder turns into something that cannot hold the file.
    fx.state.folders.ProgramFolder = fx.path(QStringLiteral("missing/folder"));
    EXPECT_FALSE(app::SaveQSOPref(fx.state));
    EXPECT_FALSE(app::SaveQSOPref(fx.state));
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("File Error")), 1);
}

// An offset no clock can use (it would log contacts with no date) is refused
// like a value that does not convert; a whole day either way still reads.
TEST(StationPrefsFile, AUtcOffsetBeyondADayIsALoadFailure)
{
    for (const char* offset : {"2e14", "3e38", "-24.5", "1e400"}) {
        SCOPED_TRACE(offset);
        QByteArray bytes = app::formatStationPrefs(samplePrefs());
        bytes.replace("\r\n7.5\r\n", QByteArray("\r\n") + offset + "\r\n");
        platform::SettingsReader r(bytes);
        app::StationPrefs p;
        EXPECT_EQ(app::readStationPrefs(r, p), 10);
        EXPECT_EQ(p.UtcOffsetHours, 0.0f);
    }
    for (const char* offset : {"24", "-24", "-9.5"}) {
        QByteArray bytes = app::formatStationPrefs(samplePrefs());
        bytes.replace("\r\n7.5\r\n", QByteArray("\r\n") + offset + "\r\n");
        platform::SettingsReader r(bytes);
        app::StationPrefs p;
        EXPECT_EQ(app::readStationPrefs(r, p), 25) << offset;
    }
}

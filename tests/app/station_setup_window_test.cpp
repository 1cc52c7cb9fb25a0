#include "app/station_setup_window.h"
#include "app/app_state.h"
#include "support/test_support.h"

#include <QApplication>
#include <QClipboard>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct SetupFixture : ::testing::Test {
    ProgramFolderFixture fx;
    int mainWindowsOpened = 0;
    int programEnded = 0;
    std::unique_ptr<StationSetupWindow> window;

    void SetUp() override
    {
        fx.fakes.clock.set(QDate(2026, 10, 3), QTime(9, 0), -7 * 3600);
        fx.copyShipped(QStringLiteral("states.txt"));
        fx.copyShipped(QStringLiteral("arrlpre2.txt"));
        fx.copyShipped(QStringLiteral("wave2.txt"));
        fx.state.openMainWindow = [this] { ++mainWindowsOpened; };
        fx.state.endProgram = [this] { ++programEnded; };
    }

    void writePrefs(const app::StationPrefs& p)
    {
        app::AppState scratch(fx.services);
        scratch.folders = fx.state.folders;
        scratch.prefs = p;
        ASSERT_TRUE(app::SaveQSOPref(scratch));
    }

    static app::StationPrefs goodPrefs()
    {
        app::StationPrefs p;
        p.MyCall = QStringLiteral("K6AA");
        p.MySPC = QStringLiteral("CA");
        p.MyCounty = QStringLiteral("Alameda");
        p.UtcOffsetHours = 7;
        p.MyLongitude = -117.25f;
        p.MyLatitude = 32.5f;
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = 0;
        p.RoverFlag = 1;
        return p;
    }

    void open()
    {
        window = std::make_unique<StationSetupWindow>(fx.state);
        window->onLoad();
        window->show();
    }

    QByteArray prefsFile() const { return readBytes(fx.path(QStringLiteral("QSOpref.txt"))); }
};

}  // namespace

TEST_F(SetupFixture, LoadsPreferencesIntoFieldsAndOptions)
{
    writePrefs(goodPrefs());
    open();
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
    EXPECT_EQ(window->windowTitle(), QStringLiteral(" Setup Information"));
    EXPECT_EQ(window->callBox->text(), QStringLiteral("K6AA"));
    EXPECT_EQ(window->countyBox->text(), QStringLiteral("Alameda"));
    EXPECT_EQ(window->longitudeBox->text(), QStringLiteral("-117.25"));
    EXPECT_TRUE(window->inStateYes->isChecked());
    EXPECT_TRUE(window->roverYes->isChecked());
    EXPECT_TRUE(window->roverGroup->isEnabled());
    EXPECT_TRUE(window->optState[4]->isChecked());
    EXPECT_TRUE(window->optState[4]->font().bold());
    EXPECT_GT(fx.state.countryPrefixes.CountryCount(), 300);
    EXPECT_EQ(fx.state.stateLocations.rows[0].StateLocAbbrev, QStringLiteral("AK"));
}

TEST_F(SetupFixture, EnterInCallFieldRunsDoneAndSavesBothFiles)
{
    writePrefs(goodPrefs());
    open();
    window->callBox->setFocus();
    QTest::keyClicks(window->callBox, QStringLiteral("/p"));
    QTest::keyClick(window->callBox, Qt::Key_Return);
    EXPECT_EQ(mainWindowsOpened, 1);
    EXPECT_EQ(fx.state.prefs.MyCall, QStringLiteral("K6AA/P"));
    EXPECT_TRUE(prefsFile().startsWith("\"K6AA/P\"\r\n\"CA\"\r\n"));
    const QByteArray shared = readBytes(fx.state.folders.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
    EXPECT_TRUE(shared.contains("<OWN_CALL>K6AA/P</OWN_CALL>\r\n<OWN_SPC>CA</OWN_SPC>\r\n<OWN_UTC>7</OWN_UTC>\r\n"
                                "<OWN_COUNTY>Alameda</OWN_COUNTY>"));
    EXPECT_TRUE(shared.endsWith("<OWN_ARRL_SECTION></OWN_ARRL_SECTION>\r\n"));
}

TEST_F(SetupFixture, CountryTypeAheadCompletesInPlace)
{
    writePrefs(goodPrefs());
    open();
    window->countryBox->clear();
    window->countryBox->setFocus();
    // The last table row whose country begins with "U".
    QString expected;
    for (const auto& row : fx.state.countryPrefixes.rows)
        if (row.CountryName.startsWith(u'U'))
            expected = row.CountryName;
    ASSERT_FALSE(expected.isEmpty());
    QTest::keyClick(window->countryBox, Qt::Key_U);
    EXPECT_EQ(window->countryBox->text(), expected);
    EXPECT_EQ(window->countryBox->selectedText(), expected.mid(1));
    EXPECT_FALSE(window->continentBox->text().isEmpty());

    // Enter in the country field does not run Done.
    QTest::keyClick(window->countryBox, Qt::Key_Return);
    EXPECT_EQ(mainWindowsOpened, 0);
}

TEST_F(SetupFixture, KeyFiltersOfCountyAndNumberFields)
{
    writePrefs(goodPrefs());
    open();
    window->countyBox->clear();
    window->countyBox->setFocus();
    QTest::keyClicks(window->countyBox, QStringLiteral("san diego"));
    EXPECT_EQ(window->countyBox->text(), QStringLiteral("San Diego"));

    window->utcOffsetBox->clear();
    window->utcOffsetBox->setFocus();
    QTest::keyClicks(window->utcOffsetBox, QStringLiteral("a, -7.5/x"));
    EXPECT_EQ(window->utcOffsetBox->text(), QStringLiteral("-7.5/"));

    window->callBox->clear();
    window->callBox->setFocus();
    QTest::keyClicks(window->callBox, QStringLiteral("w6\"xx"));
    QTest::keyClick(window->callBox, Qt::Key_Return);
    // A quote typed into a field never reaches the preferences file.
    EXPECT_TRUE(prefsFile().startsWith("\"W6XX\"\r\n"));
}

TEST_F(SetupFixture, LeavingAnEmptyUtcFieldBeeps)
{
    writePrefs(goodPrefs());
    open();
    QApplication::setActiveWindow(window.get());
    window->utcOffsetBox->setFocus(Qt::TabFocusReason);
    window->utcOffsetBox->clear();
    window->countryBox->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(fx.fakes.beeper.count(), 1);
}

TEST_F(SetupFixture, NotInZivudaduriDisablesRoverAndOpensOutOfState)
{
    writePrefs(goodPrefs());
    open();
    QTest::mouseClick(window->inStateNo, Qt::LeftButton);
    EXPECT_FALSE(window->roverGroup->isEnabled());
    EXPECT_TRUE(window->roverNo->isChecked());
    QTest::mouseClick(window->doneButton, Qt::LeftButton);
    EXPECT_EQ(fx.state.prefs.OutOfStateFlag, 1);
    EXPECT_EQ(fx.state.prefs.RoverFlag, 0);
    EXPECT_EQ(mainWindowsOpened, 1);
}

TEST_F(SetupFixture, PastesStoreWhatTypingStoresAndTheSharedFileKeepsOneElementALine)
{
    writePrefs(goodPrefs());
    open();
    // Each box's text replaced by a paste from the clipboard (Shift+Insert:
    // the number boxes take no Ctrl key).
    auto pasteOver = [](QLineEdit* box, const QString& text) {
        QApplication::clipboard()->setText(text);
        box->setFocus();
        box->selectAll();
        QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
    };
    pasteOver(window->callBox, QStringLiteral("n6\r\nab\tc"));
    pasteOver(window->countyBox, QStringLiteral("san diego\r\n"));
    pasteOver(window->utcOffsetBox, QStringLiteral("-7 h\r\n"));
    pasteOver(window->arrlSectionBox, QStringLiteral("sdg\n"));
    EXPECT_EQ(window->callBox->text(), QStringLiteral("N6ABC"));
    EXPECT_EQ(window->countyBox->text(), QStringLiteral("San Diego"));
    EXPECT_EQ(window->utcOffsetBox->text(), QStringLiteral("-7"));
    window->doneButton->click();
    EXPECT_EQ(fx.state.prefs.MyCall, QStringLiteral("N6ABC"));
    EXPECT_TRUE(prefsFile().startsWith("\"N6ABC\"\r\n\"CA\"\r\n"));
    const QByteArray shared = readBytes(fx.state.folders.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
    EXPECT_TRUE(shared.contains("\r\n<OWN_CALL>N6ABC</OWN_CALL>\r\n<OWN_SPC>CA</OWN_SPC>\r\n<OWN_UTC>-7</OWN_UTC>\r\n"
                                "<OWN_COUNTY>San Diego</OWN_COUNTY>\r\n"));
    EXPECT_TRUE(shared.endsWith("<OWN_ARRL_SECTION>SDG</OWN_ARRL_SECTION>\r\n"));
    // The declaration and nine elements: ten lines, no other line break.
    EXPECT_EQ(shared.count("\r\n"), 10);
    EXPECT_EQ(shared.count('\n'), 10);
    EXPECT_EQ(shared.count('\r'), 10);
    EXPECT_FALSE(shared.contains('\t'));
}

TEST_F(SetupFixture, TheOwnCountyIsStoredAsTheTableSpellsIt)
{
    fx.copyShipped(QStringLiteral("county2.txt"));
    writePrefs(goodPrefs());
    struct Case {
        const char* how;
        QString typed;
        bool paste;
        QString stored;
    };
    const Case cases[] = {
        {"typed in capitals", QStringLiteral("SAN DIEGO"), false, QStringLiteral("San Diego")},
        {"pasted in capitals", QStringLiteral("SAN DIEGO"), true, QStringLiteral("San Diego")},
        {"typed in small letters", QStringLiteral("sAN dIEGO"), false, QStringLiteral("San Diego")},
        {"not a county of the table", QStringLiteral("LAKE TAHOE"), false, QStringLiteral("LAKE TAHOE")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.how);
        open();
        window->countyBox->clear();
        window->countyBox->setFocus();
        if (c.paste) {
            QApplication::clipboard()->setText(c.typed);
            QTest::keyClick(window->countyBox, Qt::Key_V, Qt::ControlModifier);
        } else {
            QTest::keyClicks(window->countyBox, c.typed);
        }
        window->doneButton->click();
        EXPECT_EQ(fx.state.prefs.MyCounty, c.stored);
        EXPECT_TRUE(prefsFile().contains("\r\n\"" + c.stored.toLatin1() + "\"\r\n"));
        const QByteArray shared =
            readBytes(fx.state.folders.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
        EXPECT_TRUE(shared.contains("<OWN_COUNTY>" + c.stored.toLatin1() + "</OWN_COUNTY>"));
        // The next start shows the county as stored.
        open();
        EXPECT_EQ(window->countyBox->text(), c.stored);
        window.reset();
    }
}

TEST_F(SetupFixture, PartyStateIsAlwaysCaAndLettersInUtcStoreZero)
{
    auto p = goodPrefs();
    p.PartyState = QStringLiteral("ny");
    writePrefs(p);
    open();
    EXPECT_TRUE(window->optState[33]->isChecked());  // NY
    window->utcOffsetBox->setText(QStringLiteral("abc"));
    window->doneButton->click();
    EXPECT_EQ(fx.state.prefs.PartyState, QStringLiteral("CA"));
    EXPECT_FLOAT_EQ(fx.state.prefs.UtcOffsetHours, 0);
    const QByteArray shared = readBytes(fx.state.folders.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
    EXPECT_TRUE(shared.contains("<OWN_UTC>0</OWN_UTC>"));
}

TEST_F(SetupFixture, MissingPreferencesFileIsReportedAndDoneWritesAllValues)
{
    open();
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.fakes.prompt.shown()[0].text, QStringLiteral("Error opening file"));
    EXPECT_EQ(fx.fakes.prompt.shown()[0].title, QStringLiteral("Error opeining file"));
    EXPECT_TRUE(window->callBox->text().isEmpty());
    window->doneButton->click();
    const QByteArray bytes = prefsFile();
    EXPECT_EQ(bytes.count("\r\n"), 25);
    EXPECT_TRUE(bytes.contains("\r\n\"CA\"\r\n1\r\n0\r\n"));  // PartyState, then out of state, not a rover
}

TEST_F(SetupFixture, FailureAfterReadingKeepsTheReadValuesInTheFields)
{
    writePrefs(goodPrefs());
    QFile::remove(fx.path(QStringLiteral("states.txt")));
    open();
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    // Done after the failure must not write empty fields over good preferences.
    EXPECT_EQ(window->callBox->text(), QStringLiteral("K6AA"));
    window->doneButton->click();
    EXPECT_TRUE(prefsFile().startsWith("\"K6AA\"\r\n\"CA\"\r\n"));
}

TEST_F(SetupFixture, KeyerSettingsLandInTheKeyingState)
{
    writePrefs(goodPrefs());
    writeLines(fx.path(QStringLiteral("wave2.txt")),
               {QStringLiteral("\"cq.wav\""), QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""),
                QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""), QStringLiteral("\"\""),
                QStringLiteral("\"\""), QStringLiteral("\"3\""), QStringLiteral("1"), QStringLiteral("\"2.5\""),
                QStringLiteral("\"&H278\"")});
    QStringList cw;
    for (int i = 1; i <= 8; ++i)
        cw << QStringLiteral("\"F%1\"").arg(i);
    cw << QStringLiteral("\"\"") << QStringLiteral("\"2\"") << QStringLiteral("\"25\"") << QStringLiteral("\"F10\"")
       << QStringLiteral("\"F11\"") << QStringLiteral("\"-2\"") << QStringLiteral("2") << QStringLiteral("\"&H3BC\"")
       << QStringLiteral("0") << QStringLiteral("\"4\"");
    writeLines(fx.path(QStringLiteral("CW.txt")), cw);  // the letter case of the name does not matter
    open();
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
    EXPECT_EQ(fx.state.phoneSettings.wavePathsAndPttPort[0], QStringLiteral("cq.wav"));
    EXPECT_EQ(fx.state.phoneSettings.pttLineOption, 1);
    EXPECT_EQ(fx.state.phoneSettings.repeatIntervalMs, 2500);
    EXPECT_EQ(fx.state.phoneSettings.parallelAddress, QStringLiteral("&H278"));
    EXPECT_EQ(fx.state.cwSettings.messagesF1ToF9[8], QStringLiteral("VVV DE "));
    EXPECT_EQ(fx.state.cwSettings.speed, QStringLiteral("25"));
    EXPECT_EQ(fx.state.keying.CWKeyingOption, 2);
    EXPECT_EQ(fx.state.cwSettings.keyingOptionButton, 2);
    EXPECT_EQ(fx.state.cwSettings.showTextOnMain, 0);
    EXPECT_EQ(fx.state.cwSettings.repeatIntervalMs, 4000);

    QFile::remove(fx.path(QStringLiteral("wave2.txt")));
    fx.fakes.prompt.clear();
    open();
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Error opeining file")), 1);
}

TEST_F(SetupFixture, ClosingWithoutDoneEndsTheProgram)
{
    writePrefs(goodPrefs());
    open();
    window->close();
    EXPECT_EQ(programEnded, 1);
    EXPECT_EQ(mainWindowsOpened, 0);
}

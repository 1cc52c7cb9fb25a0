// Band and mode, clocks and operating time, post-contest entry: the
// controls both main windows share, driven in the out-of-state window.

#include "app/main_window_fixture.h"
#include "platform/settings_stream.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QString savedBand(const MainWindowFixture& f)
{
    auto reader = platform::SettingsReader::open(f.fx.path(QStringLiteral("QSOpref.txt")));
    if (!reader)
        return {};
    app::StationPrefs p;
    (void)app::readStationPrefs(*reader, p);
    return p.CurrentBand + QLatin1Char('/') + p.CurrentMode;
}

TEST(MainWindowBand, MenusSetSaveAndCheckExactlyOneItem)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.bandItems[2]->trigger();
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("40"));
    EXPECT_EQ(savedBand(f), QStringLiteral("40/CW"));
    int checked = 0;
    for (QAction* a : w.bandItems)
        checked += a->isChecked() ? 1 : 0;
    EXPECT_EQ(checked, 1);
    EXPECT_TRUE(w.bandItems[2]->isChecked());
    w.mnuSSB->trigger();
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("PH"));
    EXPECT_TRUE(w.mnuSSB->isChecked());
    EXPECT_FALSE(w.mnu160->isChecked());
    EXPECT_EQ(savedBand(f), QStringLiteral("40/PH"));
    // The band already in force still saves.
    QFile::remove(f.fx.path(QStringLiteral("QSOpref.txt")));
    w.bandItems[2]->trigger();
    EXPECT_EQ(savedBand(f), QStringLiteral("40/PH"));
}

TEST(MainWindowBand, LabelClicksStepBandAndSwitchMode)
{
    struct Case {
        const char* from;
        const char* to;
    };
    for (const Case c : {Case{"2", "160"}, Case{"10", "6"}, Case{"160", "80"}}) {
        MainWindowFixture f;
        f.fx.state.prefs.CurrentBand = QString::fromLatin1(c.from);
        auto& w = f.open();
        QTest::mouseClick(w.bandLabel, Qt::LeftButton);
        EXPECT_EQ(w.bandLabel->text(), QString::fromLatin1(c.to));
    }
    MainWindowFixture f;
    f.fx.state.prefs.CurrentMode = QStringLiteral("DG");
    auto& w = f.open();
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("DG"));
    QTest::mouseClick(w.modeLabel, Qt::LeftButton);
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("CW"));
    QTest::mouseClick(w.modeLabel, Qt::LeftButton);
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("PH"));
}

TEST(MainWindowBand, RigFrequenciesOutsideTheContestBandsLeaveTheBand)
{
    MainWindowFixture f;
    auto& w = f.open();
    for (float mhz : {10.12f, 14.3502f, 432.0f, 0.0f}) {
        w.BandFreqConversion(mhz);
        EXPECT_EQ(w.bandLabel->text(), QStringLiteral("20")) << mhz;
    }
    float edge = 14.35f;
    w.BandFreqConversion(edge);
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("20"));
    EXPECT_EQ(f.fx.state.log.RigFrequencyText, QStringLiteral("14.350"));
    QString other = QStringLiteral("FM");
    w.ModeSelection(other);
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("CW"));
}

TEST(MainWindowClock, TimeOnTicksAndTimeOffBanksAndSaves)
{
    MainWindowFixture f;
    f.fx.state.prefs.BankedOpSeconds = 60;
    auto& w = f.open();
    w.cmdLogOn->click();
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral(" "));
    EXPECT_TRUE(w.txtCall->hasFocus());
    f.fx.fakes.clock.advanceMs(65000);
    w.clockTimer->start(1);  // the next tick now, on the test's clock
    // A busy machine may take a while to deliver the tick.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.lblttrack->text() == QStringLiteral("00:02:05"); }, 2000));
    EXPECT_EQ(w.lblttrack->text(), QStringLiteral("00:02:05"));
    EXPECT_EQ(w.lblutctime->text(), QStringLiteral("16:03:46"));
    w.cmdLogOn->click();
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time On\""));
    EXPECT_TRUE(w.lblDialog->text().startsWith(QStringLiteral("Logged Off at ")));
    EXPECT_FLOAT_EQ(f.fx.state.prefs.BankedOpSeconds, 125);
    EXPECT_TRUE(QFile::exists(f.fx.path(QStringLiteral("QSOpref.txt"))));
}

TEST(MainWindowClock, RatesCountTheLastHour)
{
    MainWindowFixture f;
    // UTC now is 16:02:41.
    QByteArray bytes;
    for (const char* t : {"15:00:00", "15:10:00", "15:40:00", "15:50:00", "15:55:00"})
        bytes += logLine("K6ABC", "Alameda", "001", "2021/10/02", t, "CW", "20", "1");
    writeBytes(f.fx.path(QStringLiteral("log.txt")), bytes);
    auto& w = f.open();
    EXPECT_EQ(w.lblAQSO60->text(), QStringLiteral("4"));
    EXPECT_EQ(w.lblAQSO20->text(), QStringLiteral("6"));
}

TEST(MainWindowPostContest, DateAndTimeBoxesGiveTheContactItsTime)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.mnuPostContest->trigger();
    EXPECT_TRUE(w.mnuPostContest->isChecked());
    EXPECT_TRUE(w.txtPostConDate->isVisible());
    w.txtPostConDate->setFocus();
    EXPECT_EQ(w.txtPostConDate->text(), QStringLiteral("2021/10/02"));  // local date
    w.txtPostConTime->setFocus();
    f.type(QStringLiteral("9x3:0"));  // letters are dropped
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("93:0"));
    w.txtPostConTime->clear();
    f.type(QStringLiteral("930"));
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    ASSERT_EQ(f.contacts(), 1);
    const auto& r = f.fx.state.log.contacts.record(1);
    EXPECT_EQ(r.LogDate, QStringLiteral("2021/10/02"));
    EXPECT_EQ(r.LogTime, QStringLiteral("09:30"));
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("09:30"));  // kept for the next contact

    w.txtPostConTime->setText(QStringLiteral("2460"));
    f.logContact(QStringLiteral("K6ABD"), QStringLiteral("6"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Invalid time format!"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABD"));

    w.mnuPostContest->trigger();
    EXPECT_FALSE(w.txtPostConDate->isVisible());
    EXPECT_EQ(w.txtPostConTime->text(), QStringLiteral("2460"));
}

TEST(MainWindowMenus, RecallAndClear)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.mnuRecall->trigger();  // empty log: nothing
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    w.mnuRecall->trigger();
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("5"));
    EXPECT_TRUE(w.txtSec->hasFocus());
    w.mnuClear->trigger();
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
}

TEST(MainWindowMenus, CtrlLetterNeverTypesOrLogs)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("K6ABC"));
    QTest::keyClick(w.txtCall, Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
}

}  // namespace

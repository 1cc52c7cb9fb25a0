// Logging contacts in the out-of-state window from the keyboard: the quick
// entry, the refusals, the duplicate checks and the file that results.

#include "app/main_window_fixture.h"

#include <QAction>
#include <QDir>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(OutOfStateWindowLogging, QuickEntryLogsScoresAndClearsTheFields)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("k6abc5"));  // the digit after a complete call starts the serial
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
    EXPECT_EQ(w.txtRSTR->text(), QStringLiteral("5"));
    EXPECT_TRUE(w.txtRSTR->hasFocus());
    f.type(QStringLiteral("a"));  // a letter in the serial box starts the county
    EXPECT_TRUE(w.txtSec->hasFocus());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Amador"));
    f.type(QStringLiteral("la"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Alameda"));
    EXPECT_EQ(w.txtSec->selectedText(), QStringLiteral("meda"));
    f.enter();

    EXPECT_EQ(f.logBytes(),
              QByteArray("\"K6ABC\",\"\",\"\",\"\",\"Alameda\",\"\",\"\",\"\",\"\",\"\",\"001\","
                         "\"2021/10/02\",\"16:02:41\",\"CW\",\"20\",0,\"\",\"\",\"5\",\"\"\r\n"));
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.contactList().rowCount(), 1);
    EXPECT_EQ(f.cell(0, 0), QStringLiteral("1"));
    EXPECT_EQ(f.cell(0, 5), QStringLiteral("10/02 16:02"));
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("002"));
    EXPECT_EQ(w.lblSectogo->text(), QStringLiteral("1"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    EXPECT_EQ(w.countiesWorkedList->count(), 1);
    EXPECT_EQ(w.firstMultiplierList->count(), 57);
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("Counties Worked - 1"));
    for (QLineEdit* box : {w.txtCall, w.txtRSTR, w.txtSec})
        EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_TRUE(w.lblDialog->text().isEmpty());
    EXPECT_EQ(w.lblAQSO60->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblAQSO20->text(), QStringLiteral("3"));
    // Enter started the operating-time clock.
    EXPECT_EQ(f.fx.state.log.TimedOnFlag, 1);
    EXPECT_EQ(w.cmdLogOn->text(), QStringLiteral("&Log \"Time Off\""));
    EXPECT_EQ(f.fx.state.log.NextSerialText, QStringLiteral("2"));
}

// Keys typed for the next contact while this one is being stored (they wait
// in the queue until the logging lets events run) belong to the next call.
TEST(OutOfStateWindowLogging, KeysTypedWhileAContactIsStoredGoToTheNextCall)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("k6abc5"));
    f.type(QStringLiteral("ala"));
    QTimer::singleShot(0, &w, [&f] { f.type(QStringLiteral("w1")); });
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.fx.state.log.contacts.record(1).LogCountyRcvd, QStringLiteral("Alameda"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W1"));
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_TRUE(w.txtSec->text().isEmpty());
}

TEST(OutOfStateWindowLogging, AbbreviationIsStoredAsTheFullCountyName)
{
    MainWindowFixture f;
    f.open();
    f.logContact(QStringLiteral("N6XYZ"), QStringLiteral("12"), QStringLiteral("lang"));
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.fx.state.log.contacts.record(1).LogCountyRcvd, QStringLiteral("Los Angeles"));
}

TEST(OutOfStateWindowLogging, RefusalsKeepTheEntryAndSayWhy)
{
    struct Case {
        const char* call;
        const char* serial;
        const char* county;
        const char* message;
        const char* focus;
    };
    const Case cases[] = {
        {"K6ABC", "5", "xyz", "Xyz is not a valid county!", "txtSec"},
        {"K6ABC", "5", "", "Need County!", "txtSec"},
        {"K6ABC", "", "alam", "Need Serial!", "txtRSTR"},
        {"K6", "5", "alam", "Need Call Sign!", "txtCall"},
    };
    for (const Case& c : cases) {
        MainWindowFixture f;
        auto& w = f.open();
        f.type(QString::fromLatin1(c.call));
        f.press(Qt::Key_Space);
        f.type(QString::fromLatin1(c.serial));
        f.press(Qt::Key_Space);
        f.type(QString::fromLatin1(c.county));
        const int beepsBefore = f.fx.fakes.beeper.count();
        f.enter();
        EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(c.message)) << c.message;
        EXPECT_EQ(QApplication::focusWidget()->objectName(), QString::fromLatin1(c.focus)) << c.message;
        EXPECT_EQ(f.contacts(), 0);
        EXPECT_TRUE(f.logBytes().isEmpty());
        EXPECT_EQ(w.txtCall->text(), QString::fromLatin1(c.call));
        EXPECT_GE(f.fx.fakes.beeper.count(), beepsBefore + 1) << c.message;
    }
}

TEST(OutOfStateWindowLogging, DuplicateIsRefusedRedWithBeepAndPromptAndEmptiesTheFields)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    ASSERT_EQ(f.contacts(), 1);
    const QByteArray before = f.logBytes();
    f.fx.fakes.beeper.resetCount();
    f.logContact(QStringLiteral("k6abc"), QStringLiteral("7"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.logBytes(), before);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate K6ABC  2021/10/02  16:02:41   Rec# 1"));
    EXPECT_EQ(w.lblDialog->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(f.services.promptsPlayed.contains(QStringLiteral("Dupe")));
    EXPECT_GE(f.fx.fakes.beeper.count(), 1);
    for (QLineEdit* box : {w.txtCall, w.txtRSTR, w.txtSec})
        EXPECT_TRUE(box->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
}

TEST(OutOfStateWindowLogging, DupePromptThatNeverEndsDoesNotHoldTheWindow)
{
    MainWindowFixture f;
    f.fx.state.prefs.VoiceNavLevel = 1;
    f.services.promptNeverEnds = true;
    f.open();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("6"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 1);
    // The wait polled the prompt and gave up on the monotonic clock.
    EXPECT_GT(f.services.playingPolls, 0);
    EXPECT_LT(f.services.playingPolls, 200);
}

TEST(OutOfStateWindowLogging, SameCallOtherCountyWarnsOnLeavingTheCallAndLogs)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    w.txtCall->setFocus();
    f.type(QStringLiteral("K6ABC"));
    f.press(Qt::Key_Space);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Duplicate Unless Rover!  K6ABC  2021/10/02  16:02:41   Rec# 1"));
    // The earlier county was offered in the empty county box.
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Alameda"));
    f.type(QStringLiteral("6"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("amad"));
    f.enter();
    EXPECT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.fx.state.log.contacts.record(2).LogCountyRcvd, QStringLiteral("Amador"));
}

TEST(OutOfStateWindowLogging, PossibleDuplicatesListAsYouType)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    f.logContact(QStringLiteral("K6ABD"), QStringLiteral("6"), QStringLiteral("alam"));
    w.txtCall->setFocus();
    f.type(QStringLiteral("K6A"));
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("K6ABD K6ABC "));
    f.type(QStringLiteral("BD"));
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("K6ABD "));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Possible Duplicate!"));
    // Switched off, the list stays empty.
    w.cmdDup->click();
    EXPECT_EQ(w.cmdDup->text(), QStringLiteral("Off"));
    f.type(QStringLiteral("X"));
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
}

TEST(OutOfStateWindowLogging, ThirdCharacterTestBeeps)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.cmdLogOn->click();
    f.fx.fakes.beeper.resetCount();
    f.type(QStringLiteral("KAB"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("The second or third character is not numeric!"));
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
}

TEST(OutOfStateWindowLogging, KeysWithTheClockStoppedAskForTimeOn)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("K"));
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Click Log \"Time On\"!"));
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
}

TEST(OutOfStateWindowLogging, QuotesNeverReachTheFields)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("K6\"A'BC"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
}

TEST(OutOfStateWindowLogging, EscClearsTheEntry)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("K6ABC5"));
    f.press(Qt::Key_Escape);
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtRSTR->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
}

TEST(OutOfStateWindowLogging, CountySpaceRules)
{
    MainWindowFixture f;
    auto& w = f.open();
    w.txtSec->setFocus();
    f.type(QStringLiteral("Los"));
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Los Angeles"));
    f.press(Qt::Key_Space);  // the name goes on with another word
    EXPECT_TRUE(w.txtSec->hasFocus());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Los Angeles"));
    EXPECT_EQ(w.txtSec->selectedText(), QStringLiteral("Angeles"));
    f.press(Qt::Key_Space);  // accepts and moves on
    EXPECT_FALSE(w.txtSec->hasFocus());
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Los Angeles"));
}

TEST(OutOfStateWindowLogging, FullLogRefusesTheNextContactClearly)
{
    MainWindowFixture f;
    QByteArray full;
    const QByteArray line = logLine("W1XX", "Alameda", "001", "2021/10/01", "10:00:00", "PH", "40", "1");
    full.reserve(line.size() * 11000);
    for (int i = 0; i < 11000; ++i)
        full += line;
    writeBytes(f.fx.path(QStringLiteral("log.txt")), full);
    auto& w = f.open();
    ASSERT_EQ(f.contacts(), 11000);
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 11000);
    EXPECT_EQ(f.logBytes().size(), full.size());
    EXPECT_TRUE(w.lblDialog->text().contains(QStringLiteral("11,000")));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));  // kept for the operator
}

TEST(OutOfStateWindowLogging, ContactThatCannotBeWrittenIsReportedAndNotShownAsLogged)
{
    MainWindowFixture f;
    auto& w = f.open();
    // log.txt turns into something that cannot be appended to.
    QFile::remove(f.fx.path(QStringLiteral("log.txt")));
    QDir().mkdir(f.fx.path(QStringLiteral("log.txt")));
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    EXPECT_EQ(f.contacts(), 0);
    EXPECT_EQ(w.contactList().rowCount(), 0);
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("0"));
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));
    EXPECT_TRUE(f.fx.fakes.prompt.shown().back().text.contains(QStringLiteral("NOT logged")));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K6ABC"));
}

TEST(OutOfStateWindowLogging, EnterArrivingWhileLoggingDoesNotLogTwice)
{
    MainWindowFixture f;
    auto& w = f.open();
    f.type(QStringLiteral("K6ABC5"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("alam"));
    // A second Enter already waiting: it is handled while the logging
    // routine lets pending events run.
    QCoreApplication::postEvent(w.txtSec, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                                        QStringLiteral("\r")));
    f.enter();
    QApplication::processEvents();
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_FALSE(w.lblDialog->text().startsWith(QStringLiteral("Duplicate")));
}

TEST(OutOfStateWindowLogging, RigFrequencyAndBandFollowTheRigIntoTheLog)
{
    MainWindowFixture f;
    auto& w = f.open();
    float mhz = 7.025f;
    w.BandFreqConversion(mhz);
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("40"));
    EXPECT_TRUE(w.bandItems[2]->isChecked());
    QString mode = QStringLiteral("PH");
    w.ModeSelection(mode);
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("PH"));
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    ASSERT_EQ(f.contacts(), 1);
    const auto& r = f.fx.state.log.contacts.record(1);
    EXPECT_EQ(r.LogFrequency, QStringLiteral("7.025"));
    EXPECT_EQ(r.LogBand, QStringLiteral("40"));
    EXPECT_EQ(r.LogMode, QStringLiteral("PH"));
    EXPECT_EQ(w.lblTotCon->text(), QStringLiteral("1"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("2"));
    // The frequency is used once.
    f.logContact(QStringLiteral("K6ABD"), QStringLiteral("6"), QStringLiteral("alam"));
    EXPECT_TRUE(f.fx.state.log.contacts.record(2).LogFrequency.isEmpty());
}

}  // namespace

namespace {

TEST(OutOfStateWindowLogging, RigBandChangeDuringLoggingWaitsForTheContact)
{
    MainWindowFixture f;
    auto& w = f.open();
    QTimer::singleShot(0, [&] {
        float mhz = 7.025f;
        w.BandFreqConversion(mhz);
        EXPECT_EQ(f.fx.state.prefs.CurrentBand, QStringLiteral("20"));
    });
    f.type(QStringLiteral("k6abc5alam"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.fx.state.log.contacts.record(1).LogBand, QStringLiteral("20"));
    // The rig's band applies once the contact is stored.
    EXPECT_EQ(f.fx.state.prefs.CurrentBand, QStringLiteral("40"));
}

}  // namespace

// The in-state logging routine through the window: its checks in their
// order, what a stored contact becomes, duplicates with the own county, and
// the routine never running inside itself.

#include "app/in_state_fixture.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

TEST(InStateWindowLogging, FirstContactScoresAndTheSameCallAndSerialAgainScoresNothing)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblSectogo->text(), QStringLiteral("1"));
    // The same station on another band with the same serial: stored, no points.
    w.onBand40Clicked();
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.record(2).LogBand, QStringLiteral("40"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblSectogo->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    // The record: what was typed, the own county, the contest's UTC.
    const auto& r = f.record(1);
    EXPECT_EQ(r.LogCall, QStringLiteral("W5XX"));
    EXPECT_EQ(r.LogSerialRcvd, QStringLiteral("3"));
    EXPECT_EQ(r.LogSPC, QStringLiteral("TX"));
    EXPECT_TRUE(r.LogCountyRcvd.isEmpty());
    EXPECT_EQ(r.LogCountySent, QStringLiteral("Alameda"));
    EXPECT_EQ(r.LogSerialSent, QStringLiteral("001"));
    EXPECT_EQ(r.LogDate, QStringLiteral("2021/10/02"));
    EXPECT_EQ(r.LogTime, QStringLiteral("16:02:41"));
    EXPECT_TRUE(f.logBytes().contains("\"W5XX\""));
    // Cleared for the next contact.
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtCntry->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_FALSE(w.lblStation[4]->isEnabled());
}

TEST(InStateWindowLogging, RefusalsSayWhyInTheOrderOfTheChecks)
{
    struct Case {
        const char* call;
        const char* serial;
        const char* spc;
        const char* county;
        const char* message;   // what stays on the dialog line
        int beeps;
        QLineEdit* MainWindowBase::*focus;
    };
    const Case cases[] = {
        // Everything empty: serial, call, country, then the section check.
        {"", "", "", "", "Invald Section!", 4, &MainWindowBase::txtCntry},
        {"W5", "3", "TX", "", "Need Call Sign!", 1, &MainWindowBase::txtCall},
        {"W5XX", "", "TX", "", "Need Serial!", 1, &MainWindowBase::txtRSTR},
        {"W5XX", "3", "ZZ", "", "Invald Section!", 1, &MainWindowBase::txtCntry},
        {"K6AB", "3", "CA", "", "Need County!", 1, &MainWindowBase::txtSec},
        {"K6AB", "3", "ca", "Xyz", "Xyz is not a valid county!", 1, &MainWindowBase::txtSec},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message);
        InStateFixture f;
        auto& w = f.openTimedOn();
        w.txtCall->setText(QString::fromLatin1(c.call));
        w.txtRSTR->setText(QString::fromLatin1(c.serial));
        w.txtCntry->setText(QString::fromLatin1(c.spc));
        w.txtSec->setText(QString::fromLatin1(c.county));
        w.txtCall->setFocus();
        f.enter();
        EXPECT_EQ(f.contacts(), 0);
        EXPECT_EQ(w.lblDialog->text(), QString::fromLatin1(c.message));
        EXPECT_EQ(f.fx.fakes.beeper.count(), c.beeps);
        EXPECT_TRUE((w.*c.focus)->hasFocus());
        // A refused entry stays for the operator to mend.
        EXPECT_EQ(w.txtRSTR->text(), QString::fromLatin1(c.serial));
    }
}

TEST(InStateWindowLogging, CountyOnlyForThePartyStateAndAbbreviationsStoredInFull)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    // A Nevada station: a county in the box is not stored.
    w.txtCall->setText(QStringLiteral("K7AA"));
    w.txtRSTR->setText(QStringLiteral("1"));
    w.txtCntry->setText(QStringLiteral("NV"));
    w.txtSec->setText(QStringLiteral("Alpine"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_TRUE(f.record(1).LogCountyRcvd.isEmpty());
    // A party-state station by the county's abbreviation, in small letters.
    w.txtCall->setText(QStringLiteral("K6AA"));
    w.txtRSTR->setText(QStringLiteral("2"));
    w.txtCntry->setText(QStringLiteral("CA"));
    w.txtSec->setText(QStringLiteral("alpi"));
    f.enter();
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.record(2).LogCountyRcvd, QStringLiteral("Alpine"));
    EXPECT_EQ(f.items(w.countiesWorkedList), QStringList{QStringLiteral("Alpine")});
    EXPECT_EQ(w.lblStation[8]->text(), QStringLiteral("Cnty Wkd - 1"));
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Cnty Rem - 57"));
    // Typed as an operator does: the county box completes the name.
    f.logIn(QStringLiteral("K6BB"), QStringLiteral("4"), QStringLiteral("ca"), QStringLiteral("but"));
    ASSERT_EQ(f.contacts(), 3);
    EXPECT_EQ(f.record(3).LogSPC, QStringLiteral("CA"));
    EXPECT_EQ(f.record(3).LogCountyRcvd, QStringLiteral("Butte"));
}

TEST(InStateWindowLogging, DuplicateCountsTheOwnCounty)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    auto enterContact = [&](const char* call, const char* serial) {
        w.txtCall->setText(QString::fromLatin1(call));
        w.txtRSTR->setText(QString::fromLatin1(serial));
        w.txtCntry->setText(QStringLiteral("TX"));
        w.txtCall->setFocus();
        f.enter();
    };
    enterContact("W5XX", "3");
    ASSERT_EQ(f.contacts(), 1);
    f.fx.fakes.beeper.resetCount();
    enterContact("W5XX", "4");
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_TRUE(w.lblDialog->text().contains(QStringLiteral("W5XX")));
    EXPECT_EQ(w.lblDialog->palette().color(QPalette::Window), QColor(255, 0, 0));
    EXPECT_TRUE(f.services.promptsPlayed.contains(QStringLiteral("Dupe")));
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
    // Refused, yet the boxes are emptied for the next call.
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_TRUE(w.txtRSTR->text().isEmpty());
    EXPECT_TRUE(w.txtCntry->text().isEmpty());
    EXPECT_TRUE(w.txtCall->hasFocus());
    // From another own county it is a new contact.
    f.fx.state.prefs.MyCounty = QStringLiteral("Butte");
    enterContact("W5XX", "4");
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.record(2).LogCountySent, QStringLiteral("Butte"));
}

TEST(InStateWindowLogging, EnterStartsTheClockAndPostContestBoxesGiveDateAndTime)
{
    InStateFixture f;
    auto& w = f.open();
    w.mnuPostContest->trigger();
    ASSERT_FALSE(w.txtPostConTime->isHidden());
    w.txtPostConDate->setText(QStringLiteral("2021/10/03"));
    w.txtPostConTime->setText(QStringLiteral("945"));
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.fx.state.log.TimedOnFlag, 1);
    EXPECT_EQ(f.record(1).LogDate, QStringLiteral("2021/10/03"));
    EXPECT_EQ(f.record(1).LogTime, QStringLiteral("09:45"));
    // The boxes keep their text for the next contacts; a bad date stops all.
    w.txtPostConDate->setText(QStringLiteral("2021/13/45"));
    f.logIn(QStringLiteral("W5YY"), QStringLiteral("4"), QStringLiteral("TX"));
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Invalid date format!"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5YY"));
}

TEST(InStateWindowLogging, SecondEnterWhileLoggingLogsNothingMore)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    w.txtCall->setText(QStringLiteral("W5XX"));
    w.txtRSTR->setText(QStringLiteral("3"));
    w.txtCntry->setText(QStringLiteral("TX"));
    w.txtCntry->setFocus();
    // Enter pressed twice quickly: the second waits in the queue and is
    // handled while the routine lets pending events run.
    QCoreApplication::postEvent(w.txtCntry, new QKeyEvent(QEvent::KeyPress, Qt::Key_Return, Qt::NoModifier,
                                                          QStringLiteral("\r")));
    f.enter();
    QApplication::processEvents();
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.lblDialog->palette().color(QPalette::Window), QColor(0, 192, 192));
}

TEST(InStateWindowLogging, LogRequestFromTheCwSenderWhileLoggingIsRefused)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    int runs = 0;
    // The CW sender reaches a "!" while the routine lets events run.
    f.duringNextEvents([&] {
        ++runs;
        w.Mains();
    });
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    QApplication::processEvents();
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(f.contacts(), 1);
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
}

TEST(InStateWindowLogging, BandChangeFromTheRigWhileLoggingWaitsForTheContact)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    f.duringNextEvents([&] {
        float mhz = 7.025f;
        w.BandFreqConversion(mhz);
        QString mode = QStringLiteral("PH");
        w.ModeSelection(mode);
        // Nothing changes under the routine's feet.
        EXPECT_EQ(f.fx.state.prefs.CurrentBand, QStringLiteral("20"));
        EXPECT_EQ(f.fx.state.prefs.CurrentMode, QStringLiteral("CW"));
    });
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 1);
    EXPECT_EQ(f.record(1).LogBand, QStringLiteral("20"));
    EXPECT_EQ(f.record(1).LogMode, QStringLiteral("CW"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    // Then the rig's band, mode and frequency apply, for the next contact.
    EXPECT_EQ(w.bandLabel->text(), QStringLiteral("40"));
    EXPECT_EQ(w.modeLabel->text(), QStringLiteral("PH"));
    f.logIn(QStringLiteral("W5YY"), QStringLiteral("4"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 2);
    EXPECT_EQ(f.record(2).LogBand, QStringLiteral("40"));
    EXPECT_EQ(f.record(2).LogFrequency, QStringLiteral("7.025"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("5"));
}

}  // namespace

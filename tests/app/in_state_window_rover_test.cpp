// A rover on a county line: the counties set through Change County and the
// rover county window, each contact logged once more for every further
// county, and the own county back to the first county however it ends.

#include "app/in_state_fixture.h"
#include "reports/county_change_dialog.h"
#include "reports/rover_county_change_dialog.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

class RoverFixture : public InStateFixture {
public:
    RoverFixture() { fx.state.prefs.RoverFlag = 1; }

    /// Change County, the rover button, the counties typed in the order
    /// given, the increment box as asked, Done in both dialogs.
    void setRoverCounties(const QStringList& counties, bool incrementSerial = false)
    {
        window->runModal = [&](QDialog& dialog) {
            auto& change = dynamic_cast<CountyChangeDialog&>(dialog);
            change.showRoverModally = [&](QDialog& d) {
                auto& rover = dynamic_cast<RoverCountyChangeDialog&>(d);
                rover.show();
                QApplication::setActiveWindow(&rover);
                for (const QString& county : counties) {
                    rover.countyBox->setFocus();
                    rover.countyBox->selectAll();
                    QTest::keyClicks(rover.countyBox, county);
                    QTest::keyClick(rover.countyBox, Qt::Key_Return);
                }
                if (rover.incrementSerialCheck->isChecked() != incrementSerial)
                    QTest::mouseClick(rover.incrementSerialCheck, Qt::LeftButton);
                QTest::mouseClick(rover.doneButton, Qt::LeftButton);
            };
            change.show();
            QApplication::setActiveWindow(&change);
            QTest::mouseClick(change.cmdMultipleCounties, Qt::LeftButton);
        };
        window->mnuChangeCounty->trigger();
        window->runModal = nullptr;
        // Back to the main window, as when a modal dialog closes.
        QApplication::processEvents();
        window->activateWindow();
        (void)QTest::qWaitForWindowActive(window.get());
        window->txtCall->setFocus();
    }

    [[nodiscard]] QStringList countiesSent() const
    {
        QStringList out;
        for (const auto& r : fx.state.log.contacts.records())
            out << r.LogCountySent;
        return out;
    }
    [[nodiscard]] QStringList serialsSent() const
    {
        QStringList out;
        for (const auto& r : fx.state.log.contacts.records())
            out << r.LogSerialSent;
        return out;
    }
};

const QStringList ThreeCounties = {QStringLiteral("Colusa"), QStringLiteral("Alpine"), QStringLiteral("Butte")};

TEST(InStateWindowRover, EachContactIsLoggedForEveryCountyOfTheList)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    // The list is in alphabetical order; its first county is the own county.
    EXPECT_EQ(w.roverCountyWindow()->counties(),
              QStringList({QStringLiteral("Alpine"), QStringLiteral("Butte"), QStringLiteral("Colusa")}));
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alpine"));
    EXPECT_TRUE(readBytes(f.fx.path(QStringLiteral("QSOpref.txt"))).contains("\"Alpine\""));

    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 3);
    EXPECT_EQ(f.countiesSent(), QStringList({QStringLiteral("Alpine"), QStringLiteral("Butte"), QStringLiteral("Colusa")}));
    EXPECT_EQ(f.serialsSent(), QStringList({QStringLiteral("001"), QStringLiteral("001"), QStringLiteral("001")}));
    for (int n = 2; n <= 3; ++n) {
        EXPECT_EQ(f.record(n).LogCall, QStringLiteral("W5XX"));
        EXPECT_EQ(f.record(n).LogSPC, QStringLiteral("TX"));
        EXPECT_EQ(f.record(n).LogSerialRcvd, QStringLiteral("3"));
        EXPECT_EQ(f.record(n).LogTime, f.record(1).LogTime);
        EXPECT_EQ(f.record(n).LogBand, f.record(1).LogBand);
    }
    // One contact's worth of points, whatever the number of counties.
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(w.lblSectogo->text(), QStringLiteral("1"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("3"));
    // Back in the first county; the list shows where each was sent from.
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alpine"));
    EXPECT_EQ(f.fx.state.log.OperatorCountyText, QStringLiteral("Alpine"));
    EXPECT_EQ(f.in().RoverIndex(), 0);
    EXPECT_EQ(f.cell(0, 9), QStringLiteral("Colusa"));
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("002"));
    // The reload counts the same.
    w.ReloadLog();
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("3"));
    EXPECT_EQ(f.logBytes().count("\"W5XX\""), 3);
}

TEST(InStateWindowRover, IncrementBoxGivesEachCopyTheNextSerial)
{
    RoverFixture f;
    f.openTimedOn();
    f.setRoverCounties(ThreeCounties, true);
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    EXPECT_EQ(f.serialsSent(), QStringList({QStringLiteral("001"), QStringLiteral("002"), QStringLiteral("003")}));
    EXPECT_EQ(f.window->nextSerialLabel->text(), QStringLiteral("004"));
}

TEST(InStateWindowRover, NoCopiesForOneCountyOrForAStationThatIsNoRover)
{
    {
        RoverFixture f;
        f.openTimedOn();
        f.setRoverCounties({QStringLiteral("Butte")});
        f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
        EXPECT_EQ(f.countiesSent(), QStringList{QStringLiteral("Butte")});
    }
    {
        RoverFixture f;
        f.openTimedOn();
        f.setRoverCounties(ThreeCounties);
        f.fx.state.prefs.RoverFlag = 0;
        f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
        EXPECT_EQ(f.countiesSent(), QStringList{QStringLiteral("Alpine")});
    }
}

TEST(InStateWindowRover, RefusedEntryLogsNoEarlierContactAgain)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    ASSERT_EQ(f.contacts(), 3);
    // The next entry lacks its serial: nothing at all is logged.
    w.txtCall->setText(QStringLiteral("W5YY"));
    w.txtCntry->setText(QStringLiteral("TX"));
    w.txtCall->setFocus();
    f.enter();
    EXPECT_EQ(f.contacts(), 3);
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Need Serial!"));
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("W5YY"));
    // A duplicate of the whole contact stores nothing either.
    w.txtCall->setText(QStringLiteral("W5XX"));
    w.txtRSTR->setText(QStringLiteral("3"));
    w.txtCntry->setText(QStringLiteral("TX"));
    w.txtCall->setFocus();
    f.enter();
    EXPECT_EQ(f.contacts(), 3);
}

TEST(InStateWindowRover, CopyAlreadyWorkedFromThatCountyIsRefusedAndTheOthersLogged)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    // W5XX was worked from Butte before the rover reached the county line.
    f.fx.state.prefs.MyCounty = QStringLiteral("Butte");
    w.txtCall->setText(QStringLiteral("W5XX"));
    w.txtRSTR->setText(QStringLiteral("1"));
    w.txtCntry->setText(QStringLiteral("TX"));
    f.enter();
    ASSERT_EQ(f.contacts(), 1);
    f.setRoverCounties(ThreeCounties);
    f.services.promptsPlayed.clear();
    w.txtCall->setText(QStringLiteral("W5XX"));
    w.txtRSTR->setText(QStringLiteral("2"));
    w.txtCntry->setText(QStringLiteral("TX"));
    w.txtCall->setFocus();
    f.enter();
    EXPECT_EQ(f.countiesSent(),
              QStringList({QStringLiteral("Butte"), QStringLiteral("Alpine"), QStringLiteral("Colusa")}));
    EXPECT_TRUE(f.services.promptsPlayed.contains(QStringLiteral("Dupe")));
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alpine"));
}

TEST(InStateWindowRover, CopyThatCannotBeWrittenEndsTheReloggingInTheFirstCounty)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    // Once the contact itself is stored, log.txt stops taking lines.
    f.duringNextEvents([&] {
        QFile::remove(f.fx.path(QStringLiteral("log.txt")));
        QDir().mkdir(f.fx.path(QStringLiteral("log.txt")));
    });
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    EXPECT_EQ(f.countiesSent(), QStringList{QStringLiteral("Alpine")});
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("File Error")));
    EXPECT_TRUE(f.fx.fakes.prompt.shown().back().text.contains(QStringLiteral("Butte")));
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alpine"));
    EXPECT_EQ(f.fx.state.log.OperatorCountyText, QStringLiteral("Alpine"));
    EXPECT_EQ(f.in().RoverIndex(), 0);
    // The next contact, once the file is back, goes out from the first county.
    QDir().rmdir(f.fx.path(QStringLiteral("log.txt")));
    f.logIn(QStringLiteral("W5YY"), QStringLiteral("4"), QStringLiteral("TX"));
    ASSERT_GE(f.contacts(), 2);
    EXPECT_EQ(f.record(2).LogCall, QStringLiteral("W5YY"));
    EXPECT_EQ(f.record(2).LogCountySent, QStringLiteral("Alpine"));
}

TEST(InStateWindowRover, KeysTypedWhileTheCopiesAreMadeGoToTheNextContact)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    // The operator starts the next call as soon as the copies begin.
    int waits = 0;
    std::function<void()> typeOnceCopying = [&] {
        if (f.in().RoverIndex() == 0 && ++waits < 50) {
            f.duringNextEvents(typeOnceCopying);
            return;
        }
        QTest::keyClicks(w.txtCall, QStringLiteral("K7ZZ"));
    };
    f.duringNextEvents(typeOnceCopying);
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    QApplication::processEvents();
    ASSERT_EQ(f.contacts(), 3);
    for (int n = 1; n <= 3; ++n)
        EXPECT_EQ(f.record(n).LogCall, QStringLiteral("W5XX"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K7ZZ"));
}

TEST(InStateWindowRover, OwnCountyCannotBeChangedWhileTheCopiesAreMade)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    bool offeredWhileCopying = true;
    bool dialogOpened = false;
    int waits = 0;
    std::function<void()> changeOnceCopying = [&] {
        if (f.in().RoverIndex() == 0 && ++waits < 50) {
            f.duringNextEvents(changeOnceCopying);
            return;
        }
        offeredWhileCopying = w.mnuChangeCounty->isEnabled();
        w.runModal = [&](QDialog& dialog) {
            dialogOpened = true;
            auto& change = dynamic_cast<CountyChangeDialog&>(dialog);
            change.countyBox->setText(QStringLiteral("Lake"));
            QTest::mouseClick(change.doneButton, Qt::LeftButton);
        };
        w.mnuChangeCounty->trigger();
        w.runModal = nullptr;
    };
    f.duringNextEvents(changeOnceCopying);
    f.logIn(QStringLiteral("W5XX"), QStringLiteral("3"), QStringLiteral("TX"));
    QApplication::processEvents();
    ASSERT_EQ(f.contacts(), 3);
    EXPECT_FALSE(offeredWhileCopying);
    EXPECT_FALSE(dialogOpened);
    EXPECT_EQ(f.fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_EQ(w.ownLocationLabel->text(), QStringLiteral("Alpine"));
    EXPECT_TRUE(readBytes(f.fx.path(QStringLiteral("QSOpref.txt"))).contains("\"Alpine\""));
    EXPECT_TRUE(w.mnuChangeCounty->isEnabled());
}

TEST(InStateWindowRover, CopiesAddNoCountryToTheDxListForWhatIsTypedMeanwhile)
{
    RoverFixture f;
    auto& w = f.openTimedOn();
    f.setRoverCounties(ThreeCounties);
    int waits = 0;
    std::function<void()> typeOnceCopying = [&] {
        if (f.in().RoverIndex() == 0 && ++waits < 50) {
            f.duringNextEvents(typeOnceCopying);
            return;
        }
        // The next station is a new DX country: "New" shows for it.
        w.txtCntry->setText(QStringLiteral("Fiji"));
    };
    // Canada is no new DX country while logging.
    w.txtCall->setText(QStringLiteral("VE3ABC"));
    w.txtRSTR->setText(QStringLiteral("1"));
    w.txtCntry->setText(QStringLiteral("Canada"));
    w.txtCall->setFocus();
    f.duringNextEvents(typeOnceCopying);
    f.enter();
    QApplication::processEvents();
    ASSERT_EQ(f.contacts(), 3);
    EXPECT_FALSE(w.newCountryLabel->isHidden());
    EXPECT_TRUE(f.items(w.firstMultiplierList).isEmpty());
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX - 0"));
}

}  // namespace

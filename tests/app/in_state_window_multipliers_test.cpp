// The in-state multipliers as the operator sees them: sections worked on the
// grid, the county and DX lists in alphabetical order, the "All Modes"
// button, and the score.

#include "app/in_state_fixture.h"

#include <gtest/gtest.h>

using namespace testing_support;

namespace {

void enter(InStateFixture& f, const char* call, const char* serial, const char* spc, const char* county = "")
{
    auto& w = *f.window;
    w.txtCall->setText(QString::fromLatin1(call));
    w.txtRSTR->setText(QString::fromLatin1(serial));
    w.txtCntry->setText(QString::fromLatin1(spc));
    w.txtSec->setText(QString::fromLatin1(county));
    w.txtCall->setFocus();
    f.enter();
}

TEST(InStateWindowMultipliers, SectionCountsOnceAndTheScoreIsPointsTimesSections)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    auto& in = f.in();
    const QColor worked(0, 128, 0), needed(255, 0, 0);
    const int tx = 24, ny = 7;
    EXPECT_EQ(in.sectionGrid[tx]->palette().color(QPalette::WindowText), needed);
    enter(f, "W5XX", "1", "TX");
    EXPECT_EQ(in.sectionGrid[tx]->palette().color(QPalette::WindowText), worked);
    enter(f, "W5YY", "2", "tx");
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("1"));
    enter(f, "W2AA", "3", "NY");
    EXPECT_EQ(in.sectionGrid[ny]->palette().color(QPalette::WindowText), worked);
    EXPECT_EQ(w.lblTotSec->text(), QStringLiteral("2"));
    EXPECT_EQ(w.qsoPointsLabel->text(), QStringLiteral("9"));
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));
    // The reload finds the same.
    w.ReloadLog();
    EXPECT_EQ(w.lblTotScore->text(), QStringLiteral("18"));
    EXPECT_EQ(in.sectionGrid[tx]->palette().color(QPalette::WindowText), worked);
    EXPECT_EQ(in.sectionGrid[1]->palette().color(QPalette::WindowText), needed);
}

TEST(InStateWindowMultipliers, ListsStayInAlphabeticalOrder)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    auto& in = f.in();
    enter(f, "K6AA", "1", "CA", "Colusa");
    enter(f, "K6BB", "2", "CA", "alpine");
    enter(f, "XE1AA", "3", "Mexico");
    enter(f, "JA1AA", "4", "Japan");
    // Stored as the table spells it, whatever the letter case typed.
    EXPECT_EQ(f.items(w.countiesWorkedList), QStringList({QStringLiteral("Alpine"), QStringLiteral("Colusa")}));
    EXPECT_FALSE(f.items(in.countiesToGoList).contains(QStringLiteral("Colusa")));
    EXPECT_EQ(f.items(in.countiesToGoList).first(), QStringLiteral("Alameda"));
    EXPECT_EQ(f.items(w.firstMultiplierList), QStringList({QStringLiteral("Japan"), QStringLiteral("Mexico")}));
    EXPECT_EQ(w.lblStation[5]->text(), QStringLiteral("DX - 2"));
    EXPECT_EQ(w.lblStation[8]->text(), QStringLiteral("Cnty Wkd - 2"));
    EXPECT_EQ(w.lblStation[7]->text(), QStringLiteral("Cnty Rem - 56"));
}

TEST(InStateWindowMultipliers, CurrentModeButtonFiltersTheCountiesWorked)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    auto& in = f.in();
    enter(f, "K6AA", "1", "CA", "Colusa");
    w.onPhoneModeClicked();
    enter(f, "K6BB", "2", "CA", "Alpine");
    w.onCwModeClicked();  // back to CW
    EXPECT_EQ(f.items(w.countiesWorkedList).size(), 2);
    QTest::mouseClick(in.countyModesButton, Qt::LeftButton);
    EXPECT_EQ(in.countyModesButton->text(), QStringLiteral("Crnt Mode"));
    EXPECT_TRUE(w.txtCall->hasFocus());
    EXPECT_EQ(f.items(w.countiesWorkedList), QStringList{QStringLiteral("Colusa")});
    // A new contact on the current mode counts at once.
    enter(f, "K6CC", "3", "CA", "Butte");
    EXPECT_EQ(f.items(w.countiesWorkedList), QStringList({QStringLiteral("Butte"), QStringLiteral("Colusa")}));
    QTest::mouseClick(in.countyModesButton, Qt::LeftButton);
    EXPECT_EQ(in.countyModesButton->text(), QStringLiteral("All Modes"));
    EXPECT_EQ(f.items(w.countiesWorkedList).size(), 3);
}

TEST(InStateWindowMultipliers, ReloadListsEveryLongCountryNameAsDx)
{
    InStateFixture f;
    auto& w = f.openTimedOn();
    enter(f, "VE3AA", "1", "Canada");
    ASSERT_EQ(f.contacts(), 1);
    // While logging "Canada" never showed as new, so it was not listed...
    EXPECT_EQ(w.firstMultiplierList->count(), 0);
    // ...the reload lists whatever was stored.
    w.ReloadLog();
    EXPECT_EQ(f.items(w.firstMultiplierList), QStringList{QStringLiteral("Canada")});
}

}  // namespace

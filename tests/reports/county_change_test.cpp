#include "reports/county_typeahead.h"
#include "reports/county_change_dialog.h"
#include "reports/rover_county_change_dialog.h"
#include "platform/controls.h"
#include "support/test_support.h"

#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QTest>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

contactlog::CountyTable countyRows(std::initializer_list<const char*> names)
{
    contactlog::CountyTable t;
    for (const char* n : names)
        t.rows.push_back({QString::fromLatin1(n), QString()});
    return t;
}

struct CountyChangeFixture : ::testing::Test {
    ProgramFolderFixture fx;
    RoverCountyWindow rover{fx.state};

    void SetUp() override
    {
        fx.state.counties = countyRows({"Alameda", "Alpine", "Butte", "Lake", "Lassen",
                                        "Los Angeles", "San Benito", "San Diego", "Santa Clara"});
        fx.state.prefs.MyCounty = QStringLiteral("Butte");
        fx.state.prefs.PartyState = QStringLiteral("CA");
    }

    std::unique_ptr<CountyChangeDialog> openCountyChange()
    {
        auto dlg = std::make_unique<CountyChangeDialog>(fx.state, rover);
        dlg->onLoad();
        dlg->show();
        QApplication::setActiveWindow(dlg.get());
        dlg->countyBox->setFocus();
        return dlg;
    }

    RoverCountyChangeDialog& showRover()
    {
        RoverCountyChangeDialog& r = rover.window();
        r.show();
        QApplication::setActiveWindow(&r);
        r.countyBox->setFocus();
        return r;
    }

    static void typeCounty(QLineEdit* box, const QString& text)
    {
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

    QByteArray prefsFile() const { return readBytes(fx.path(QStringLiteral("QSOpref.txt"))); }
};

}  // namespace

TEST(CountyTypeAhead, CompletesFromTheLastMatchingRow)
{
    const auto t = countyRows({"Lake", "Lassen", "Los Angeles"});
    int key = 'l';
    const reports::TypeAheadEdit e = reports::countyTypeAhead(t, QString(), 0, key);
    EXPECT_EQ(key, 0);
    EXPECT_EQ(e.text, QStringLiteral("Los Angeles"));
    EXPECT_EQ(e.selectionStart, 1);
    EXPECT_EQ(e.selectionLength, 10);

    // Typing over the selected rest narrows the choice.
    key = 'a';
    const reports::TypeAheadEdit la = reports::countyTypeAhead(t, e.text, 1, key);
    EXPECT_EQ(la.text, QStringLiteral("Lassen"));
    // The whole name shows as the table spells it, the typed part too.
    key = 'S';
    EXPECT_EQ(reports::countyTypeAhead(t, QStringLiteral("LaSSEN"), 2, key).text,
              QStringLiteral("Lassen"));
    // No county fits: the key goes in as typed.
    key = 'x';
    const reports::TypeAheadEdit none = reports::countyTypeAhead(t, QStringLiteral("La"), 2, key);
    EXPECT_FALSE(none.replaceText);
    EXPECT_EQ(key, 'x');
}

TEST(CountyTypeAhead, StartOfBoxReplacesAndCapitalsFollowBlanks)
{
    const auto t = countyRows({"San Benito", "San Diego"});
    // A key at the start empties the box first.
    int key = 'q';
    const reports::TypeAheadEdit start = reports::countyTypeAhead(t, QStringLiteral("Butte"), 0, key);
    EXPECT_TRUE(start.replaceText);
    EXPECT_EQ(start.text, QString());
    EXPECT_EQ(key, 'Q');
    // After a blank inside the text the key is upper-cased.
    key = 'b';
    const reports::TypeAheadEdit word =
        reports::countyTypeAhead(t, QStringLiteral("San Diego"), 4, key);
    EXPECT_EQ(word.text, QStringLiteral("San Benito"));
    // Backspace at the start empties the box and then does its own work.
    key = 8;
    const reports::TypeAheadEdit back = reports::countyTypeAhead(t, QStringLiteral("San"), 0, key);
    EXPECT_EQ(back.text, QString());
    EXPECT_EQ(key, 8);
}

TEST_F(CountyChangeFixture, LoadShowsTheOwnCountyAndDoneStoresTheBox)
{
    auto dlg = openCountyChange();
    EXPECT_EQ(dlg->windowTitle(), QStringLiteral("County Change"));
    EXPECT_EQ(dlg->countyBox->text(), QStringLiteral("Butte"));
    EXPECT_TRUE(dlg->countyInvalidMark->isHidden());
    typeCounty(dlg->countyBox, QStringLiteral("al"));
    // "al" completes to Alpine (the last row beginning with it); Enter takes it.
    EXPECT_EQ(fx.state.prefs.MyCounty, QStringLiteral("Alpine"));
    EXPECT_TRUE(prefsFile().contains("\"Alpine\""));
    EXPECT_FALSE(dlg->isVisible());
}

TEST_F(CountyChangeFixture, BoxesOpenWithTheirCountySelectedSoTypingReplacesIt)
{
    CountyChangeDialog dlg(fx.state, rover);
    dlg.onLoad();
    dlg.show();
    QApplication::setActiveWindow(&dlg);
    EXPECT_EQ(dlg.countyBox->selectedText(), QStringLiteral("Butte"));
    QTest::keyClicks(dlg.countyBox, QStringLiteral("lake"));
    EXPECT_EQ(dlg.countyBox->text(), QStringLiteral("Lake"));
    dlg.hide();

    RoverCountyChangeDialog& r = rover.window();
    r.show();
    QApplication::setActiveWindow(&r);
    EXPECT_EQ(r.countyBox->selectedText(), QStringLiteral("Butte"));
    QTest::keyClicks(r.countyBox, QStringLiteral("alp"));
    QTest::keyClick(r.countyBox, Qt::Key_Return);
    EXPECT_EQ(r.counties(), QStringList{QStringLiteral("Alpine")});
}

TEST_F(CountyChangeFixture, LeavingTheBoxChecksTheCounty)
{
    auto dlg = openCountyChange();
    dlg->countyBox->setText(QStringLiteral("Nowhere"));
    dlg->doneButton->setFocus(Qt::TabFocusReason);
    EXPECT_FALSE(dlg->countyInvalidMark->isHidden());
    EXPECT_EQ(dlg->countyInvalidMark->text(), QStringLiteral("   Invalid!"));
    EXPECT_EQ(dlg->CountyInvalidFlag, 1);
    EXPECT_EQ(fx.fakes.beeper.count(), 1);
    QApplication::processEvents();
    EXPECT_TRUE(dlg->countyBox->hasFocus());

    // Lower case passes the check and is stored as the table spells it.
    dlg->countyBox->setText(QStringLiteral("lake"));
    dlg->doneButton->setFocus(Qt::TabFocusReason);
    EXPECT_TRUE(dlg->countyInvalidMark->isHidden());
    EXPECT_EQ(dlg->CountyInvalidFlag, 0);
    QTest::mouseClick(dlg->doneButton, Qt::LeftButton);
    EXPECT_EQ(fx.state.prefs.MyCounty, QStringLiteral("Lake"));
}

TEST_F(CountyChangeFixture, EnterTakesTheBoxWithoutTheCheck)
{
    auto dlg = openCountyChange();
    dlg->countyBox->setText(QStringLiteral("Nowhere"));
    dlg->countyBox->setCursorPosition(7);
    QTest::keyClick(dlg->countyBox, Qt::Key_Return);
    EXPECT_EQ(fx.state.prefs.MyCounty, QStringLiteral("Nowhere"));
    EXPECT_EQ(fx.fakes.beeper.count(), 0);
}

TEST_F(CountyChangeFixture, RoverListStaysSortedAndItsFirstCountyBecomesMyCounty)
{
    auto dlg = openCountyChange();
    bool roverShown = false;
    dlg->showRoverModally = [&](QDialog& window) {
        roverShown = true;
        auto& r = dynamic_cast<RoverCountyChangeDialog&>(window);
        EXPECT_EQ(r.windowTitle(), QStringLiteral("County Change for Rovers"));
        EXPECT_EQ(r.countyBox->text(), QStringLiteral("Butte"));  // the own county, at first use
        r.show();
        QApplication::setActiveWindow(&r);
        r.countyBox->setFocus();
        typeCounty(r.countyBox, QStringLiteral("Butte"));
        typeCounty(r.countyBox, QStringLiteral("Alam"));
        typeCounty(r.countyBox, QStringLiteral("Santa Clara"));
        EXPECT_EQ(r.counties(), QStringList({"Alameda", "Butte", "Santa Clara"}));
        EXPECT_TRUE(r.countyBox->text().isEmpty());
        QTest::mouseClick(r.doneButton, Qt::LeftButton);
        EXPECT_FALSE(r.isVisible());
    };
    QTest::mouseClick(dlg->cmdMultipleCounties, Qt::LeftButton);
    EXPECT_TRUE(roverShown);
    EXPECT_EQ(dlg->countyBox->text(), QStringLiteral("Alameda"));
    EXPECT_EQ(fx.state.prefs.MyCounty, QStringLiteral("Alameda"));
    EXPECT_TRUE(prefsFile().contains("\"Alameda\""));
    EXPECT_FALSE(dlg->isVisible());
    // The logging routine reads the list through the main window's holder.
    EXPECT_EQ(rover.counties(), QStringList({"Alameda", "Butte", "Santa Clara"}));
}

TEST_F(CountyChangeFixture, InvalidRoverCountyIsNotAdded)
{
    RoverCountyChangeDialog& r = showRover();
    typeCounty(r.countyBox, QStringLiteral("Nowhere"));
    EXPECT_FALSE(r.countyInvalidMark->isHidden());
    EXPECT_EQ(r.countyList->count(), 0);
    EXPECT_EQ(r.countyBox->text(), QStringLiteral("Nowhere"));
    EXPECT_EQ(fx.fakes.beeper.count(), 1);
    // Letter case does not matter to the check; the county is listed as
    // the table spells it.
    typeCounty(r.countyBox, QStringLiteral("lAKE"));
    EXPECT_TRUE(r.countyInvalidMark->isHidden());
    EXPECT_EQ(r.counties(), QStringList({"Lake"}));
}

// A county taken into the list is gone from the box for good: Ctrl+Z does
// not bring it back for Enter to list it again.
TEST_F(CountyChangeFixture, CtrlZAfterARoverCountyIsListedLeavesTheBoxEmpty)
{
    RoverCountyChangeDialog& r = showRover();
    typeCounty(r.countyBox, QStringLiteral("Lake"));
    ASSERT_EQ(r.counties(), QStringList({"Lake"}));
    QTest::keyClick(r.countyBox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(r.countyBox->text().isEmpty());
    QTest::keyClick(r.countyBox, Qt::Key_Return);
    EXPECT_EQ(r.counties(), QStringList({"Lake"}));
}

TEST_F(CountyChangeFixture, ClickingAListedCountyRemovesIt)
{
    RoverCountyChangeDialog& r = showRover();
    for (const char* c : {"Lake", "Alpine", "Butte"})
        typeCounty(r.countyBox, QString::fromLatin1(c));
    ASSERT_EQ(r.counties(), QStringList({"Alpine", "Butte", "Lake"}));
    const QRect itemRect = r.countyList->visualItemRect(r.countyList->item(1));
    QTest::mouseClick(r.countyList->viewport(), Qt::LeftButton, {}, itemRect.center());
    EXPECT_EQ(r.counties(), QStringList({"Alpine", "Lake"}));
    EXPECT_TRUE(r.doneButton->hasFocus());
}

TEST_F(CountyChangeFixture, RoverWindowKeepsItsListAndBoxUntilUnloaded)
{
    RoverCountyChangeDialog& r = showRover();
    typeCounty(r.countyBox, QStringLiteral("Butte"));
    typeCounty(r.countyBox, QStringLiteral("Lake"));
    QTest::mouseClick(r.incrementSerialCheck, Qt::LeftButton);
    EXPECT_TRUE(r.doneButton->hasFocus());
    r.close();  // the close box only hides it
    EXPECT_EQ(&rover.window(), &r);
    EXPECT_EQ(rover.counties(), QStringList({"Butte", "Lake"}));
    EXPECT_TRUE(rover.incrementSerial());
    rover.unload();
    EXPECT_FALSE(rover.loaded());
    EXPECT_TRUE(rover.counties().isEmpty());
    EXPECT_FALSE(rover.incrementSerial());
}

TEST_F(CountyChangeFixture, RoverDoneWithAnEmptyListKeepsTheCountyChangeBox)
{
    auto dlg = openCountyChange();
    dlg->countyBox->setText(QStringLiteral("Lassen"));
    dlg->showRoverModally = [](QDialog& window) {
        auto& r = dynamic_cast<RoverCountyChangeDialog&>(window);
        r.show();
        QTest::mouseClick(r.doneButton, Qt::LeftButton);
    };
    QTest::mouseClick(dlg->cmdMultipleCounties, Qt::LeftButton);
    EXPECT_EQ(fx.state.prefs.MyCounty, QStringLiteral("Lassen"));
}

TEST_F(CountyChangeFixture, TypingInTheBoxCompletesAndNarrows)
{
    auto dlg = openCountyChange();
    dlg->countyBox->selectAll();
    QTest::keyClick(dlg->countyBox, Qt::Key_L);
    EXPECT_EQ(dlg->countyBox->text(), QStringLiteral("Los Angeles"));
    EXPECT_EQ(dlg->countyBox->selectedText(), QStringLiteral("os Angeles"));
    QTest::keyClick(dlg->countyBox, Qt::Key_A);
    EXPECT_EQ(dlg->countyBox->text(), QStringLiteral("Lassen"));
    QTest::keyClick(dlg->countyBox, Qt::Key_K);
    EXPECT_EQ(dlg->countyBox->text(), QStringLiteral("Lake"));
    EXPECT_EQ(dlg->countyBox->selectedText(), QStringLiteral("e"));
}

TEST_F(CountyChangeFixture, DialogsScaleWithTheScreen)
{
    fx.fakes.screen.set({19200, 14400, QRectF(0, 0, 19200, 14400)});
    CountyChangeDialog dlg(fx.state, rover);
    const QRectF before = platform::twipGeometry(dlg.countyBox);
    dlg.onLoad();
    const QRectF after = platform::twipGeometry(dlg.countyBox);
    EXPECT_DOUBLE_EQ(after.width(), before.width() * 2);
    EXPECT_DOUBLE_EQ(after.top(), before.top() * 2);
    RoverCountyChangeDialog& r = rover.window();
    EXPECT_DOUBLE_EQ(platform::twipGeometry(r.incrementSerialCheck).width(), 3495 * 2);
}

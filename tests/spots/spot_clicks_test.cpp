// Working spots with the mouse in the main windows: the band map's spot
// labels (right-click tunes and hands the call on, any other click deletes,
// resting the mouse shows the spot), the spot list, and the band map's
// background.

#include "clicks_fixture.h"

#include <gtest/gtest.h>

using namespace spots_testing;

namespace {

class BandMapClicks : public testing::TestWithParam<bool> {};

}  // namespace

TEST_P(BandMapClicks, RightClickTunesTheSpotAndHandsItsCallOn)
{
    ClicksFixture f(GetParam());
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    f.spot("JA1XYZ", "14049.0");
    ASSERT_FALSE(m.lblDXSpot[48]->isHidden());
    // The rig type is "None": the rig interface is asked anyway and decides
    // for itself.
    QTest::mouseClick(m.lblDXSpot[48], Qt::RightButton);
    EXPECT_EQ(f.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(f.fx.state.log.CurrentCallText, QStringLiteral("DL1ABC"));
    // The Tab moved the focus on to the serial box.
    EXPECT_EQ(QApplication::focusWidget(), m.txtRSTR);
    // Nothing was deleted.
    EXPECT_FLOAT_EQ(f.store().slot(48).SpotFrequency, 14.025f);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, BandMapClicks, testing::Values(true, false),
                         [](const testing::TestParamInfo<bool>& i) { return i.param ? "OutOfState" : "InState"; });

TEST(SpotClicks, ASpotArrivingOrDeletedWhileTheRigTunesChangesNothingTunedOrTyped)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    f.spot("JA1XYZ", "14049.0");
    // While the rig tunes, a new spot shifts every slot down and the clicked
    // one (now in slot 47) is deleted.
    f.duringTune = [&f] {
        f.duringTune = nullptr;
        f.spot("VK2XX", "14070.0");
        f.spots->display.store().deleteSpot(47);
        QApplication::processEvents();
    };
    QTest::mouseClick(m.lblDXSpot[48], Qt::RightButton);
    EXPECT_EQ(f.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(f.store().slot(49).SpotCall, QStringLiteral("VK2XX"));
}

TEST(SpotClicks, LeftClickDeletesTheSpotFromTheMapButNotFromTheList)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14011.0");
    f.spot("JA1XYZ", "14049.0");
    f.spot("G3AAA", "14030.0");
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("14.050"));
    QTest::mouseClick(m.lblDXSpot[48], Qt::LeftButton);
    EXPECT_TRUE(f.tuned.empty());
    EXPECT_EQ(f.store().slot(48).SpotFrequency, 0.0f);
    EXPECT_TRUE(m.lblDXSpot[48]->isHidden());
    // The scale zooms out to the two spots left.
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("14.010"));
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("14.031"));
    EXPECT_EQ(m.txtDX->model()->rowCount(), 3);
    EXPECT_TRUE(m.txtCall->text().isEmpty());
    // The call comes back as any other spot.
    f.spot("JA1XYZ", "14047.0");
    EXPECT_FLOAT_EQ(f.store().slot(49).SpotFrequency, 14.047f);
    EXPECT_FALSE(m.lblDXSpot[49]->isHidden());
}

TEST(SpotClicks, RestingTheMouseOnASpotShowsItInThePossibleDuplicatesLine)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    m.lblDupe->setText(QStringLiteral("K1ABC K1ABD"));
    f.spot("DL1ABC", "14025.0");
    ClicksFixture::hover(m.lblDXSpot[49]);
    // Local 09:02:41 at UTC-7.
    EXPECT_EQ(m.lblDupe->text(), QStringLiteral("DL1ABC  14.025  16:02:41"));
}

TEST(SpotClicks, EmptySlotsAndStrayLabelsTuneNothing)
{
    // The list first, then the band map: only the spot there is shows.
    ClicksFixture f(true, true);
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    f.spotting->displayBandMap->setChecked(true);
    f.spotting->doneButton->click();
    QApplication::processEvents();
    EXPECT_TRUE(m.lblDXSpot[0]->isHidden());
    ASSERT_FALSE(m.lblDXSpot[49]->isHidden());
    f.services.spotLabelPressed(m, 0, 2);
    EXPECT_TRUE(f.tuned.empty());

    // A deleted spot keeps its call but is never tuned.
    f.spots->display.store().deleteSpot(49);
    f.services.spotLabelPressed(m, 49, 2);
    EXPECT_TRUE(f.tuned.empty());
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));

    // Indexes past the labels change nothing.
    f.spot("JA1XYZ", "14049.0");
    for (int index : {-1, 50, 51}) {
        f.services.spotLabelPressed(m, index, 1);
        f.services.spotLabelPressed(m, index, 2);
    }
    EXPECT_TRUE(f.tuned.empty());
    EXPECT_FLOAT_EQ(f.store().slot(49).SpotFrequency, 14.049f);
}

namespace {

/// The band map's spot labels that show, as caption and the call and
/// frequency their right-click entered and tuned.
struct WorkedLabel {
    QString caption;
    QString call;
    float tuned = 0;
    bool operator==(const WorkedLabel&) const = default;
};

std::vector<WorkedLabel> rightClickEveryLabel(ClicksFixture& f)
{
    MainWindowBase& m = f.main();
    std::vector<WorkedLabel> worked;
    for (QLabel* label : m.lblDXSpot) {
        if (label->isHidden())
            continue;
        f.tuned.clear();
        m.txtCall->clear();
        m.txtCall->setFocus();
        QTest::mouseClick(label, Qt::RightButton);
        worked.push_back({label->text(), m.txtCall->text(), f.tuned.empty() ? 0.0f : f.tuned.back()});
    }
    return worked;
}

void switchDisplay(ClicksFixture& f, bool list)
{
    f.openSpotting();
    (list ? f.spotting->displayList : f.spotting->displayBandMap)->setChecked(true);
    f.spotting->doneButton->click();
    QApplication::processEvents();
}

}  // namespace

TEST(SpotClicks, BackFromTheListTheBandMapShowsTheStoreAndEachLabelWorksItsOwnSpot)
{
    // A spot deleted on the map, spots that came while the list showed, and
    // the band changed meanwhile: what the map shows after the switch back
    // is the store as it is now, and a right-click on a label enters and
    // tunes the station that label shows.
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL2ABC", "14010.0");
    f.spot("VK2DEF", "14030.0");
    f.spot("JA1XYZ", "14050.0");
    QTest::mouseClick(m.lblDXSpot[47], Qt::LeftButton);  // DL2ABC goes
    ASSERT_EQ(f.store().slot(47).SpotFrequency, 0.0f);

    switchDisplay(f, true);
    f.spot("G3NEW", "14040.0");
    f.spot("W1XYZ", "7020.0");
    switchDisplay(f, false);
    EXPECT_EQ(rightClickEveryLabel(f), (std::vector<WorkedLabel>{{"VK2", "VK2DEF", 14.03f},
                                                                 {"JA1", "JA1XYZ", 14.05f},
                                                                 {"G3", "G3NEW", 14.04f}}));
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("14.029"));
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("14.051"));

    // The rig moves to 40 m while the list shows: the map comes back on
    // the 40 m scale with the 40 m spot alone.
    switchDisplay(f, true);
    m.onBand40Clicked();
    f.spot("K1ABC", "7030.0");
    switchDisplay(f, false);
    EXPECT_EQ(rightClickEveryLabel(f),
              (std::vector<WorkedLabel>{{"W1", "W1XYZ", 7.02f}, {"K1", "K1ABC", 7.03f}}));
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("7.019"));
}

TEST(SpotList, AClickTunesWithARigAndHandsTheCallOn)
{
    ClicksFixture f(true, true);
    MainWindowBase& m = f.main();
    QTreeView* list = m.txtDX;
    // An empty list: the click only moves the focus to the call box.
    m.txtRSTR->setFocus();
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(10, 10));
    EXPECT_EQ(QApplication::focusWidget(), m.txtCall);

    f.spot("DL1ABC", "14025.0");
    f.spot("JA1XYZ", "7003.5");
    auto clickRow = [&](int row) {
        const QRect r = list->visualRect(list->model()->index(row, 0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, r.center());
    };
    // Without a rig: the call and the Tab, no tuning.
    clickRow(1);
    EXPECT_TRUE(f.tuned.empty());
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    EXPECT_EQ(QApplication::focusWidget(), m.txtRSTR);

    f.fx.state.prefs.RigType = QStringLiteral("Kenwood");
    clickRow(0);
    EXPECT_EQ(f.tuned, std::vector<float>{7.0035f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("JA1XYZ"));

    // A row whose frequency is no number: the focus only.
    list->model()->setData(list->model()->index(1, 1), QStringLiteral("abc"));
    m.txtCall->clear();
    clickRow(1);
    EXPECT_EQ(f.tuned.size(), 1u);
    EXPECT_TRUE(m.txtCall->text().isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), m.txtCall);
}

TEST(SpotList, ARowClickedWhileTheRigTunesKeepsItsCall)
{
    ClicksFixture f(true, true);
    MainWindowBase& m = f.main();
    f.fx.state.prefs.RigType = QStringLiteral("Kenwood");
    f.spot("DL1ABC", "14025.0");
    // A spot arriving during the tune takes the top row.
    f.duringTune = [&f] {
        f.duringTune = nullptr;
        f.spot("VK2XX", "14070.0");
    };
    QTest::mouseClick(m.txtDX->viewport(), Qt::LeftButton, {},
                      m.txtDX->visualRect(m.txtDX->model()->index(0, 0)).center());
    EXPECT_EQ(f.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
}

TEST(SpotClicks, TheBackgroundOpensTheSpottingWindowAndItsDoubleClickTheSpectrumMap)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spotting->hide();
    QTest::mouseClick(m.lblDX, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_TRUE(f.spotting->isVisible());

    int opened = 0;
    m.runModal = [&](QDialog& d) {
        EXPECT_NE(dynamic_cast<spots::SpectrumMap*>(&d), nullptr);
        EXPECT_EQ(f.spots->openSpectrumMap(), &d);
        ++opened;
    };
    QTest::mouseDClick(m.lblDX, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened, 1);
    // Each opening is a new window, gone once it closes.
    EXPECT_EQ(f.spots->openSpectrumMap(), nullptr);
    QTest::mouseDClick(m.lblDX, Qt::LeftButton, {}, QPoint(5, 5));
    EXPECT_EQ(opened, 2);
}

// A spot clicked starts a new contact: nothing the entry boxes held before
// can be undone back into them.
TEST_P(BandMapClicks, AClickedSpotStartsTheContactWithNothingToUndo)
{
    ClicksFixture f(GetParam());
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    m.txtCall->setFocus();
    for (const char c : std::string("K1ABC 5"))
        QTest::keyClick(QApplication::focusWidget(), c);
    ASSERT_EQ(m.txtRSTR->text(), QStringLiteral("5"));
    QTest::mouseClick(m.lblDXSpot[49], Qt::RightButton);
    ASSERT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    for (QLineEdit* box : {m.txtCall, m.txtRSTR}) {
        const QString text = box->text();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    }
}

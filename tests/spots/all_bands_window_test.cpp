// The spectrum map window as the operator opens it from either main window
// (Ctrl+B, "View Spectrum Map"), its scales and spots, and its clicks.

#include "clicks_fixture.h"

#include <QAction>
#include <gtest/gtest.h>

using namespace spots_testing;
using spots::SpectrumMap;

namespace {

enum class Opening { CtrlB, Menu };

struct MapCase {
    bool outOfState;
    Opening opening;
};

class SpectrumMapOpening : public testing::TestWithParam<MapCase> {};

/// Opens the map the way the case says and runs drive while it is shown.
void openMap(ClicksFixture& f, Opening how, const std::function<void(SpectrumMap&)>& drive)
{
    MainWindowBase& m = f.main();
    int shown = 0;
    m.runModal = [&](QDialog& d) {
        auto* map = dynamic_cast<SpectrumMap*>(&d);
        ASSERT_NE(map, nullptr);
        ++shown;
        map->show();
        QApplication::processEvents();
        drive(*map);
    };
    if (how == Opening::CtrlB) {
        m.txtCall->setFocus();
        QTest::keyClick(m.txtCall, Qt::Key_B, Qt::ControlModifier);
    } else {
        m.mnuSpectrumMap->trigger();
    }
    m.runModal = nullptr;
    EXPECT_EQ(shown, 1);
    EXPECT_EQ(f.spots->openSpectrumMap(), nullptr);
}

QString captions(SpectrumMap& map, int band)
{
    QStringList c;
    for (int i = 0; i < 5; ++i)
        c << map.lblFreqSpot[static_cast<std::size_t>(5 * band + i)]->text();
    return c.join(u' ');
}

}  // namespace

TEST_P(SpectrumMapOpening, ShowsEveryBandAndHandsARightClickedCallToTheMainWindow)
{
    ClicksFixture f(GetParam().outOfState);
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14011.0");
    f.spot("JA1XYZ", "14049.0");
    f.spot("G3AAA", "7025.0");
    f.spot("EDGE1", "14000.0");
    openMap(f, GetParam().opening, [&](SpectrumMap& map) {
        EXPECT_EQ(map.windowTitle(), QStringLiteral(" HF Spectrum Map"));
        EXPECT_EQ(platform::windowTwipGeometry(&map), QRectF(0, 0, 9600, 7200));
        for (QLabel* tick : map.lblFreqSpot)
            EXPECT_FALSE(tick->isHidden());
        EXPECT_EQ(captions(map, 0), QStringLiteral("1.800 1.850 1.900 1.950 2.000"));
        EXPECT_EQ(captions(map, 2), QStringLiteral("7.000 7.075 7.150 7.225 7.300"));
        EXPECT_EQ(captions(map, 4), QStringLiteral("14.010 14.020 14.030 14.040 14.050"));
        EXPECT_EQ(captions(map, 10), QStringLiteral("144.000 145.000 146.000 147.000 148.000"));
        // The three spots stand on their lines; the band edge shows nowhere.
        for (int slot : {46, 47, 48})
            EXPECT_FALSE(map.lblDXSpot[static_cast<std::size_t>(slot)]->isHidden()) << slot;
        EXPECT_TRUE(map.lblDXSpot[49]->isHidden());
        const QRectF g3 = platform::twipGeometry(map.lblDXSpot[48]);
        EXPECT_NEAR(g3.bottom(), map.lineHF[2]->Y1(), 1e-6);
        EXPECT_EQ(map.lblDXSpot[48]->text(), QStringLiteral("G3"));
        EXPECT_EQ(map.lblDXSpot[48]->toolTip(), QStringLiteral("G3AAA  7.025  16:02:41"));

        QTest::mouseClick(map.lblDXSpot[46], Qt::RightButton);
        EXPECT_TRUE(map.isHidden());
    });
    EXPECT_EQ(f.tuned, std::vector<float>{14.011f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    // The call box holds the window's focus once the map has gone.
    EXPECT_EQ(m.focusWidget(), m.txtCall);
}

INSTANTIATE_TEST_SUITE_P(BothWindows, SpectrumMapOpening,
                         testing::Values(MapCase{true, Opening::CtrlB}, MapCase{true, Opening::Menu},
                                         MapCase{false, Opening::CtrlB}, MapCase{false, Opening::Menu}),
                         [](const testing::TestParamInfo<MapCase>& i) {
                             return std::string(i.param.outOfState ? "OutOfState" : "InState")
                                    + (i.param.opening == Opening::CtrlB ? "CtrlB" : "Menu");
                         });

TEST(SpectrumMap, LeftClickDeletesAndANewSpotRedrawsTheOpenMap)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14011.0");
    f.spot("JA1XYZ", "14049.0");
    f.spot("G3AAA", "14030.0");
    openMap(f, Opening::CtrlB, [&](SpectrumMap& map) {
        QTest::mouseClick(map.lblDXSpot[48], Qt::LeftButton);
        EXPECT_TRUE(map.isVisible());
        EXPECT_TRUE(map.lblDXSpot[48]->isHidden());
        EXPECT_EQ(f.store().slot(48).SpotFrequency, 0.0f);
        // The deleted spot no longer shapes the zoom.
        EXPECT_EQ(map.lblFreqSpot[20]->text(), QStringLiteral("14.010"));
        EXPECT_EQ(map.lblFreqSpot[24]->text(), QStringLiteral("14.031"));
        // A spot stored while the map is open shows at once.
        f.spot("ZS6ABC", "21074.0");
        EXPECT_FALSE(map.lblDXSpot[49]->isHidden());
        EXPECT_NEAR(platform::twipGeometry(map.lblDXSpot[49]).bottom(), map.lineHF[6]->Y1(), 1e-6);
    });
    EXPECT_TRUE(f.tuned.empty());
    EXPECT_EQ(m.txtDX->model()->rowCount(), 4);
}

TEST(SpectrumMap, ASpotArrivingWhileTheRigTunesChangesNothingTunedOrTyped)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    f.duringTune = [&f] {
        f.duringTune = nullptr;
        f.spot("VK2XX", "14070.0");
        f.spots->display.store().deleteSpot(48);
    };
    openMap(f, Opening::Menu, [&](SpectrumMap& map) { QTest::mouseClick(map.lblDXSpot[49], Qt::RightButton); });
    EXPECT_EQ(f.tuned, std::vector<float>{14.025f});
    EXPECT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
}

// A call handed over from the map starts a new contact, as a click on the
// main window's spots does: nothing typed before can be undone back.
TEST(SpectrumMap, AHandedOverCallStartsTheContactWithNothingToUndo)
{
    ClicksFixture f;
    MainWindowBase& m = f.main();
    f.spot("DL1ABC", "14025.0");
    m.txtCall->setFocus();
    for (const char c : std::string("K1ABC 5"))
        QTest::keyClick(QApplication::focusWidget(), c);
    ASSERT_EQ(m.txtRSTR->text(), QStringLiteral("5"));
    openMap(f, Opening::Menu, [&](SpectrumMap& map) { QTest::mouseClick(map.lblDXSpot[49], Qt::RightButton); });
    ASSERT_EQ(m.txtCall->text(), QStringLiteral("DL1ABC"));
    for (QLineEdit* box : {m.txtCall, m.txtRSTR}) {
        const QString text = box->text();
        box->setFocus();
        QTest::keyClick(box, Qt::Key_Z, Qt::ControlModifier);
        EXPECT_EQ(box->text(), text) << box->objectName().toStdString();
    }
}

TEST(SpectrumMap, IsScaledToTheScreenThenFillsTheWorkArea)
{
    ClicksFixture f;
    platform::ScreenMetrics screen;
    screen.widthTwips = 19200;
    screen.heightTwips = 14400;
    screen.workAreaTwips = QRectF(0, 600, 19200, 13800);
    f.fx.fakes.screen.set(screen);
    openMap(f, Opening::CtrlB, [&](SpectrumMap& map) {
        EXPECT_EQ(platform::windowTwipGeometry(&map), screen.workAreaTwips);
        // Twice the design, then stretched by the work area over that.
        const double rw = 19200 / (9480 * 2.0), rh = 13800 / (6795 * 2.0);
        EXPECT_NEAR(map.lineHF[0]->X1(), 360 * 2 * rw, 1e-6);
        EXPECT_NEAR(map.lineHF[10]->Y1(), (360 + 6000) * 2 * rh, 1e-6);
        EXPECT_NEAR(platform::twipGeometry(map.lblHFSpots[3]).height(), 495 * 2 * rh, 1e-6);
        // Fonts follow the screen, not the work area.
        EXPECT_DOUBLE_EQ(map.lblFreqSpot[0]->font().pointSizeF(), 6.75 * 2);
        const QRectF tick = platform::twipGeometry(map.lblFreqSpot[2]);
        EXPECT_NEAR(tick.left() + tick.width() / 2, (map.lineHF[0]->X1() + map.lineHF[0]->X2()) / 2, 1e-6);
    });
}

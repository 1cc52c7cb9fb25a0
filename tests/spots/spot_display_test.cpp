// The main window's spot display fed by the spotting window's pipeline:
// spot lines in, the spot list and the band map out, and the layout that
// makes room for them.

#include "spotting_fixture.h"

#include <QHeaderView>

#include <gtest/gtest.h>

using namespace spots_testing;

namespace {

/// The spotting window set to a TNC with the chosen display, Done clicked.
SpottingWindow& connectedTnc(SpottingFixture& f, bool list = false)
{
    f.writePackSpot(packSpot("TNC", 1, list));
    SpottingWindow& w = f.openSpotting();
    w.doneButton->click();
    QApplication::processEvents();
    return w;
}

QString cell(MainWindowBase& m, int row, int column)
{
    return m.txtDX->model()->index(row, column).data().toString();
}

QString tnc(const QString& line) { return line + QStringLiteral("\r\n"); }

}  // namespace

TEST(SpotDisplay, DoneWithTheBandMapCompressesTheWindowAndShowsTheEmptyMap)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    const QRectF call = f.twips(m.txtCall);
    const QRectF list1 = f.twips(m.firstMultiplierList);
    const double line3 = m.multiplierListsLine->Y1();
    connectedTnc(f);
    EXPECT_DOUBLE_EQ(f.twips(m.txtCall).top(), call.top() * 0.9);
    EXPECT_DOUBLE_EQ(f.twips(m.txtCall).height(), call.height() * 0.9);
    EXPECT_DOUBLE_EQ(m.multiplierListsLine->Y1(), line3 * 0.9);
    // The lists reach down to their line again.
    EXPECT_NEAR(f.twips(m.firstMultiplierList).top() + f.twips(m.firstMultiplierList).height(), m.multiplierListsLine->Y1(), 1e-6);
    EXPECT_DOUBLE_EQ(f.twips(m.firstMultiplierList).top(), list1.top() * 0.9);

    EXPECT_FALSE(m.lblDX->isHidden());
    EXPECT_TRUE(m.txtDX->isHidden());
    EXPECT_FALSE(m.LineDX->isHidden());
    for (QLabel* l : m.lblFreqSpot)
        EXPECT_FALSE(l->isHidden());
    for (QLabel* l : m.lblDXSpot)
        EXPECT_TRUE(l->isHidden());
    EXPECT_FALSE(f.form1().bandMapShown());
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("14.000"));
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("14.350"));

    const double width = platform::windowTwipGeometry(&m).width();
    const QRectF panel = f.twips(m.lblDX);
    EXPECT_DOUBLE_EQ(panel.left(), 0.01 * width);
    EXPECT_DOUBLE_EQ(panel.width(), 0.97 * width);
    EXPECT_EQ(f.twips(m.txtDX), panel);
    EXPECT_GT(panel.height(), 0);
    EXPECT_NEAR(panel.top() + panel.height(), m.centralWidget()->height() * platform::TwipsPerPixel, 1e-6);
    EXPECT_DOUBLE_EQ(m.LineDX->Y1(), panel.top() + panel.height() / 2);
    EXPECT_DOUBLE_EQ(m.LineDX->X1(), panel.left() + f.twips(m.lblDXSpot[0]).width() / 2);
    const QRectF mid = f.twips(m.lblFreqSpot[2]);
    EXPECT_NEAR(mid.left() + mid.width() / 2, (m.LineDX->X1() + m.LineDX->X2()) / 2, 1e-6);
}

TEST(SpotDisplay, SwitchingMovesNothingAndNoneGivesTheRoomBack)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    const QRectF call = f.twips(m.txtCall);
    SpottingWindow& w = connectedTnc(f, true);
    EXPECT_FALSE(m.txtDX->isHidden());
    EXPECT_TRUE(m.lblDX->isHidden());
    const QRectF compressed = f.twips(m.txtCall);

    // Band map: drawn at once, so with no spot stored no spot label shows.
    f.openSpotting();
    w.displayBandMap->setChecked(true);
    w.doneButton->click();
    EXPECT_EQ(f.twips(m.txtCall), compressed);
    EXPECT_FALSE(m.lblDX->isHidden());
    EXPECT_TRUE(m.txtDX->isHidden());
    EXPECT_TRUE(f.form1().bandMapShown());
    for (QLabel* l : m.lblDXSpot)
        EXPECT_TRUE(l->isHidden());

    // Back to the list.
    f.openSpotting();
    w.displayList->setChecked(true);
    w.doneButton->click();
    EXPECT_EQ(f.twips(m.txtCall), compressed);
    EXPECT_FALSE(f.form1().bandMapShown());
    EXPECT_FALSE(m.txtDX->isHidden());

    // "None": everything grows back and the display is parked.
    f.openSpotting();
    f.chooseType(w, "None");
    w.doneButton->click();
    EXPECT_TRUE(m.txtDX->isHidden());
    EXPECT_TRUE(m.lblDX->isHidden());
    EXPECT_NEAR(f.twips(m.txtCall).top(), call.top(), 1e-4);
    EXPECT_DOUBLE_EQ(f.twips(m.txtCall).top(), call.top() * 0.9 * 1.1111111);
    EXPECT_DOUBLE_EQ(f.twips(m.txtDX).top(), 1000);
    EXPECT_DOUBLE_EQ(f.twips(m.lblDXSpot[7]).top(), 1000);
    EXPECT_DOUBLE_EQ(m.LineDX->Y1(), 1000);

    // "None" again changes nothing.
    f.openSpotting();
    w.doneButton->click();
    EXPECT_DOUBLE_EQ(f.twips(m.txtCall).top(), call.top() * 0.9 * 1.1111111);
}

TEST(SpotDisplay, ALayoutWithoutRoomKeepsTheDisplayHiddenAndMovesNothing)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    // A control reaching far below the client area.
    QRectF low = f.twips(m.utcHeading);
    low.moveTop(50000);
    platform::setTwipGeometry(m.utcHeading, low);
    const QRectF call = f.twips(m.txtCall);
    connectedTnc(f);
    EXPECT_TRUE(m.lblDX->isHidden());
    EXPECT_TRUE(m.txtDX->isHidden());
    EXPECT_EQ(f.twips(m.txtCall), call);
    EXPECT_DOUBLE_EQ(f.twips(m.utcHeading).top(), 50000);
}

TEST(SpotDisplay, TwoHundredClusterLinesFillTheListAndTheBandMap)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    SpottingWindow& w = connectedTnc(f);
    const QString bands[] = {QStringLiteral("14025.0"), QStringLiteral("7012.5"), QStringLiteral("21074.0"),
                             QStringLiteral("14195.0"), QStringLiteral("10368100")};
    QString burst;
    for (int i = 0; i < 200; ++i) {
        const QString call = QStringLiteral("DL%1AB").arg(i);
        burst += tnc(clusterLine(QStringLiteral("W3LPL"), bands[i % 5], call, QStringLiteral("CQ %1").arg(i)));
        if (i % 50 == 49) {
            w.receiveTncText(burst);
            burst.clear();
        }
    }
    // A repeat inside the monitor's tail, a lower-case line, 8-bit text, a
    // line with a leading blank and one with letters for its frequency.
    const QString repeat = tnc(clusterLine(QStringLiteral("W3LPL"), bands[4], QStringLiteral("DL199AB"),
                                           QStringLiteral("CQ 199")));
    const QString lower = tnc(clusterLine(QStringLiteral("k1ttt"), QStringLiteral("14011.0"),
                                          QStringLiteral("ja1abc"), QStringLiteral("qsx up")).toLower());
    const QString eightBit = tnc(clusterLine(QStringLiteral("OH2BH"), QStringLiteral("14049.0"),
                                             QStringLiteral("OH0Z"), QStringLiteral("\u00c5land \u00e9t\u00e9")));
    const QString blank = QStringLiteral(" ") + tnc(clusterLine(QStringLiteral("X"), QStringLiteral("14030.0"),
                                                                  QStringLiteral("BLANK1")));
    const QString letters = tnc(clusterLine(QStringLiteral("X"), QStringLiteral("abc"), QStringLiteral("BAD1")));
    w.receiveTncText(repeat + lower + eightBit + blank + letters);
    QApplication::processEvents();

    auto* model = m.txtDX->model();
    // 200 spots and two more: the list keeps 200, newest first.
    EXPECT_EQ(model->rowCount(), 200);
    // The Status column holds data but takes no room; the others show.
    m.txtDX->show();
    QApplication::processEvents();
    for (int column = 0; column < 8; ++column)
        EXPECT_EQ(m.txtDX->header()->sectionSize(column) == 0, column == 3) << column;
    EXPECT_EQ(cell(m, 0, 0), QStringLiteral("OH0Z"));
    EXPECT_EQ(cell(m, 0, 1), QStringLiteral("14.049"));
    EXPECT_EQ(cell(m, 0, 2), QStringLiteral("Aland Islands"));
    EXPECT_EQ(cell(m, 1, 0), QStringLiteral("ja1abc"));
    EXPECT_EQ(cell(m, 1, 2), QString());  // a lower-case call finds no country
    EXPECT_EQ(cell(m, 2, 0), QStringLiteral("DL199AB"));
    EXPECT_EQ(cell(m, 2, 1), QStringLiteral("10368.1"));
    EXPECT_EQ(cell(m, 2, 2), QStringLiteral("Fed. Rep. of Germany"));
    EXPECT_EQ(cell(m, 2, 4), QStringLiteral("de W3LPL:  CQ 199"));
    EXPECT_EQ(cell(m, 3, 0), QStringLiteral("DL198AB"));
    EXPECT_EQ(cell(m, 3, 1), QStringLiteral("14.195"));

    // The leading blank and the letters never reached the store.
    const spots::SpotStore& store = f.spots->display.store();
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("OH0Z"));
    EXPECT_EQ(store.slot(47).SpotCall, QStringLiteral("DL199AB"));
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("BLANK1")));

    // The band map shows the 20 m spots, zoomed to them, in age colours.
    int shown = 0;
    for (int i = 0; i < 50; ++i) {
        QLabel* l = m.lblDXSpot[static_cast<std::size_t>(i)];
        if (l->isHidden())
            continue;
        ++shown;
        const float mhz = store.slot(i).SpotFrequency;
        EXPECT_GT(mhz, 14.0f);
        EXPECT_LT(mhz, 14.35f);
        EXPECT_EQ(l->palette().color(QPalette::WindowText), QColor(255, 255, 128));
    }
    EXPECT_EQ(shown, 2 + 9 + 10);
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("14.010"));
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("14.196"));
    EXPECT_EQ(m.lblDXSpot[49]->toolTip(), QStringLiteral("OH0Z  14.049  16:02:41"));
    EXPECT_EQ(m.lblDXSpot[49]->text(), QStringLiteral("OH0"));

    // An hour later the spots drop off at the next redraw.
    f.fx.fakes.clock.advanceMs(3600 * 1000);
    m.DisplayBandMapLabels();
    for (QLabel* l : m.lblDXSpot)
        EXPECT_TRUE(l->isHidden());
}

TEST(SpotDisplay, ABurstIsDrawnOnceAfterItsEvent)
{
    SpottingFixture f;
    SpottingWindow& w = connectedTnc(f);
    QString burst;
    for (int i = 0; i < 40; ++i)
        burst += tnc(clusterLine(QStringLiteral("W3LPL"), QStringLiteral("14%1.0").arg(100 + i),
                                 QStringLiteral("K%1AA").arg(i)));
    f.burstRedraws = 0;
    w.receiveTncText(burst);
    EXPECT_TRUE(f.main().lblDXSpot[49]->isHidden());  // not yet drawn
    QApplication::processEvents();
    EXPECT_EQ(f.burstRedraws, 1);
    EXPECT_FALSE(f.main().lblDXSpot[49]->isHidden());
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 40);
}

TEST(SpotDisplay, EachBurstLeavesTheNewest200RowsInTheListByItsEnd)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    SpottingWindow& w = connectedTnc(f, true);
    const auto burst = [](char tag, int count) {
        QString text;
        for (int i = 0; i < count; ++i)
            text += tnc(clusterLine(QStringLiteral("W3LPL"), QStringLiteral("14%1.0").arg(100 + i % 200),
                                    QStringLiteral("K%1%2").arg(i).arg(QChar::fromLatin1(tag))));
        return text;
    };
    const auto call = [](char tag, int i) { return QStringLiteral("K%1%2").arg(i).arg(QChar::fromLatin1(tag)); };
    // Rows are there when the burst's handler returns, before any event runs.
    w.receiveTncText(burst('A', 150));
    ASSERT_EQ(m.txtDX->model()->rowCount(), 150);
    w.receiveTncText(burst('B', 80));
    ASSERT_EQ(m.txtDX->model()->rowCount(), 200);
    EXPECT_EQ(cell(m, 0, 0), call('B', 79));
    EXPECT_EQ(cell(m, 79, 0), call('B', 0));
    EXPECT_EQ(cell(m, 80, 0), call('A', 149));
    EXPECT_EQ(cell(m, 199, 0), call('A', 30));
    // A burst longer than the list replaces it whole.
    w.receiveTncText(burst('C', 250));
    ASSERT_EQ(m.txtDX->model()->rowCount(), 200);
    EXPECT_EQ(cell(m, 0, 0), call('C', 249));
    EXPECT_EQ(cell(m, 0, 1), QStringLiteral("14.149"));
    EXPECT_EQ(cell(m, 199, 0), call('C', 50));
    EXPECT_EQ(cell(m, 199, 1), QStringLiteral("14.15"));
    QApplication::processEvents();
    EXPECT_EQ(m.txtDX->model()->rowCount(), 200);
    EXPECT_EQ(cell(m, 0, 0), call('C', 249));
}

TEST(SpotDisplay, TheTimerRedrawsTheBandMapOnThe361stTick)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    SpottingWindow& w = connectedTnc(f, true);
    // The test ticks by hand: a real tick on a slow machine would count too.
    w.pollTimer->stop();
    // Through the list to the band map, which lets the timer redraw it.
    f.openSpotting();
    w.displayBandMap->setChecked(true);
    w.doneButton->click();
    ASSERT_TRUE(f.form1().bandMapShown());
    // The ticks are driven by hand from here on.
    w.pollTimer->stop();
    w.receiveTncText(tnc(clusterLine(QStringLiteral("W3LPL"), QStringLiteral("14025.0"), QStringLiteral("JA1ABC"))));
    QApplication::processEvents();
    ASSERT_FALSE(m.lblDXSpot[49]->isHidden());
    EXPECT_EQ(w.LabelUpdateTimeCounter, 0);

    f.fx.fakes.clock.advanceMs(3600 * 1000);
    for (int i = 0; i < 360; ++i)
        w.onPollTick();
    EXPECT_FALSE(m.lblDXSpot[49]->isHidden());
    w.onPollTick();
    EXPECT_TRUE(m.lblDXSpot[49]->isHidden());
    EXPECT_EQ(w.LabelUpdateTimeCounter, 0);
}

TEST(SpotDisplay, TheTncPipelineDropsRepeatsAndHonoursListDxOnly)
{
    SpottingFixture f;
    SpottingWindow& w = connectedTnc(f, true);
    const QString spot = tnc(clusterLine(QStringLiteral("W3LPL"), QStringLiteral("14025.0"), QStringLiteral("JA1ABC")));
    w.receiveTncText(QStringLiteral("Welcome to the cluster\r\n") + spot + spot);
    EXPECT_EQ(w.monitorText().count(QStringLiteral("JA1ABC")), 1);
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("Welcome")));
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 1);

    w.listDxOnlyCheck->setChecked(true);
    w.receiveTncText(QStringLiteral("chatter line\r\n"));
    EXPECT_FALSE(w.monitorText().contains(QStringLiteral("chatter")));

    // After 800 characters of other text the same spot counts again.
    w.listDxOnlyCheck->setChecked(false);
    w.receiveTncText(QString(900, u'x') + QStringLiteral("\r\n") + spot);
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 2);
}

TEST(SpotDisplay, TheInStateWindowTakesTheDisplayToo)
{
    SpottingFixture f(false);
    MainWindowBase& m = f.main();
    SpottingWindow& w = connectedTnc(f, true);
    EXPECT_FALSE(m.txtDX->isHidden());
    EXPECT_GT(f.twips(m.txtDX).height(), 0);
    w.receiveTncText(tnc(clusterLine(QStringLiteral("W3LPL"), QStringLiteral("21074.0"), QStringLiteral("ZS6ABC"))));
    EXPECT_EQ(cell(m, 0, 0), QStringLiteral("ZS6ABC"));
    EXPECT_EQ(cell(m, 0, 2), QStringLiteral("South Africa"));
}

TEST(SpotDisplay, ABandChangeRescalesTheMap)
{
    SpottingFixture f;
    MainWindowBase& m = f.main();
    SpottingWindow& w = connectedTnc(f);
    w.receiveTncText(tnc(clusterLine(QStringLiteral("A"), QStringLiteral("7010.0"), QStringLiteral("G3AAA")))
                     + tnc(clusterLine(QStringLiteral("A"), QStringLiteral("7030.0"), QStringLiteral("G3BBB"))));
    QApplication::processEvents();
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("14.000"));
    m.onBand40Clicked();
    EXPECT_EQ(m.lblFreqSpot[0]->text(), QStringLiteral("7.009"));
    EXPECT_EQ(m.lblFreqSpot[4]->text(), QStringLiteral("7.031"));
    EXPECT_FALSE(m.lblDXSpot[49]->isHidden());
    EXPECT_FALSE(m.lblDXSpot[48]->isHidden());
}

// The rate graph, the county map and the county list, opened from the menus
// of both main windows as an operator opens them.

#include "app/main_windows.h"
#include "app/program_services.h"
#include "platform/controls.h"
#include "reports/county_map_window.h"
#include "reports/activity_graph_window.h"
#include "reports/county_map.h"
#include "reports/county_list_window.h"
#include "reports/views_install.h"

#include "../app/main_window_fixture.h"

#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QSet>
#include <QTimer>
#include <QTreeWidget>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QRgb White = qRgb(255, 255, 255);

/// A main window whose menus open the real views. Each view shown modally
/// goes to onModal in place of an event loop of its own.
struct ViewsFixture : ::testing::Test {
    MainWindowFixture m;
    app::ProgramServices services;
    app::MainWindows windows{m.fx.state};
    std::function<void(QDialog&)> onModal;
    int modalCount = 0;

    void SetUp() override { reports::installViews(services, m.fx.state, windows); }

    /// Writes log lines (call, county, date, time, band) and opens the window.
    MainWindowBase& open(bool outOfState, const std::vector<std::array<const char*, 5>>& contacts = {})
    {
        QByteArray bytes;
        int serial = 0;
        for (const auto& c : contacts) {
            ++serial;
            bytes += logLine(QString::fromLatin1(c[0]), QString::fromLatin1(c[1]), QString::number(serial),
                             QString::fromLatin1(c[2]), QString::fromLatin1(c[3]), QStringLiteral("CW"),
                             QString::fromLatin1(c[4]), QStringLiteral("1"));
        }
        writeBytes(m.fx.path(QStringLiteral("log.txt")), bytes);
        m.fx.state.prefs.OutOfStateFlag = outOfState ? 1 : 0;
        m.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        if (outOfState)
            m.window = std::make_unique<OutOfStateWindow>(m.fx.state, services);
        else
            m.window = std::make_unique<InStateWindow>(m.fx.state, services);
        m.window->runModal = [this](QDialog& d) {
            ++modalCount;
            if (onModal)
                onModal(d);
        };
        m.window->onLoad();
        m.window->show();
        return *m.window;
    }

    /// A log of n contacts, one every 45 s from 2021/10/02 16:00 UTC over
    /// three bands.
    static std::vector<std::array<const char*, 5>> contactsEvery45s(int n)
    {
        static std::vector<QByteArray> store;
        store.clear();
        store.reserve(static_cast<std::size_t>(2 * n));
        std::vector<std::array<const char*, 5>> out;
        static const char* const bands[] = {"20", "40", "15"};
        for (int i = 0; i < n; ++i) {
            const QDateTime t = QDateTime(QDate(2021, 10, 2), QTime(16, 0), Qt::UTC).addSecs(45 * i);
            store.push_back(t.toString(QStringLiteral("yyyy/MM/dd")).toLatin1());
            store.push_back(t.toString(QStringLiteral("hh:mm:ss")).toLatin1());
            out.push_back({"K6AA", "Alameda", store[store.size() - 2].constData(), store.back().constData(),
                           bands[i / 40 % 3]});
        }
        return out;
    }
};

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

QColor textColor(const QLabel* l) { return l->palette().color(QPalette::WindowText); }

}  // namespace

// ----- rate graph --------------------------------------------------------

TEST_F(ViewsFixture, GraphWithFewerThanSevenContactsSaysSoAndOpensBlank)
{
    for (const bool outOfState : {true, false}) {
        MainWindowBase& w = open(outOfState, contactsEvery45s(6));
        m.fx.fakes.prompt.clear();
        ActivityGraphWindow* shown = nullptr;
        onModal = [&](QDialog& d) {
            shown = dynamic_cast<ActivityGraphWindow*>(&d);
            ASSERT_NE(shown, nullptr);
            EXPECT_EQ(shown->lblTime[3]->text(), QStringLiteral("00:00"));
            EXPECT_EQ(shown->lblDate[3]->text(), QStringLiteral("MM/DD"));
            EXPECT_EQ(shown->lblY[16]->text(), QStringLiteral("0"));
            EXPECT_EQ(countColour(shown->image(), qRgb(0, 0, 255)), 0);
        };
        w.mnuGraph->trigger();
        EXPECT_NE(shown, nullptr);
        ASSERT_EQ(m.fx.fakes.prompt.shown().size(), 1U);
        EXPECT_EQ(m.fx.fakes.prompt.shown()[0].title, QStringLiteral("Not Enough Contacts to Graph."));
        EXPECT_EQ(m.fx.fakes.prompt.shown()[0].text,
                  QStringLiteral("The graph will not display with less than 7 contacts.  The graph becomes "
                                 "more meaningful as several hours of contest logging are accumulated."));
    }
}

TEST_F(ViewsFixture, GraphDrawsTheLogAndSwitchesBackground)
{
    MainWindowBase& w = open(false, contactsEvery45s(300));
    onModal = [&](QDialog& d) {
        auto& g = dynamic_cast<ActivityGraphWindow&>(d);
        EXPECT_EQ(g.windowTitle(), QStringLiteral(" Activity Graph - QSOs per Hour Rate   (# QSOs over 10 minutes X 6)"));
        EXPECT_EQ(g.lblTime[0]->text(), QStringLiteral("16:00"));
        EXPECT_EQ(g.lblDate[0]->text(), QStringLiteral("10/02"));
        EXPECT_EQ(g.lblTime[14]->text(), QStringLiteral("19:44"));
        // 13 or 14 contacts in every ten minutes: the top label is 84.0.
        EXPECT_EQ(g.lblY[16]->text(), QStringLiteral("84.0"));
        const QImage first = g.image();
        EXPECT_EQ(first.size(), g.size());
        EXPECT_GT(countColour(first, qRgb(0, 0, 255)), 300);  // the curve
        EXPECT_GT(countColour(first, qRgb(0, 255, 0)), 100);  // 20 m in the strip
        EXPECT_GT(countColour(first, qRgb(255, 0, 0)), 100);  // 40 m

        QTest::mouseClick(g.backgroundButton, Qt::LeftButton);
        EXPECT_EQ(g.backgroundButton->text(), QStringLiteral("White Background"));
        EXPECT_EQ(g.image().pixel(2, 2), White);
        EXPECT_EQ(textColor(g.lblTime[0]), QColor(Qt::black));
        EXPECT_EQ(textColor(g.lblY[5]), QColor(Qt::black));
        EXPECT_EQ(textColor(g.bandLabel), QColor(Qt::black));
        EXPECT_EQ(textColor(g.lblBnd[1]), QColor(0, 0, 255));  // the legend keeps its colours
        EXPECT_GT(countColour(g.image(), qRgb(0, 0, 255)), 300);

        QTest::mouseClick(g.backgroundButton, Qt::LeftButton);
        EXPECT_EQ(g.backgroundButton->text(), QStringLiteral("Black Background"));
        EXPECT_EQ(g.image(), first);
        EXPECT_EQ(textColor(g.lblDate[0]), QColor(Qt::white));
        // The grid is white now, never grey again.
        const QImage shot = g.grab().toImage();
        const QPoint onGrid = g.gridLines[7]->geometry().center();
        EXPECT_EQ(QColor(shot.pixel(onGrid)), QColor(Qt::white));
    };
    w.mnuGraph->trigger();
    EXPECT_EQ(modalCount, 1);
    EXPECT_TRUE(m.fx.fakes.prompt.shown().empty() ||
                !m.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Not Enough Contacts to Graph.")));
}

TEST_F(ViewsFixture, GraphFitsTheWorkArea)
{
    // A 1,280 by 1,024 screen with a 40-pixel taskbar.
    m.fx.fakes.screen.set({19200, 15360, QRectF(0, 0, 19200, 14760)});
    MainWindowBase& w = open(true, contactsEvery45s(20));
    onModal = [&](QDialog& d) {
        auto& g = dynamic_cast<ActivityGraphWindow&>(d);
        EXPECT_NEAR(g.width(), 1262, 1);  // 9,465 twips × 19,200 / 9,600
        EXPECT_NEAR(g.height(), 933, 1);  // 6,825 twips × 14,760 / 7,200
        EXPECT_NEAR(g.plotRightLine->X1(), 9240 * 2.0, 1);
        EXPECT_NEAR(g.plotBottomLine->Y1(), 5880 * 14760 / 7200.0, 1);
        EXPECT_EQ(g.image().size(), g.size());
    };
    w.mnuGraph->trigger();
    EXPECT_EQ(modalCount, 1);
}

// ----- county map -------------------------------------------------------

TEST_F(ViewsFixture, MapOfAnEmptyLogShowsTheHintAndStaysWhite)
{
    MainWindowBase& w = open(true);
    onModal = [&](QDialog& d) {
        auto& map = dynamic_cast<CountyMapWindow&>(d);
        EXPECT_EQ(map.windowTitle(), QStringLiteral(" Zivudaduri County Map"));
        EXPECT_FALSE(map.hintLabel->isHidden());
        EXPECT_EQ(map.hintLabel->text(), QStringLiteral("Counties will change color when worked."));
        map.onPaintTick();
        EXPECT_EQ(map.mapPicture->image, reports::countyMapPicture());
    };
    w.mnuMap->trigger();
    EXPECT_EQ(modalCount, 1);
}

TEST_F(ViewsFixture, MapPaintsTheCountiesWorkedFromBothWindows)
{
    const auto& rects = reports::countyRectangles();
    auto seedOf = [&](const char* name) {
        for (const auto& r : rects)
            if (QLatin1String(r.name) == QLatin1String(name))
                return reports::countySeed(r);
        return QPoint();
    };
    for (const bool outOfState : {true, false}) {
        modalCount = 0;
        // A county written in small letters still paints; a name that is no
        // county paints nothing and the painting goes on.
        MainWindowBase& w = open(outOfState, {{"K6AA", "los angeles", "2021/10/02", "16:00:00", "20"},
                                              {"K6AB", "Atlantis", "2021/10/02", "16:01:00", "20"},
                                              {"K6AC", "Butte", "2021/10/02", "16:02:00", "20"}});
        onModal = [&](QDialog& d) {
            auto& map = dynamic_cast<CountyMapWindow&>(d);
            EXPECT_TRUE(map.hintLabel->isHidden());
            EXPECT_EQ(map.mapPicture->image.pixel(seedOf("Los Angeles")), White);
            // The painting waits for the start timer, after the window shows.
            map.show();
            ASSERT_TRUE(QTest::qWaitFor([&] { return !map.paintTimer->isActive(); }, 2000));
            const QImage& img = map.mapPicture->image;
            for (const char* painted : {"Los Angeles", "Butte"}) {
                const QRgb c = img.pixel(seedOf(painted));
                EXPECT_NE(c, White) << painted;
                EXPECT_LE(std::max({qRed(c), qGreen(c), qBlue(c)}), 253) << painted;
            }
            for (const char* untouched : {"Orange", "Kern", "Modoc", "Glenn"})
                EXPECT_EQ(img.pixel(seedOf(untouched)), White) << untouched;
            // The painted picture is what the window shows.
            const QImage shot = map.mapPicture->grab().toImage();
            EXPECT_EQ(QColor(shot.pixel(seedOf("Butte"))), QColor(img.pixel(seedOf("Butte"))));
            map.hide();
        };
        w.mnuMap->trigger();
        EXPECT_EQ(modalCount, 1);
    }
}

TEST_F(ViewsFixture, MapPaintsEveryCountyInItsOwnColourWhateverTheTableLength)
{
    // A county table longer than the map's 58 rectangles and a log that
    // holds every county: all 58 painted, in colours of their own although
    // painted within one tick of the clock.
    std::vector<std::array<const char*, 5>> contacts;
    for (const auto& r : reports::countyRectangles())
        contacts.push_back({"K6AA", r.name, "2021/10/02", "16:00:00", "20"});
    contacts.push_back({"K6ZZ", "Atlantis", "2021/10/02", "16:00:00", "20"});
    m.fx.state.counties.rows.push_back({QStringLiteral("Atlantis"), QStringLiteral("ATLA")});
    MainWindowBase& w = open(true, contacts);
    onModal = [&](QDialog& d) {
        auto& map = dynamic_cast<CountyMapWindow&>(d);
        map.onPaintTick();
        QSet<QRgb> colours;
        for (const auto& r : reports::countyRectangles())
            colours.insert(map.mapPicture->image.pixel(reports::countySeed(r)));
        EXPECT_FALSE(colours.contains(White));
        EXPECT_GT(colours.size(), 50);
        EXPECT_FALSE(map.paintTimer->isActive());
    };
    w.mnuMap->trigger();
    EXPECT_EQ(modalCount, 1);
}

TEST_F(ViewsFixture, MapNamesTheCountyUnderTheMouse)
{
    MainWindowBase& w = open(true);
    onModal = [&](QDialog& d) {
        auto& map = dynamic_cast<CountyMapWindow&>(d);
        for (const auto& r : reports::countyRectangles()) {
            const QWidget* under = map.mapPicture->childAt(reports::countySeed(r));
            ASSERT_NE(under, nullptr) << r.name;
            if (under == map.hintLabel)
                continue;  // the hint lies over the desert while the log is empty
            EXPECT_FALSE(under->toolTip().isEmpty()) << r.name;
            EXPECT_TRUE(qobject_cast<const QLabel*>(under)->text().isEmpty());
        }
        const QWidget* la = map.mapPicture->childAt(reports::countySeed(reports::countyRectangles()[55]));
        EXPECT_EQ(la->toolTip(), QStringLiteral("Los Angeles"));
        EXPECT_EQ(map.mapPicture->childAt(QPoint(400, 20)), nullptr);  // outside every rectangle
    };
    w.mnuMap->trigger();
    EXPECT_EQ(modalCount, 1);
}

// ----- county list ------------------------------------------------------

TEST_F(ViewsFixture, CountyListClickFillsTheCountyBoxOfEitherWindow)
{
    for (const bool outOfState : {true, false}) {
        MainWindowBase& w = open(outOfState);
        if (!outOfState)
            w.txtCntry->setText(QStringLiteral("CA"));  // the county box takes input in-state
        onModal = [&](QDialog& d) {
            auto& list = dynamic_cast<CountyListWindow&>(d);
            EXPECT_EQ(list.windowTitle(), QStringLiteral("County List"));
            list.show();
            ASSERT_EQ(list.countyList->topLevelItemCount(), 58);
            EXPECT_EQ(list.countyList->headerItem()->text(0), QStringLiteral("County"));
            EXPECT_EQ(list.countyList->headerItem()->text(1), QStringLiteral("Abbreviation"));
            for (int i = 0; i < 58; ++i) {
                EXPECT_EQ(list.countyList->topLevelItem(i)->text(0), m.fx.state.counties.rows[static_cast<std::size_t>(i)].CountyName);
                EXPECT_FALSE(list.countyList->topLevelItem(i)->text(1).isEmpty());
            }
            const auto found = list.countyList->findItems(QStringLiteral("Los Angeles"), Qt::MatchExactly);
            ASSERT_EQ(found.size(), 1);
            list.countyList->scrollToItem(found[0]);
            QTest::mouseClick(list.countyList->viewport(), Qt::LeftButton, {},
                              list.countyList->visualItemRect(found[0]).center());
            EXPECT_FALSE(list.isVisible());
        };
        w.mnuCountyList->trigger();
        EXPECT_EQ(w.txtSec->text(), QStringLiteral("Los Angeles"));
    }
}

TEST_F(ViewsFixture, CountyListClosedOrClickedBesideTheRowsChangesNothing)
{
    MainWindowBase& w = open(true);
    w.txtSec->setText(QStringLiteral("Kern"));
    onModal = [&](QDialog& d) {
        d.show();
        d.close();
    };
    w.mnuCountyList->trigger();
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Kern"));

    m.fx.state.counties.rows.clear();
    onModal = [&](QDialog& d) {
        auto& list = dynamic_cast<CountyListWindow&>(d);
        list.show();
        EXPECT_EQ(list.countyList->topLevelItemCount(), 0);
        QTest::mouseClick(list.countyList->viewport(), Qt::LeftButton, {}, QPoint(20, 20));
        EXPECT_TRUE(list.isVisible());
        list.hide();
    };
    w.mnuCountyList->trigger();
    EXPECT_EQ(w.txtSec->text(), QStringLiteral("Kern"));
}

TEST_F(ViewsFixture, CountyListSitsASixthDownTheFreeHeight)
{
    MainWindowBase& w = open(true);
    onModal = [&](QDialog& d) {
        const QRectF g = platform::windowTwipGeometry(&d);
        EXPECT_NEAR(g.top(), (7200 - g.height()) / 6, 1);
        EXPECT_NEAR(g.left(), (9600 - g.width()) / 2, 1);
    };
    w.mnuCountyList->trigger();
    EXPECT_EQ(modalCount, 1);
}

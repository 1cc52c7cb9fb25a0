// Clicks on spots that wait while the program is busy (a CW character keyed
// with no events running, a log rewrite) while the cluster sends a spot.
// Once events run, the spot is stored (every slot moves down one place, its
// row goes on top of the list) before the click is handled, and the maps
// are redrawn only after it: the click must still act on the spot that was
// shown where the operator clicked. A spot taken in the last pass of events
// before the program went busy is drawn in that pass, so that the screen the
// operator clicks on is the one the click is handled against.

#include "clicks_fixture.h"
#include "line_server.h"
#include "platform/events.h"
#include "spots/spot_connection_kinds.h"

#include <QThread>
#include <QWindow>
#include <gtest/gtest.h>
#include <optional>

using namespace spots_testing;
using testing_support::waitUntil;

namespace {

QByteArray line(const char* kHz, const char* call)
{
    return clusterLine(QStringLiteral("W3LPL"), QString::fromLatin1(kHz), QString::fromLatin1(call)).toLatin1()
           + "\r\n";
}

/// What the spot list drew last, top to bottom: where each row stood and
/// its call. The operator aims at this, whatever the list holds since.
class DrawnRows : public QObject {
public:
    explicit DrawnRows(QTreeView* list) : QObject(list), m_list(list) { list->viewport()->installEventFilter(this); }

    /// The middle of the row drawn for call, in the list's viewport.
    [[nodiscard]] std::optional<QPoint> centreOf(const char* call) const
    {
        for (const auto& [rect, shown] : m_rows)
            if (shown == QLatin1String(call))
                return rect.center();
        return std::nullopt;
    }

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint) {
            m_rows.clear();
            for (QModelIndex i = m_list->indexAt(QPoint(0, 0)); i.isValid(); i = m_list->indexBelow(i))
                m_rows.emplace_back(m_list->visualRect(i), i.siblingAtColumn(0).data().toString());
        }
        return false;
    }

private:
    QTreeView* m_list;
    std::vector<std::pair<QRect, QString>> m_rows;
};

/// The spotting road with a telnet cluster on 127.0.0.1 and a rig interface
/// that records what it is asked to tune.
class ClusterFixture : public SpottingFixture {
public:
    explicit ClusterFixture(bool list)
    {
        // The rig interface lets events run while it waits for the rig.
        services.onChangeFrequency = [this](float& mhz) {
            tuned.push_back(mhz);
            platform::waitMsLettingEventsRun(20);
        };
        spots->connections = spots::makeSpotConnection;
        drawnRows = new DrawnRows(main().txtDX);
        writePackSpot(packSpot("Telnet", 0, list));
        SpottingWindow& w = openSpotting();
        w.telnetHostBox->setText(QStringLiteral("127.0.0.1"));
        w.telnetPortBox->setText(QString::number(server.port()));
        w.doneButton->click();
        connected = server.accept() != nullptr
                    && waitUntil([&w] { return w.connection(spots::ConnectionKind::Telnet).isOpen(); }, 5000);
        main().activateWindow();
        (void)QTest::qWaitForWindowActive(&main());
        main().txtCall->setFocus();
    }

    /// The cluster sends a spot and the program shows it.
    void spot(const char* call, const char* kHz)
    {
        const int rows = main().txtDX->model()->rowCount();
        server.write(line(kHz, call));
        (void)waitUntil([&] { return main().txtDX->model()->rowCount() > rows; }, 5000);
        QApplication::processEvents();
        if (main().txtDX->isVisible())
            main().txtDX->viewport()->repaint();
    }

    /// The cluster sends a spot while a CW character is keyed; the sender
    /// then lets events run once before it keys the next one.
    void spotBetweenCharacters(const char* call, const char* kHz)
    {
        server.write(line(kHz, call));
        QThread::msleep(30);
        platform::letPendingEventsRun();
    }

    /// While the program is held busy, the cluster sends a spot and the
    /// operator clicks; then events run once, as the CW sender lets them run
    /// between two characters. The click reaches the window as the window
    /// system hands it over: to whatever lies under the mouse at that point.
    void clickWhileBusy(QWidget* target, QPoint at, Qt::MouseButton button, bool twice, const char* call,
                        const char* kHz)
    {
        QWidget* window = target->window();
        const QPoint inWindow = target->mapTo(window, at);
        QTimer click;
        click.setSingleShot(true);
        click.setInterval(0);
        QObject::connect(&click, &QTimer::timeout, [&] {
            // The spot has been stored and the maps wait for their redraw.
            spotStoredBeforeClick = store().slot(spots::SpotStore::Newest).SpotCall == QLatin1String(call);
            if (twice)
                QTest::mouseDClick(window->windowHandle(), button, {}, inWindow);
            else
                QTest::mouseClick(window->windowHandle(), button, {}, inWindow);
        });
        click.start();
        server.write(line(kHz, call));
        QThread::msleep(30);  // the program is busy
        platform::letPendingEventsRun();
        (void)waitUntil([&] { return !click.isActive(); }, 5000);
        QApplication::processEvents();
    }

    [[nodiscard]] const spots::SpotStore& store() { return spots->display.store(); }

    /// The slot holding a call's live spot, -1 for none.
    int liveSlotOf(const char* call)
    {
        for (int i = 0; i < spots::SpotStore::Capacity; ++i)
            if (store().live(i) && store().slot(i).SpotCall == QLatin1String(call))
                return i;
        return -1;
    }

    LineServer server;
    DrawnRows* drawnRows = nullptr;
    bool connected = false;
    bool spotStoredBeforeClick = false;
    std::vector<float> tuned;
};

enum class Where { BandMap, SpectrumMap, SpotList, SpotListTwice };

struct BusyClickCase {
    const char* name;
    Where where;
    Qt::MouseButton button;
    const char* clicked;   ///< the call of the spot clicked
    float tunedMHz;        ///< 0: nothing tuned
    bool deleted;          ///< the clicked spot leaves the maps
    /// Just before the program goes busy, a 20 m spot arrives that widens
    /// the band map's scale: every label moves, every row of the list.
    bool rescaledJustBefore = false;
};

void PrintTo(const BusyClickCase& c, std::ostream* os) { *os << c.name; }

class ClickWhileBusy : public testing::TestWithParam<BusyClickCase> {};

/// The band-map or spectrum-map label that shows a call.
QLabel* labelOf(const std::array<QLabel*, 50>& labels, const char* call)
{
    for (QLabel* l : labels)
        if (!l->isHidden() && l->toolTip().startsWith(QLatin1String(call) + QLatin1String("  ")))
            return l;
    return nullptr;
}

}  // namespace

TEST_P(ClickWhileBusy, ActsOnTheSpotShownWhereTheOperatorClicked)
{
    const BusyClickCase& c = GetParam();
    ClusterFixture f(c.where == Where::SpotList || c.where == Where::SpotListTwice);
    ASSERT_TRUE(f.connected);
    MainWindowBase& m = f.main();
    // The list tunes only with a rig chosen; the maps ask the rig interface
    // whatever the rig type.
    f.fx.state.prefs.RigType = QStringLiteral("Kenwood");
    f.spot("DL1ABC", "14025.0");
    f.spot("JA1XYZ", "14049.0");
    f.spot("VK2DEF", "14037.0");
    std::vector<const char*> stay{"DL1ABC", "JA1XYZ", "VK2DEF", "W1NEW"};
    if (c.rescaledJustBefore) {
        f.spotBetweenCharacters("K9ZOOM", "14070.0");
        ASSERT_EQ(f.store().slot(spots::SpotStore::Newest).SpotCall, QStringLiteral("K9ZOOM"));
        stay.push_back("K9ZOOM");
    }

    int mapsOpened = 0;
    auto click = [&](QWidget* target, QPoint at) {
        ASSERT_NE(target, nullptr);
        // A 40 m spot arrives while the operator clicks on 20 m.
        f.clickWhileBusy(target, at, c.button, c.where == Where::SpotListTwice, "W1NEW", "7020.0");
        EXPECT_TRUE(f.spotStoredBeforeClick);
    };
    switch (c.where) {
    case Where::BandMap: {
        QLabel* label = labelOf(m.lblDXSpot, c.clicked);
        click(label, label ? label->rect().center() : QPoint());
        break;
    }
    case Where::SpectrumMap:
        m.runModal = [&](QDialog& d) {
            auto& map = dynamic_cast<spots::SpectrumMap&>(d);
            map.show();
            QApplication::processEvents();
            QLabel* label = labelOf(map.lblDXSpot, c.clicked);
            click(label, label ? label->rect().center() : QPoint());
            map.hide();
        };
        QTest::keyClick(m.txtCall, Qt::Key_B, Qt::ControlModifier);
        break;
    case Where::SpotList:
    case Where::SpotListTwice: {
        // A double-click opens the spectrum map after its first click has
        // tuned; its second click tunes again.
        m.runModal = [&](QDialog&) { ++mapsOpened; };
        const std::optional<QPoint> row = f.drawnRows->centreOf(c.clicked);
        ASSERT_TRUE(row.has_value());
        click(m.txtDX->viewport(), *row);
        break;
    }
    }

    EXPECT_EQ(m.txtCall->text(), c.tunedMHz > 0 ? QString::fromLatin1(c.clicked) : QString());
    const std::size_t tunes = c.tunedMHz > 0 ? (c.where == Where::SpotListTwice ? 2 : 1) : 0;
    EXPECT_EQ(f.tuned, std::vector<float>(tunes, c.tunedMHz));
    EXPECT_EQ(mapsOpened, c.where == Where::SpotListTwice ? 1 : 0);
    // The clicked spot goes from the maps or stays; every other spot stays.
    for (const char* call : stay)
        EXPECT_EQ(f.liveSlotOf(call) < 0, c.deleted && QLatin1String(call) == QLatin1String(c.clicked)) << call;
    EXPECT_EQ(f.store().slot(spots::SpotStore::Newest).SpotCall, QStringLiteral("W1NEW"));
}

INSTANTIATE_TEST_SUITE_P(
    Clicks, ClickWhileBusy,
    testing::Values(
        BusyClickCase{"BandMapRightClickOnTheNewest", Where::BandMap, Qt::RightButton, "VK2DEF", 14.037f, false},
        BusyClickCase{"BandMapRightClickOnAnOlder", Where::BandMap, Qt::RightButton, "DL1ABC", 14.025f, false},
        BusyClickCase{"BandMapLeftClickDeletes", Where::BandMap, Qt::LeftButton, "VK2DEF", 0, true},
        BusyClickCase{"BandMapRightClickAfterARescale", Where::BandMap, Qt::RightButton, "JA1XYZ", 14.049f, false,
                      true},
        BusyClickCase{"SpectrumMapRightClick", Where::SpectrumMap, Qt::RightButton, "VK2DEF", 14.037f, false},
        BusyClickCase{"SpectrumMapLeftClickDeletes", Where::SpectrumMap, Qt::LeftButton, "JA1XYZ", 0, true},
        BusyClickCase{"SpotListRowClick", Where::SpotList, Qt::LeftButton, "JA1XYZ", 14.049f, false},
        BusyClickCase{"SpotListRowClickAfterANewRow", Where::SpotList, Qt::LeftButton, "JA1XYZ", 14.049f, false,
                      true},
        BusyClickCase{"SpotListRowDoubleClick", Where::SpotListTwice, Qt::LeftButton, "VK2DEF", 14.037f, false}),
    [](const testing::TestParamInfo<BusyClickCase>& i) { return std::string(i.param.name); });

// Activation, the mouse over the window, closing and Exit of the main
// window, and the forwarding window created with it.

#include "app/forwarding_window.h"
#include "app/end_on_signal.h"
#include "app/main_windows.h"
#include "main_window_fixture.h"
#include "reports/rover_county_change_dialog.h"

#include <QDir>
#include <QListWidget>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

const QStringList UnloadOrder{
    QStringLiteral("unload:VoiceKeyerWindow"),      QStringLiteral("unload:CwWindow"),
    QStringLiteral("unload:VoiceNavigationWindow"),      QStringLiteral("unload:SpottingWindow"),
    QStringLiteral("unload:SpectrumMap"),   QStringLiteral("unload:RigInterfaceWindow"),
    QStringLiteral("unload:ForwardingWindow"),         QStringLiteral("unload:WinKeyWindow")};

struct ClosingFixture : MainWindowFixture {
    MainWindowBase& openWithRecordingForwardingWindow()
    {
        auto& w = open();
        w.setForwardingWindowUnload([this] { services.calls << QStringLiteral("unload:ForwardingWindow"); });
        return w;
    }
    QStringList backups() const
    {
        return QDir(fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP")).entryList(QDir::Files);
    }
    QString prefsPath() const { return fx.path(QStringLiteral("QSOpref.txt")); }
};

}  // namespace

TEST(MainWindowClosing, RefusedWhileThePortSenderKeysThenUnloadsEveryWindowInOrder)
{
    ClosingFixture f;
    auto& w = f.openWithRecordingForwardingWindow();
    auto& k = f.fx.state.keying;
    k.CWSendingFlag = 1;
    k.CWSendBuffer = QStringLiteral("CQ ZQP");
    EXPECT_FALSE(w.close());
    EXPECT_TRUE(w.isVisible());
    EXPECT_TRUE(k.CWSendBuffer.isEmpty());  // the message stops after its character
    EXPECT_TRUE(f.services.calls.isEmpty());
    EXPECT_EQ(f.programEnds, 0);

    k.CWSendingFlag = 0;  // the sender has finished its character
    EXPECT_TRUE(w.close());
    EXPECT_EQ(f.services.calls, UnloadOrder);
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_EQ(w.roverCountyWindow(), nullptr);  // out-of-state: never a rover window
}

TEST(MainWindowClosing, WinKeySendingNeverRefusesAndTheInStateWindowDropsItsRoverList)
{
    ClosingFixture f;
    f.fx.state.prefs.OutOfStateFlag = 0;
    f.fx.state.prefs.RoverFlag = 1;
    auto& w = f.openWithRecordingForwardingWindow();
    f.fx.state.keying.CWKeyingOption = 5;
    f.fx.state.keying.CWSendBuffer = QStringLiteral("TEST");
    RoverCountyWindow* rover = w.roverCountyWindow();
    ASSERT_NE(rover, nullptr);
    rover->window().countyList->addItem(QStringLiteral("Alpine"));
    EXPECT_TRUE(w.close());
    EXPECT_EQ(f.services.calls, UnloadOrder);
    EXPECT_FALSE(rover->loaded());
    EXPECT_TRUE(rover->counties().isEmpty());
    EXPECT_EQ(f.programEnds, 1);
}

TEST(MainWindowClosing, ChangedLogIsBackedUpUnderTheTimeAndAnUnchangedOneIsNot)
{
    {
        ClosingFixture f;
        writeBytes(f.fx.path(QStringLiteral("log.txt")),
                   logLine(QStringLiteral("K6AA"), QStringLiteral("Alameda"), QStringLiteral("1"),
                           QStringLiteral("2021/10/02"), QStringLiteral("16:00"), QStringLiteral("CW"),
                           QStringLiteral("20"), QStringLiteral("3")));
        auto& w = f.open();
        ASSERT_EQ(f.contacts(), 1);
        w.close();
        EXPECT_TRUE(f.backups().isEmpty());
    }
    {
        ClosingFixture f;
        auto& w = f.open();
        f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
        ASSERT_EQ(f.contacts(), 1);
        w.close();
        // Local 09:02 on 2 October 2021.
        EXPECT_EQ(f.backups(), QStringList{QStringLiteral("202110020902.log")});
        EXPECT_EQ(readBytes(f.fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP/202110020902.log")),
                  f.logBytes());
    }
}

TEST(MainWindowClosing, ARunningClockIsBankedOnceAndAStoppedOneWritesNothing)
{
    {
        ClosingFixture f;
        auto& w = f.open();
        QFile::remove(f.prefsPath());
        w.close();
        EXPECT_FALSE(QFile::exists(f.prefsPath()));
    }
    {
        ClosingFixture f;
        auto& w = f.open();
        f.fx.state.log.TimedOnFlag = 1;
        f.fx.state.log.OperatingSeconds = 4000;
        w.close();
        EXPECT_EQ(f.fx.state.log.TimedOnFlag, 0);
        app::AppState reread(f.fx.services);
        reread.folders = f.fx.state.folders;
        ASSERT_TRUE(app::readQSOPref(reread));
        EXPECT_FLOAT_EQ(reread.prefs.BankedOpSeconds, 4000);
    }
}

TEST(MainWindowClosing, ExitReleasesTheKeyingLinesBanksAndEndsWithoutTheClosing)
{
    ClosingFixture f;
    auto& w = f.openWithRecordingForwardingWindow();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    auto& k = f.fx.state.keying;
    k.CWSendingFlag = 1;  // a message is being keyed
    k.CWSendBuffer = QStringLiteral("TU 5NN");
    f.fx.state.log.TimedOnFlag = 1;
    f.fx.state.log.OperatingSeconds = 77;
    f.services.calls.clear();
    w.mnuExit->trigger();
    EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("release")});
    EXPECT_TRUE(k.CWSendBuffer.isEmpty());
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_TRUE(f.backups().isEmpty());
    EXPECT_FLOAT_EQ(f.fx.state.prefs.BankedOpSeconds, 77);
    EXPECT_EQ(f.fx.state.log.TimedOnFlag, 0);
}

TEST(MainWindowClosing, AnEndSignalReleasesTheLinesThenClosesWithoutRefusing)
{
    ClosingFixture f;
    auto& w = f.openWithRecordingForwardingWindow();
    f.logContact(QStringLiteral("K6ABC"), QStringLiteral("5"), QStringLiteral("alam"));
    auto& k = f.fx.state.keying;
    k.CWSendingFlag = 1;  // the operator's close would be refused now
    k.CWSendBuffer = QStringLiteral("TU 5NN");
    f.fx.state.log.TimedOnFlag = 1;
    f.fx.state.log.OperatingSeconds = 77;
    f.services.calls.clear();
    const std::size_t shown = f.fx.fakes.prompt.shown().size();
    app::endOnSignal(f.services, f.fx.state, &w);
    EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("release")} + UnloadOrder);
    EXPECT_TRUE(k.CWSendBuffer.isEmpty());
    EXPECT_EQ(f.programEnds, 1);
    EXPECT_EQ(f.backups().size(), 1);
    EXPECT_FLOAT_EQ(f.fx.state.prefs.BankedOpSeconds, 77);
    EXPECT_EQ(f.fx.fakes.prompt.shown().size(), shown) << "nobody is asked anything";
    // The window closes afterwards without running the closing again.
    EXPECT_TRUE(w.close());
    EXPECT_EQ(f.programEnds, 1);

    // Before a main window is open: the lines, then the end.
    ClosingFixture early;
    app::endOnSignal(early.services, early.fx.state, nullptr);
    EXPECT_EQ(early.services.calls, QStringList{QStringLiteral("release")});
    EXPECT_GE(early.programEnds, 1);
}

TEST(MainWindowActivation, RedrawsTheBandMapOnlyWhileItIsShown)
{
    ClosingFixture f;
    auto& w = f.open();
    QWidget other;
    auto reactivate = [&] {
        other.show();
        other.activateWindow();
        (void)QTest::qWaitForWindowActive(&other);
        w.activateWindow();
        (void)QTest::qWaitForWindowActive(&w);
    };
    f.services.calls.clear();
    reactivate();
    EXPECT_TRUE(f.services.calls.isEmpty());
    w.lblDX->show();
    reactivate();
    EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("DisplayBandMapLabels")});
}

TEST(MainWindowActivation, MouseOverTheSurfaceClearsThePossibleDuplicatesLine)
{
    ClosingFixture f;
    auto& w = f.open();
    QWidget* surface = w.centralWidget();
    QPoint empty(-1, -1);
    for (int y = 0; y < surface->height() && empty.x() < 0; y += 2)
        for (int x = 0; x < surface->width(); x += 2)
            if (!surface->childAt(QPoint(x, y))) {
                empty = QPoint(x, y);
                break;
            }
    ASSERT_GE(empty.x(), 0);

    w.lblDupe->setText(QStringLiteral("K6ABC 20 CW"));
    QTest::mouseMove(surface, w.firstMultiplierList->geometry().center());
    QTest::mouseMove(surface, w.lblDialog->geometry().center());
    QTest::mouseMove(surface, w.ownCallLabel->geometry().center());
    QTest::mouseMove(surface, w.lblRecentContacts->geometry().center());
    EXPECT_EQ(w.lblDupe->text(), QStringLiteral("K6ABC 20 CW"));
    QTest::mouseMove(surface, empty);
    EXPECT_TRUE(w.lblDupe->text().isEmpty());
}

TEST(MainWindows, TheForwardingWindowReachesTheOpenWindowUntilTheClosingUnloadsIt)
{
    for (int outOfState : {1, 0}) {
        MainWindowFixture f;
        f.fx.state.prefs.OutOfStateFlag = static_cast<quint8>(outOfState);
        app::MainWindows windows(f.fx.state);
        windows.setServices(f.services);
        EXPECT_EQ(windows.forwardingWindow(), nullptr);
        f.fx.fakes.prompt.answer(platform::MsgResult::Yes);
        windows.open();
        ASSERT_NE(windows.window(), nullptr);
        ForwardingWindow* form = windows.forwardingWindow();
        ASSERT_NE(form, nullptr);
        EXPECT_FALSE(form->isVisible());

        float frequency = 7.025f;
        QString mode = QStringLiteral("PH");
        form->BandFreqConversion(frequency);
        form->ModeSelection(mode);
        EXPECT_EQ(windows.window()->bandLabel->text(), QStringLiteral("40")) << outOfState;
        EXPECT_EQ(windows.window()->modeLabel->text(), QStringLiteral("PH"));
        EXPECT_EQ(f.fx.state.log.RigFrequencyText, QStringLiteral("7.025"));

        windows.window()->close();
        EXPECT_EQ(windows.forwardingWindow(), nullptr);
        EXPECT_EQ(f.programEnds, 1);
    }
}

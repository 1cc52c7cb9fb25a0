// CW keyed end to end through the serial layer on a pty: the port number
// points at a pty in the port table, and the modem-line calls the layer
// makes are watched (a pty has no modem lines of its own; the shim gives it
// some and records every call).

#include "cw_fixture.h"
#include "end_signal_child.h"

#include "keying/morse.h"
#include "support/modem_line_shim.h"
#include "support/pty_peer.h"

#include <gtest/gtest.h>

using testing_support::CwFixture;

namespace {

struct ShimOn {
    ShimOn() { modem_line_shim::enable(true); }
    ~ShimOn() { modem_line_shim::enable(false); }
};

/// The RTS or DTR levels set, in order, as 1 (down) and 0 (up).
std::vector<int> levels(int bit)
{
    std::vector<int> v;
    for (const auto& c : modem_line_shim::calls())
        if (c.bits & bit)
            v.push_back(c.set ? 1 : 0);
    return v;
}

/// The levels with repeats removed: the edges as the transmitter sees them.
std::vector<int> edges(const std::vector<int>& v)
{
    std::vector<int> e;
    for (int x : v)
        if (e.empty() || e.back() != x)
            e.push_back(x);
    return e;
}

}  // namespace

TEST(CwSerial, RtsKeysTheMessageOnThePortAndEndsUp)
{
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    ShimOn shim;
    CwFixture f;
    testing_support::pointSerialPortAt(3, peer.devicePath());
    f.open();
    CWFrm& cw = f.cw();
    cw.Option1->click();
    cw.Text10->setText(QStringLiteral("3"));
    cw.Text1to9[0]->setText(QStringLiteral("TE"));
    f.key(Qt::Key_F1);
    EXPECT_TRUE(cw.portOpen());
    EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 0);
    // Opened with both lines down, then T and E on RTS; DTR never raised.
    const std::vector<int> rts = edges(levels(TIOCM_RTS));
    EXPECT_EQ(rts, (std::vector<int>{0, 1, 0, 1, 0}));
    for (int level : levels(TIOCM_DTR))
        EXPECT_EQ(level, 0);
    // The recorder of the hardware layer saw the same edges with their times.
    std::vector<std::int64_t> downs, ups;
    for (const auto& e : f.recorder.events()) {
        if (e.kind == platform::LineEvent::Kind::Rts)
            (e.value ? downs : ups).push_back(e.monotonicNs);
    }
    ASSERT_EQ(downs.size(), 2u);
    const double unit = keying::unitMs(99);
    const auto firstUp = std::find_if(ups.begin(), ups.end(), [&](std::int64_t t) { return t > downs[0]; });
    ASSERT_NE(firstUp, ups.end());
    // How exactly the dash is timed is the benchmark's business; a loaded
    // machine may hold the thread up between edges. Here it must at least
    // be keyed as a dash, longer than any dot.
    EXPECT_GE(static_cast<double>(*firstUp - downs[0]) / 1e6, 1.5 * unit) << "T is a dash";

    // Closing the main window's keyers lets go of the port with the line up.
    f.keyer->unload();
    EXPECT_EQ(edges(levels(TIOCM_RTS)).back(), 0);
}

TEST(CwSerial, DtrKeysAndEscLeavesTheLineUp)
{
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    ShimOn shim;
    CwFixture f;
    testing_support::pointSerialPortAt(2, peer.devicePath());
    f.open();
    CWFrm& cw = f.cw();
    cw.Option2->click();
    cw.Text10->setText(QStringLiteral("2"));
    cw.Text1to9[0]->setText(QStringLiteral("EEEE"));
    f.postKey(Qt::Key_Escape);
    f.key(Qt::Key_F1);
    EXPECT_EQ(edges(levels(TIOCM_DTR)), (std::vector<int>{0, 1, 0}));
    EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);
}

TEST(CwSerial, AnotherKeyerTakingThePortClosesTheCwPort)
{
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    ShimOn shim;
    CwFixture f;
    testing_support::pointSerialPortAt(4, peer.devicePath());
    CWFrm& cw = f.cw();
    cw.Option1->click();
    cw.Text10->setText(QStringLiteral("4"));
    cw.CWSetup();
    ASSERT_TRUE(cw.portOpen());
    f.fx.state.keying.closePort.cwKeyingPort();
    EXPECT_FALSE(cw.portOpen());
    EXPECT_FALSE(f.fx.state.hardware.serial(4).isOpen());
}

// The child's part of the test below: keys "0" (five dashes, 3.6 s of
// key-down at 5 WPM) on RTS or the parallel port until the signal comes.
TEST(CwSerial, DISABLED_EndSignalChildKeysDashes)
{
    const QByteArray mode = testing_support::endSignalChildMode();
    if (mode.isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    ShimOn shim;
    CwFixture f;
    testing_support::pointSerialPortAt(3, peer.devicePath());
    bool ended = false;
    f.fx.state.endProgram = [&ended] { ended = true; };
    f.open();
    // A contact logged in this run: the closing makes a backup copy.
    f.type(QStringLiteral("K6ABC"));
    f.key(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.key(Qt::Key_Space);
    f.type(QStringLiteral("alam"));
    f.key(Qt::Key_Return);
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    app::endProgramOnSignals(endSignals, f.services, f.fx.state, [&f] { return f.window.get(); });
    CWFrm& cw = f.cw();
    if (mode == "rts") {
        cw.Option1->click();
        cw.Text10->setText(QStringLiteral("3"));
    } else {
        cw.Option3->click();
    }
    cw.Text11->setText(QStringLiteral("5"));
    cw.Text1to9[0]->setText(QStringLiteral("0"));
    f.window->txtCall->setFocus();
    testing_support::printReady();
    f.key(Qt::Key_F1);
    if (!QTest::qWaitFor([&ended] { return ended; }, 20000))
        std::printf("ZQP NOT ENDED\n");
    testing_support::printOutcome(f.recorder, ended,
                                  f.fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP"));
}

TEST(CwSerial, AnEndSignalInTheMiddleOfADashLetsTheKeyUpAndEndsTheProgramAsClosingDoes)
{
    using platform::LineEvent;
    struct Case {
        const char* mode;
        LineEvent::Kind kind;
        int down, up;
    };
    for (const Case& c : {Case{"rts", LineEvent::Kind::Rts, 1, 0},
                          Case{"parallel", LineEvent::Kind::ParallelControl, 3, 2}}) {
        // 300 ms into the first dash, which lasts 720 ms.
        const auto run = testing_support::runChildAndSignal(QStringLiteral("CwSerial.DISABLED_EndSignalChildKeysDashes"),
                                                            c.mode, SIGTERM, 300);
        ASSERT_TRUE(run.ready) << run.output.toStdString();
        EXPECT_TRUE(run.exitedNormally) << c.mode << run.output.toStdString();
        EXPECT_EQ(run.exitCode, 0) << c.mode;
        EXPECT_TRUE(run.ended) << c.mode;
        EXPECT_EQ(run.backups, 1) << c.mode;
        const auto line = run.of(c.kind);
        const auto atSignal = std::find_if(line.begin(), line.end(),
                                           [&](const LineEvent& e) { return e.monotonicNs > run.signalNs; });
        ASSERT_NE(atSignal, line.begin()) << c.mode;
        ASSERT_NE(atSignal, line.end()) << c.mode << ": nothing after the signal";
        EXPECT_EQ(std::prev(atSignal)->value, c.down) << c.mode << ": keyed when the signal came";
        // Up within a moment, not at the dash's end; nothing keyed after.
        EXPECT_EQ(atSignal->value, c.up) << c.mode;
        EXPECT_LT(static_cast<double>(atSignal->monotonicNs - run.signalNs) / 1e6, 100) << c.mode;
        for (auto e = atSignal; e != line.end(); ++e)
            EXPECT_EQ(e->value, c.up) << c.mode;
    }
}

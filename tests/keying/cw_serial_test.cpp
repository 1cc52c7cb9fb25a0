// CW keyed end to end through the serial layer on a pty: the port number
// points at a pty in the port table, and the modem-line calls the layer
// makes are watched (a pty has no modem lines of its own; the shim gives it
// some and records every call).

#include "cw_fixture.h"

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

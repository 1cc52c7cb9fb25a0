// The TNC connection against a pty emulator of a packet TNC: Ctrl+C (the
// command-mode character) gives its "cmd:" prompt, "C CALL" connects, and
// the cluster's lines then come through with whatever line ends the TNC
// uses.

#include "spotting_fixture.h"
#include "spots/spot_connection_kinds.h"
#include "support/pty_peer.h"

#include <gtest/gtest.h>
#include <mutex>

using namespace spots_testing;
using testing_support::waitUntil;

namespace {

class TncEmulator {
public:
    QString devicePath() const { return m_pty.devicePath(); }
    testing_support::PtyEmulator& pty() { return m_pty; }

private:
    void onBytes(testing_support::PtyEmulator& pty, const QByteArray& bytes)
    {
        for (const char c : bytes) {
            if (c == 0x03) {
                m_command = true;
                m_line.clear();
                pty.send("\r\ncmd:");
            } else if (c == '\r') {
                if (m_command && m_line.startsWith("C ")) {
                    m_command = false;
                    pty.send("*** CONNECTED to " + m_line.mid(2) + "\r\n");
                }
                m_line.clear();
            } else {
                m_line += c;
            }
        }
    }
    bool m_command = false;
    QByteArray m_line;
    testing_support::PtyEmulator m_pty{[this](auto& pty, const QByteArray& b) { onBytes(pty, b); }};
};

QByteArray line(const char* kHz, const char* call)
{
    return clusterLine(QStringLiteral("W3LPL"), QString::fromLatin1(kHz), QString::fromLatin1(call)).toLatin1();
}

/// Ticks the window's timer until condition() holds, at most 5 s.
bool tickUntil(SpottingWindow& w, const std::function<bool()>& condition)
{
    return waitUntil(
        [&] {
            w.onPollTick();
            return condition();
        },
        5000);
}

}  // namespace

TEST(TncConnection, OpensAtLoadTakesCommandsAndCutsEveryKindOfLineEnd)
{
    TncEmulator tnc;
    ASSERT_TRUE(tnc.pty().isOk());
    SpottingFixture f;
    f.spots->connections = spots::makeSpotConnection;
    testing_support::pointSerialPortAt(1, tnc.devicePath());
    f.writePackSpot(packSpot("TNC", 1));
    SpottingWindow& w = f.openSpotting();
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n** TNC Serial Port Open **\r\n\r\n"));
    EXPECT_TRUE(w.listening());
    EXPECT_TRUE(w.pollTimer->isActive());
    EXPECT_TRUE(w.connection(spots::ConnectionKind::Tnc).isOpen());

    // Esc sends the command character (03); the typed command goes with a CR.
    QTest::keyClick(w.sendBox, Qt::Key_Escape);
    EXPECT_TRUE(tnc.pty().waitForReceived([](const QByteArray& b) { return b == "\x03"; }, 5000));
    QTest::keyClicks(w.sendBox, QStringLiteral("C DXC"));
    QTest::keyClick(w.sendBox, Qt::Key_Return);
    EXPECT_TRUE(tnc.pty().waitForReceived([](const QByteArray& b) { return b.endsWith("C DXC\r"); }, 5000));
    ASSERT_TRUE(tickUntil(w, [&] { return w.monitorText().contains(QStringLiteral("*** CONNECTED to DXC")); }));
    EXPECT_TRUE(w.monitorText().contains(QStringLiteral("cmd:*** CONNECTED to DXC\r\n")));

    // CR LF, LF CR and CR-only lines are all whole lines; a repeat within
    // the monitor's tail is dropped; a line split over two reads is joined.
    const QByteArray split = line("7012.5", "VK2AB") + "\r";
    tnc.pty().send(line("14025.0", "JA1ABC") + "\r\n" + line("21074.0", "ZS6ABC") + "\n\r" + line("3525.0", "OH2BH")
                   + "\r" + line("3525.0", "OH2BH") + "\r" + split.left(20));
    ASSERT_TRUE(tickUntil(w, [&] { return f.main().txtDX->model()->rowCount() == 3; }));
    tnc.pty().send(split.mid(20));
    ASSERT_TRUE(tickUntil(w, [&] { return f.main().txtDX->model()->rowCount() == 4; }));
    const spots::SpotStore& store = f.spots->display.store();
    EXPECT_EQ(store.slot(46).SpotCall, QStringLiteral("JA1ABC"));
    EXPECT_EQ(store.slot(47).SpotCall, QStringLiteral("ZS6ABC"));
    EXPECT_EQ(store.slot(48).SpotCall, QStringLiteral("OH2BH"));
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("VK2AB"));
    EXPECT_EQ(w.monitorText().count(QStringLiteral("OH2BH")), 1);
    EXPECT_TRUE(w.monitorText().endsWith(QString::fromLatin1(line("7012.5", "VK2AB")) + QStringLiteral("\r\n")));

    // A keying port box set to the TNC's port is told who holds it.
    platform::SerialLink& held = f.fx.state.hardware.serial(1);
    EXPECT_FALSE(held.open(1, {}));
    EXPECT_EQ(held.errorText(), QStringLiteral("Serial port 1 is in use by the spotting window's TNC."));

    // Close Port closes the port; the send box then sends nothing.
    w.closePortButton->click();
    EXPECT_FALSE(w.connection(spots::ConnectionKind::Tnc).isOpen());
    EXPECT_FALSE(w.pollTimer->isActive());
}

TEST(TncConnection, APortTheTableDoesNotNameFailsWithTheMessage)
{
    SpottingFixture f;
    f.spots->connections = spots::makeSpotConnection;
    f.writePackSpot(packSpot("TNC", 7));
    SpottingWindow& w = f.openSpotting();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Invalid Comm Settings.")));
    EXPECT_EQ(w.monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n** Unable to open TNC Serial Port "
                                              "**\r\n\r\n\r\n\r\n** Port Closed **"));
    EXPECT_FALSE(w.listening());
    EXPECT_FALSE(w.pollTimer->isActive());
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);
}

TEST(TncConnection, APowerLineThePortCannotSetIsNamedInTheMonitor)
{
    // A pty has no modem lines: whichever line powers the TNC fails, and
    // the monitor names that line.
    for (const char* line : {"RTS", "DTR"}) {
        TncEmulator tnc;
        ASSERT_TRUE(tnc.pty().isOk());
        SpottingFixture f;
        f.spots->connections = spots::makeSpotConnection;
        testing_support::pointSerialPortAt(1, tnc.devicePath());
        QByteArray settings = packSpot("TNC", 1);
        const QByteArray power = "1\r\n\"N\"";
        settings.replace(settings.indexOf(power), power.size(), "1\r\n\"" + QByteArray(line, 1) + '"');
        f.writePackSpot(settings);
        SpottingWindow& w = f.openSpotting();
        EXPECT_TRUE(w.monitorText().contains(QStringLiteral("** Cannot set %1 on ").arg(QLatin1String(line))))
            << w.monitorText().toStdString();
    }
}

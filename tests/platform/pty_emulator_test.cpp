// The test peer every device emulator builds on: pacing, silence and the
// record of what the program sent.
#include "platform/events.h"
#include "platform/line_recorder.h"
#include "platform/serial_link.h"
#include "support/pty_peer.h"

#include <gtest/gtest.h>

using platform::SerialLink;
using testing_support::PtyEmulator;

namespace {

TEST(PtyEmulatorTest, PacedBytesTakeTheirCharacterTimes)
{
    PtyEmulator emu;
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    const auto start = platform::monotonicNs();
    emu.sendPaced("0123456789", 1200);  // 10 bits a byte: 8.33 ms each
    ASSERT_TRUE(link.waitForBytes(10, 2000));
    const double elapsedMs = static_cast<double>(platform::monotonicNs() - start) / 1e6;
    EXPECT_GE(elapsedMs, 9 * 8.3);  // the first byte goes at once
    EXPECT_EQ(link.readAll(), "0123456789");
}

TEST(PtyEmulatorTest, ASilentDeviceRecordsButNeverAnswers)
{
    int calls = 0;
    PtyEmulator emu([&calls](PtyEmulator& pty, const QByteArray&) {
        ++calls;
        pty.send("R");
    });
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    emu.setSilent(true);
    ASSERT_TRUE(link.write("a"));
    ASSERT_TRUE(emu.waitForReceivedCount(1, 1000));
    emu.send("queued while silent");
    EXPECT_TRUE(emu.waitUntilSent(1000));
    EXPECT_FALSE(link.waitForBytes(1, 50));
    EXPECT_EQ(calls, 0);

    emu.setSilent(false);
    ASSERT_TRUE(link.write("b"));
    EXPECT_TRUE(link.waitForBytes(1, 1000));
    EXPECT_EQ(link.readAll(), "R");
    EXPECT_EQ(calls, 1);

    platform::waitMs(5);
    ASSERT_TRUE(link.write("c"));
    ASSERT_TRUE(emu.waitForReceived([](const QByteArray& r) { return r == "abc"; }, 1000));
    const auto chunks = emu.receivedChunks();
    ASSERT_EQ(chunks.size(), 3u);
    EXPECT_EQ(chunks[2].bytes, "c");
    EXPECT_LT(chunks[1].monotonicNs, chunks[2].monotonicNs);
    emu.clearReceived();
    EXPECT_TRUE(emu.received().isEmpty());
}

TEST(PtyEmulatorTest, APeerWithoutAThreadReadsAndWrites)
{
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    SerialLink link;
    ASSERT_TRUE(link.openDevice(peer.devicePath(), {}));
    ASSERT_TRUE(link.write("ping"));
    EXPECT_EQ(peer.read(1000, 4), "ping");
    ASSERT_TRUE(peer.write("pong"));
    EXPECT_TRUE(link.waitForBytes(4, 1000));
    EXPECT_EQ(link.readAll(), "pong");
    EXPECT_TRUE(peer.read(20).isEmpty());
}

}  // namespace

// The serial link against a pty whose far side is an emulator thread.
#include "platform/events.h"
#include "platform/hardware.h"
#include "platform/serial_link.h"
#include "platform/serial_termios.h"
#include "support/pty_peer.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <asm/termbits.h>
#include <fcntl.h>
#include <stdlib.h>
#include <gtest/gtest.h>
#include <sys/ioctl.h>
#include <unistd.h>

using platform::LineEvent;
using platform::LineRecorder;
using platform::SerialLink;
using platform::SerialSettings;
using testing_support::PtyEmulator;
using testing_support::waitUntil;

namespace {

// A program folder of its own as the current directory, for serialports.txt.
class SerialLinkTest : public ::testing::Test {
protected:
    SerialLinkTest() : m_previous(QDir::currentPath()) { QDir::setCurrent(m_dir.path()); }
    ~SerialLinkTest() override { QDir::setCurrent(m_previous); }

    // Reads from the link, letting events run, until want bytes came.
    QByteArray readUntil(SerialLink& link, qsizetype want, int timeoutMs = 2000)
    {
        QByteArray got;
        waitUntil(
            [&] {
                got += link.readAll();
                return got.size() >= want;
            },
            timeoutMs);
        return got;
    }

    QTemporaryDir m_dir;
    QString m_previous;
    LineRecorder recorder;
};

TEST_F(SerialLinkTest, OpensThroughThePortTableAndCarriesBytesBothWays)
{
    PtyEmulator emu([](PtyEmulator& pty, const QByteArray& bytes) {
        if (bytes.contains("FA;"))
            pty.send("FA00014025000;");
    });
    testing_support::pointSerialPortAt(3, emu.devicePath());
    SerialLink link;
    link.setRecorder(&recorder);
    int readyReads = 0;
    QObject::connect(&link, &SerialLink::readyRead, [&] { ++readyReads; });

    ASSERT_TRUE(link.open(3, {})) << link.errorText().toStdString();
    EXPECT_EQ(link.portNumber(), 3);
    EXPECT_EQ(link.devicePath(), emu.devicePath());
    ASSERT_TRUE(link.write("FA;"));
    EXPECT_TRUE(emu.waitForReceived([](const QByteArray& r) { return r == "FA;"; }, 2000));

    QByteArray got;
    QObject::connect(&link, &SerialLink::readyRead, [&] { got += link.readAll(); });
    EXPECT_TRUE(waitUntil([&] { return got == "FA00014025000;"; }, 2000)) << got.toStdString();
    EXPECT_GE(readyReads, 1);

    const auto written = testing_support::lineEvents(recorder, LineEvent::Kind::Written);
    ASSERT_EQ(written.size(), 1u);
    EXPECT_EQ(written[0].bytes, "FA;");
    EXPECT_EQ(testing_support::lineEvents(recorder, LineEvent::Kind::Opened).size(), 1u);
}

TEST_F(SerialLinkTest, APortTheTableDoesNotNameIsNeverOpened)
{
    PtyEmulator emu;
    testing_support::writeBytes(QStringLiteral("serialports.txt"),
                                "# rig\n1=" + emu.devicePath().toLocal8Bit() + "\nx=/dev/ttyS0\n 2 = \n");
    for (int port : {2, 4, 0}) {
        SerialLink link;
        link.setRecorder(&recorder);
        EXPECT_FALSE(link.open(port, {}));
        EXPECT_FALSE(link.isOpen());
        EXPECT_TRUE(link.errorText().contains(QStringLiteral("Serial port %1 is not set up in serialports.txt").arg(port)))
            << link.errorText().toStdString();
    }
    EXPECT_TRUE(recorder.events().empty());

    // Without the file nothing is named at all.
    QFile::remove(QStringLiteral("serialports.txt"));
    SerialLink link;
    EXPECT_FALSE(link.open(1, {}));

    // A table given by the program takes the place of the file.
    platform::SerialPortTable table;
    table.set(7, emu.devicePath());
    link.setPortTable(table);
    EXPECT_TRUE(link.open(7, {})) << link.errorText().toStdString();
}

TEST_F(SerialLinkTest, AReplySplitOverTwoWritesArrivesWhole)
{
    PtyEmulator emu;
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    QByteArray got;
    QObject::connect(&link, &SerialLink::readyRead, [&] { got += link.readAll(); });
    emu.send("IF000140");
    EXPECT_TRUE(waitUntil([&] { return got == "IF000140"; }, 2000));
    emu.send("25000;");
    EXPECT_TRUE(waitUntil([&] { return got == "IF00014025000;"; }, 2000)) << got.toStdString();
}

TEST_F(SerialLinkTest, AReaderMayCloseAndReopenTheLinkInsideReadyRead)
{
    PtyEmulator emu;
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    int reopened = 0;
    QObject::connect(&link, &SerialLink::readyRead, [&] {
        (void)link.readAll();
        link.close();
        if (++reopened == 1)
            EXPECT_TRUE(link.openDevice(emu.devicePath(), {}));
    });
    emu.send("x");
    EXPECT_TRUE(waitUntil([&] { return reopened == 1; }, 2000));
    emu.send("y");
    EXPECT_TRUE(waitUntil([&] { return reopened == 2; }, 2000));
    EXPECT_FALSE(link.isOpen());
}

TEST_F(SerialLinkTest, TheEmulatorAnswersWhileTheProgramWaitsWithoutEvents)
{
    PtyEmulator emu([](PtyEmulator& pty, const QByteArray& bytes) {
        if (bytes.endsWith('\r'))
            pty.sendPaced("OK\r", 9600);
    });
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    int readyReads = 0;
    QObject::connect(&link, &SerialLink::readyRead, [&] { ++readyReads; });

    ASSERT_TRUE(link.write("ID\r"));
    platform::waitMs(100);
    EXPECT_EQ(link.readAll(), "OK\r");  // read straight from the descriptor
    EXPECT_EQ(readyReads, 0);           // no event ran meanwhile

    ASSERT_TRUE(link.write("ID\r"));
    EXPECT_TRUE(link.waitForBytes(3, 2000));
    EXPECT_EQ(link.readAll(), "OK\r");
    EXPECT_FALSE(link.waitForBytes(1, 30));  // nothing more comes: bounded
}

TEST_F(SerialLinkTest, ModemLinesOnAPtyFailOnceAndAreRecordedWithTheirTimes)
{
    PtyEmulator emu;
    SerialLink link;
    link.setRecorder(&recorder);
    SerialSettings settings;
    settings.dtrOn = true;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), settings));
    const QString firstError = link.lineErrorText();
    EXPECT_FALSE(firstError.isEmpty());  // lowering the lines at open already failed

    EXPECT_FALSE(link.setRts(true));
    EXPECT_FALSE(link.setDtr(false));
    EXPECT_FALSE(link.setDtr(true));
    EXPECT_EQ(link.lineErrorText(), firstError);
    EXPECT_TRUE(link.dtr());
    EXPECT_TRUE(link.rts());
    link.close();
    EXPECT_FALSE(link.isOpen());

    using K = LineEvent::Kind;
    const std::vector<std::pair<K, int>> expected = {{K::Opened, 1}, {K::Dtr, 0}, {K::Rts, 0}, {K::Dtr, 1},
                                                     {K::Rts, 1},    {K::Dtr, 0}, {K::Dtr, 1}, {K::Dtr, 0},
                                                     {K::Rts, 0},    {K::Closed, 0}};
    const auto& events = recorder.events();
    ASSERT_EQ(events.size(), expected.size());
    for (size_t i = 0; i < events.size(); ++i) {
        EXPECT_EQ(events[i].kind, expected[i].first) << i;
        EXPECT_EQ(events[i].value, expected[i].second) << i;
        EXPECT_EQ(events[i].device, emu.devicePath());
        if (i > 0)
            EXPECT_GE(events[i].monotonicNs, events[i - 1].monotonicNs) << i;
    }
    EXPECT_GT(events.back().monotonicNs, events.front().monotonicNs);

    // A new open reports its own first failure again.
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    EXPECT_FALSE(link.lineErrorText().isEmpty());
}

TEST_F(SerialLinkTest, SettingsReachTheTtyIncludingCustomBaudRates)
{
    PtyEmulator emu;
    struct Case {
        SerialSettings settings;
        tcflag_t cflagSet, cflagClear, iflagSet;
    };
    const Case cases[] = {
        {{14400, 8, 'N', 1, false, false}, CS8, PARENB | CSTOPB | CRTSCTS | CMSPAR, 0},
        {{28800, 7, 'E', 2, false, false}, CS7 | PARENB | CSTOPB, PARODD | CMSPAR | CRTSCTS, 0},
        {{56000, 8, 'O', 1.5, true, true}, CS8 | PARENB | PARODD | CSTOPB | CRTSCTS, CMSPAR, IXON | IXOFF},
        {{1200, 5, 'M', 1, false, false}, CS5 | PARENB | PARODD | CMSPAR, CSTOPB | CRTSCTS, 0},
        {{4800, 6, 'S', 2, false, true}, CS6 | PARENB | CMSPAR | CSTOPB, PARODD | CRTSCTS, IXON | IXOFF},
    };
    for (const Case& c : cases) {
        const int baud = c.settings.baudRate;
        // Every flag, as computed: a pty keeps neither the size nor parity.
        const auto flags = platform::detail::termiosFlags(c.settings, {ICRNL | IXANY, OPOST, CSIZE | HUPCL, ICANON | ECHO});
        EXPECT_EQ(flags.cflag & (CSIZE | c.cflagSet), c.cflagSet) << baud;
        EXPECT_EQ(flags.cflag & c.cflagClear, 0u) << baud;
        EXPECT_EQ(flags.cflag & (CBAUD | CREAD | CLOCAL | HUPCL), BOTHER | CREAD | CLOCAL | HUPCL) << baud;
        EXPECT_EQ(flags.iflag, c.iflagSet) << baud;
        EXPECT_EQ(flags.oflag, 0u);
        EXPECT_EQ(flags.lflag, 0u);

        // What the tty took: any baud rate, stop bits, flow control, raw.
        SerialLink link;
        ASSERT_TRUE(link.openDevice(emu.devicePath(), c.settings)) << link.errorText().toStdString();
        const int fd = ::open(emu.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
        ASSERT_GE(fd, 0);
        struct termios2 tio {};
        ASSERT_EQ(ioctl(fd, TCGETS2, &tio), 0);
        ::close(fd);
        EXPECT_EQ(tio.c_ospeed, static_cast<speed_t>(baud));
        EXPECT_EQ(tio.c_ispeed, static_cast<speed_t>(baud));
        EXPECT_EQ(tio.c_cflag & (CSTOPB | CRTSCTS), c.cflagSet & (CSTOPB | CRTSCTS)) << baud;
        EXPECT_EQ(tio.c_iflag & (IXON | IXOFF), c.iflagSet) << baud;
        EXPECT_EQ(tio.c_lflag & (ICANON | ECHO | ISIG), 0u);
        EXPECT_EQ(tio.c_cflag & HUPCL, static_cast<tcflag_t>(HUPCL)) << baud;
    }
    // A tty that was set without hang-up on close gets it: the kernel drops
    // DTR and RTS when the port closes, even after a crash or SIGKILL.
    EXPECT_EQ(platform::detail::termiosFlags({}, {0, 0, CS8, 0}).cflag & HUPCL, static_cast<tcflag_t>(HUPCL));

    SerialLink link;
    for (const SerialSettings& bad : {SerialSettings{9600, 9}, SerialSettings{9600, 8, 'X'},
                                      SerialSettings{9600, 8, 'N', 3}, SerialSettings{0}}) {
        EXPECT_FALSE(link.openDevice(emu.devicePath(), bad));
        EXPECT_FALSE(link.isOpen());
        EXPECT_FALSE(link.errorText().isEmpty());
    }
}

TEST_F(SerialLinkTest, ClosedMissingAndNonSerialDevicesFailCleanly)
{
    SerialLink link;
    link.close();  // closing a closed link is harmless
    EXPECT_FALSE(link.write("x"));
    EXPECT_FALSE(link.errorText().isEmpty());
    EXPECT_FALSE(link.setDtr(true));
    EXPECT_FALSE(link.drainOutput(10));
    EXPECT_TRUE(link.readAll().isEmpty());

    EXPECT_FALSE(link.openDevice(QStringLiteral("/nonexistent/ttyUSB9"), {}));
    EXPECT_TRUE(link.errorText().contains(QStringLiteral("/nonexistent/ttyUSB9")));

    testing_support::writeBytes(QStringLiteral("plain.txt"), "not a port");
    EXPECT_FALSE(link.openDevice(QStringLiteral("plain.txt"), {}));
    EXPECT_FALSE(link.isOpen());

    PtyEmulator emu;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    link.close();
    link.close();
    EXPECT_FALSE(link.write("x"));
}

TEST_F(SerialLinkTest, ClosingWaitsUntilWhatWasWrittenIsOnTheLine)
{
    // A rig's five closing bytes at 4,800 baud 8N2 take 11.5 ms on the
    // line; the line that powers its interface drops only after them and
    // two more characters' time, since a USB adapter may still hold the
    // last of them when the driver's queue is empty.
    PtyEmulator emu;
    SerialLink link;
    link.setRecorder(&recorder);
    SerialSettings settings;
    settings.baudRate = 4800;
    settings.stopBits = 2;
    settings.dtrOn = true;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), settings));
    ASSERT_TRUE(link.write(QByteArray::fromHex("0000000080")));
    link.close();
    const auto written = testing_support::lineEvents(recorder, LineEvent::Kind::Written);
    const auto dtr = testing_support::lineEvents(recorder, LineEvent::Kind::Dtr);
    ASSERT_EQ(written.size(), 1u);
    ASSERT_FALSE(dtr.empty());
    EXPECT_EQ(dtr.back().value, 0);
    EXPECT_GE(dtr.back().monotonicNs - written[0].monotonicNs, 7 * 11 * 1'000'000'000LL / 4800);
    EXPECT_TRUE(emu.waitForReceived([](const QByteArray& r) { return r == QByteArray::fromHex("0000000080"); },
                                    1000));

    // Output thrown away is not waited for.
    ASSERT_TRUE(link.openDevice(emu.devicePath(), settings));
    ASSERT_TRUE(link.write(QByteArray(480, 'x')));  // a second on the line
    link.discardOutput();
    const std::int64_t start = platform::monotonicNs();
    link.close();
    EXPECT_LT(platform::monotonicNs() - start, 500'000'000);
}

TEST_F(SerialLinkTest, DiscardDrainAndABoundedReceiveBuffer)
{
    PtyEmulator emu;
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));

    emu.send("stale");
    ASSERT_TRUE(emu.waitUntilSent(1000));
    EXPECT_TRUE(link.waitForBytes(5, 1000));
    link.discardInput();
    EXPECT_TRUE(link.readAll().isEmpty());

    ASSERT_TRUE(link.write(QByteArray(2000, 'x')));
    EXPECT_TRUE(link.drainOutput(1000));
    EXPECT_TRUE(emu.waitForReceivedCount(2000, 2000));

    // A peer that talks while nobody reads: the oldest bytes go.
    QByteArray flood;
    for (int i = 0; i < 100'000; ++i)
        flood += char('A' + i % 26);
    emu.send(flood);
    while (!emu.waitUntilSent(1))
        (void)link.bytesAvailable();
    platform::waitMs(20);
    EXPECT_EQ(link.bytesAvailable(), 64 * 1024);
    EXPECT_EQ(link.readAll(), flood.right(64 * 1024));
}

TEST_F(SerialLinkTest, ADeviceThatGoesAwayIsReportedAndNotPolledForEver)
{
    // A bare pty whose far side closes, as a USB adapter pulled out.
    const int master = posix_openpt(O_RDWR | O_NOCTTY);
    ASSERT_GE(master, 0);
    ASSERT_EQ(grantpt(master), 0);
    ASSERT_EQ(unlockpt(master), 0);
    const QString path = QString::fromLocal8Bit(ptsname(master));
    SerialLink link;
    ASSERT_TRUE(link.openDevice(path, {}));
    int readyReads = 0;
    QObject::connect(&link, &SerialLink::readyRead, [&] { ++readyReads; });
    ::close(master);
    EXPECT_TRUE(waitUntil([&] { return !link.errorText().isEmpty(); }, 2000));
    EXPECT_TRUE(link.errorText().contains(path)) << link.errorText().toStdString();
    platform::waitMsLettingEventsRun(20);
    EXPECT_EQ(readyReads, 0);
    EXPECT_TRUE(link.readAll().isEmpty());
    EXPECT_FALSE(link.waitForBytes(1, 20));
    EXPECT_FALSE(link.write("x"));
    link.close();
}

TEST_F(SerialLinkTest, AHeldPortIsNeitherReconfiguredNorClosedByAnotherOpen)
{
    PtyEmulator emu;
    platform::Hardware hardware;
    hardware.setRecorder(&recorder);
    platform::SerialPortTable table;
    table.set(2, emu.devicePath());
    hardware.setPortTable(table);
    SerialSettings rig;
    rig.baudRate = 4800;
    rig.stopBits = 2;
    SerialLink& link = hardware.serial(2);
    ASSERT_TRUE(link.open(2, rig)) << link.errorText().toStdString();
    const quint64 held = link.connection();
    EXPECT_NE(held, 0u);
    recorder.clear();

    // Another window asks for the same number: refused, the holder untouched.
    EXPECT_FALSE(hardware.serial(2).open(2, {}));
    EXPECT_TRUE(link.errorText().contains(QStringLiteral("in use"))) << link.errorText().toStdString();
    EXPECT_EQ(link.connection(), held);
    EXPECT_TRUE(recorder.events().empty());  // neither closed nor reopened
    const int fd = ::open(emu.devicePath().toLocal8Bit().constData(), O_RDWR | O_NOCTTY | O_NONBLOCK);
    ASSERT_GE(fd, 0);
    struct termios2 tio {};
    ASSERT_EQ(ioctl(fd, TCGETS2, &tio), 0);
    ::close(fd);
    EXPECT_EQ(tio.c_ospeed, 4800u);
    EXPECT_EQ(tio.c_cflag & CSTOPB, static_cast<tcflag_t>(CSTOPB));

    // Handed over (closed first), the port opens again as a new connection.
    link.close();
    EXPECT_EQ(link.connection(), 0u);
    ASSERT_TRUE(link.open(2, {}));
    EXPECT_NE(link.connection(), held);
}

// A holder whose device went away keeps its port while it waits to open it
// again: everyone else is refused, told who has it, even when the device is
// back; the holder itself opens it, and once it lets go, anyone may.
TEST_F(SerialLinkTest, APortKeptByItsHolderWhileClosedIsRefusedToOthers)
{
    PtyEmulator emu;
    platform::Hardware hardware;
    platform::SerialPortTable table;
    table.set(2, emu.devicePath());
    hardware.setPortTable(table);
    SerialLink& link = hardware.serial(2);
    ASSERT_TRUE(link.open(2, {}, QStringLiteral("the rig interface")));
    EXPECT_FALSE(link.open(2, {}, QStringLiteral("CW keying")));
    EXPECT_EQ(link.inUseText(), QStringLiteral("Serial port 2 is in use by the rig interface."));

    link.closeKeepingHolder();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(link.open(2, {}, QStringLiteral("CW keying")));
    EXPECT_EQ(link.inUseText(), QStringLiteral("Serial port 2 is in use by the rig interface."));
    EXPECT_FALSE(link.isOpen());
    // A close by someone else (the port is closed already) changes nothing.
    link.close();
    EXPECT_FALSE(link.open(2, {}, QStringLiteral("the voice keyer's PTT")));

    ASSERT_TRUE(link.open(2, {}, QStringLiteral("the rig interface")));
    link.close();
    ASSERT_TRUE(link.open(2, {}, QStringLiteral("CW keying")));
    EXPECT_TRUE(link.inUseText().isEmpty());
    link.closeKeepingHolder();
    link.release();
    ASSERT_TRUE(link.open(2, {}, QStringLiteral("the rig interface")));

    // A refusal for any other reason names no holder.
    link.close();
    EXPECT_FALSE(link.open(7, {}, QStringLiteral("CW keying")));
    EXPECT_TRUE(link.inUseText().isEmpty());
}

TEST_F(SerialLinkTest, TheLatestLineFailureNamesItsLine)
{
    PtyEmulator emu;
    SerialLink link;
    ASSERT_TRUE(link.openDevice(emu.devicePath(), {}));
    // Lowering DTR at open failed first; the latest failure is the one asked about.
    EXPECT_TRUE(link.lineErrorText().contains(QStringLiteral("DTR")));
    EXPECT_FALSE(link.setRts(true));
    EXPECT_TRUE(link.lastLineErrorText().startsWith(QStringLiteral("Cannot set RTS on ")))
        << link.lastLineErrorText().toStdString();
    EXPECT_FALSE(link.setDtr(true));
    EXPECT_TRUE(link.lastLineErrorText().startsWith(QStringLiteral("Cannot set DTR on ")));
}

TEST_F(SerialLinkTest, HardwareSharesOneLinkPerPortNumber)
{
    PtyEmulator emu;
    platform::Hardware hardware;
    hardware.setRecorder(&recorder);
    platform::SerialPortTable table;
    table.set(2, emu.devicePath());
    hardware.setPortTable(table);
    ASSERT_TRUE(hardware.serial(2).open(2, {}));
    EXPECT_EQ(&hardware.serial(2), &hardware.serial(2));
    EXPECT_TRUE(hardware.serial(2).isOpen());
    hardware.closeAll();
    EXPECT_FALSE(hardware.serial(2).isOpen());
    EXPECT_EQ(recorder.events().back().kind, LineEvent::Kind::Closed);
}

}  // namespace

// The AGW connection against a real packet engine: two direwolf instances
// make an over-the-air AX.25 link on this machine. Each reads its received
// audio from a FIFO on standard input and writes what it transmits through
// ALSA's file plugin into the other's FIFO; no sound card is involved. The
// program's engine is one instance, a test client on the other plays the
// far station. Both run in a private network namespace when the test may
// make one, since the engine listens on every interface.
//
// Skipped, with the reason, where direwolf is missing or cannot run.

#include "agw_test_peer.h"

#include <QProcess>
#include <QStandardPaths>
#include <QTcpServer>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <fcntl.h>
#include <net/if.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstring>
#include <memory>

using namespace spots_testing;
using testing_support::waitUntil;

namespace {

/// A network namespace of the test's own with its loopback up, so the
/// engines are reachable from nowhere else. False where it is not allowed;
/// the test then runs on 127.0.0.1 with free ports.
bool enterPrivateNetwork()
{
    if (unshare(CLONE_NEWNET) != 0)
        return false;
    const int s = ::socket(AF_INET, SOCK_DGRAM | SOCK_CLOEXEC, 0);
    if (s < 0)
        return false;
    ifreq ifr{};
    std::strncpy(ifr.ifr_name, "lo", IFNAMSIZ - 1);
    bool up = ::ioctl(s, SIOCGIFFLAGS, &ifr) == 0;
    ifr.ifr_flags = static_cast<short>(ifr.ifr_flags | IFF_UP | IFF_RUNNING);
    up = up && ::ioctl(s, SIOCSIFFLAGS, &ifr) == 0;
    ::close(s);
    return up;
}

int freePort()
{
    QTcpServer probe;
    return probe.listen(QHostAddress::LocalHost, 0) ? probe.serverPort() : 0;
}

/// One direwolf: its audio in from `inFifo`, out into `outFifo`.
class Direwolf {
public:
    Direwolf(const QString& dir, const QString& name, const QString& call, int port, const QString& inFifo,
             const QString& outFifo)
        : m_port(port)
    {
        const QString home = dir + u'/' + name;
        QDir().mkpath(home);
        testing_support::writeLines(
            home + QStringLiteral("/.asoundrc"),
            {QStringLiteral("pcm.toair { type file slave.pcm \"null\" file \"%1\" format \"raw\" }").arg(outFifo)});
        // Full duplex: the audio stops between transmissions rather than
        // falling silent, so the engine must not wait for a clear channel.
        testing_support::writeLines(home + QStringLiteral("/direwolf.conf"),
                                    {QStringLiteral("ADEVICE stdin toair"), QStringLiteral("ARATE 44100"),
                                     QStringLiteral("ACHANNELS 1"), QStringLiteral("CHANNEL 0"),
                                     QStringLiteral("MYCALL ") + call, QStringLiteral("MODEM 1200"),
                                     QStringLiteral("FULLDUP ON"), QStringLiteral("TXDELAY 10"),
                                     QStringLiteral("TXTAIL 10"), QStringLiteral("AGWPORT %1").arg(port),
                                     QStringLiteral("KISSPORT 0")});
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("HOME"), home);  // ALSA reads ~/.asoundrc
        m_process.setProcessEnvironment(env);
        m_process.setProcessChannelMode(QProcess::MergedChannels);
        m_process.setStandardInputFile(inFifo);
        m_process.setWorkingDirectory(home);
        m_process.start(QStandardPaths::findExecutable(QStringLiteral("direwolf")),
                        {QStringLiteral("-c"), home + QStringLiteral("/direwolf.conf"), QStringLiteral("-t"),
                         QStringLiteral("0"), QStringLiteral("-q"), QStringLiteral("hd"), QStringLiteral("-d"), QStringLiteral("a")});
    }
    ~Direwolf()
    {
        m_process.terminate();
        if (!m_process.waitForFinished(2000)) {
            m_process.kill();
            m_process.waitForFinished(2000);
        }
    }
    /// True once the engine takes AGW clients, within 5 s.
    bool ready()
    {
        const QByteArray mark = QByteArrayLiteral("Ready to accept AGW client application 0 on port ")
                                + QByteArray::number(m_port);
        waitUntil(
            [&] {
                m_output += m_process.readAll();
                return m_output.contains(mark) || m_process.state() == QProcess::NotRunning;
            },
            5000);
        return m_output.contains(mark);
    }
    [[nodiscard]] QString output()
    {
        m_output += m_process.readAll();
        return QString::fromLocal8Bit(m_output.right(3000));
    }
    [[nodiscard]] int port() const { return m_port; }

private:
    int m_port;
    QProcess m_process;
    QByteArray m_output;
};

class DirewolfLink : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (QStandardPaths::findExecutable(QStringLiteral("direwolf")).isEmpty())
            GTEST_SKIP() << "direwolf is not installed";
        enterPrivateNetwork();
        ASSERT_TRUE(m_dir.isValid());
        const QString toEngine = m_dir.filePath(QStringLiteral("to-engine"));
        const QString toFar = m_dir.filePath(QStringLiteral("to-far"));
        if (::mkfifo(toEngine.toLocal8Bit().constData(), 0600) != 0
            || ::mkfifo(toFar.toLocal8Bit().constData(), 0600) != 0)
            GTEST_SKIP() << "no FIFO can be made for the engines' audio";
        // Held open for reading and writing, each FIFO always has both ends,
        // so neither an engine's input nor its ALSA output blocks on open
        // and no input ever ends.
        for (const QString& fifo : {toEngine, toFar})
            m_fifos.push_back(::open(fifo.toLocal8Bit().constData(), O_RDWR | O_CLOEXEC));
        const int enginePort = freePort();
        const int farPort = freePort();
        m_engine = std::make_unique<Direwolf>(m_dir.path(), QStringLiteral("engine"), QStringLiteral("N0ENG"),
                                              enginePort, toEngine, toFar);
        m_far = std::make_unique<Direwolf>(m_dir.path(), QStringLiteral("far"), QStringLiteral("N0FAR"), farPort,
                                           toFar, toEngine);
        if (!m_engine->ready())
            GTEST_SKIP() << "direwolf does not run here: " << m_engine->output().toStdString();
        if (!m_far->ready())
            GTEST_SKIP() << "direwolf does not run here: " << m_far->output().toStdString();

        // The far station registers its call with its own engine.
        m_station.connectToHost(QHostAddress::LocalHost, static_cast<quint16>(farPort));
        ASSERT_TRUE(m_station.waitForConnected(5000));
        stationSend('X', "ZS1FAR", "", "");
        ASSERT_EQ(stationNext().kind, 'X');
    }
    void TearDown() override
    {
        m_station.abort();
        m_engine.reset();
        m_far.reset();
        for (int fd : m_fifos)
            if (fd >= 0)
                ::close(fd);
    }

    void stationSend(char kind, const QByteArray& from, const QByteArray& to, const QByteArray& data, int pid = 0)
    {
        m_station.write(frameBytes(kind, from, to, data, 0xffffffffu, pid));
        m_station.flush();
    }
    /// The far station's next frame of one of the kinds, within 5 s.
    AgwTestFrame stationNext(const QByteArray& kinds = {})
    {
        for (;;) {
            AgwTestFrame f = readFrame(m_station, m_stationIn);
            if (f.kind == 0 || kinds.isEmpty() || kinds.contains(f.kind))
                return f;
        }
    }

    QTemporaryDir m_dir;
    std::vector<int> m_fifos;
    std::unique_ptr<Direwolf> m_engine;
    std::unique_ptr<Direwolf> m_far;
    QTcpSocket m_station;
    QByteArray m_stationIn;
};

}  // namespace

TEST_F(DirewolfLink, OpenRegistersMonitoredSpotsArriveAndAConnectionCarriesTypedLines)
{
    AgwFixture f(m_engine->port());
    f.w = &f.openSpotting();
    ASSERT_TRUE(waitUntil([&] { return f.w->pollTimer->isActive(); }, 5000)) << m_engine->output().toStdString();
    EXPECT_TRUE(f.w->monitorText().contains(QStringLiteral("** Successfully connected to AGW Packet Engine **")));
    // The engine's own log (its AGW trace) says when it took the request
    // for monitored frames; a frame heard before that is not passed on.
    ASSERT_TRUE(waitUntil(
        [&] { return m_engine->output().contains(QStringLiteral("Enable Reception of Monitoring Frames")); }, 5000))
        << m_engine->output().toStdString();

    // A cluster's spot sent over the air as an unconnected frame reaches
    // the store without a connection.
    stationSend('M', "ZS1FAR", "DX", spotLine("14025.0", "JA1ABC") + '\r', 0xF0);
    ASSERT_TRUE(f.tickUntil([&] { return f.spots->display.store().slot(49).SpotCall == QStringLiteral("JA1ABC"); },
                            10000))
        << m_far->output().toStdString() << "\n----\n" << m_engine->output().toStdString();
    EXPECT_FLOAT_EQ(f.spots->display.store().slot(49).SpotFrequency, 14.025f);
    EXPECT_TRUE(f.w->monitorText().contains(QStringLiteral("DX de W3LPL:")));

    // ":C" connects to the far station over the air.
    f.type(QStringLiteral(":C zs1far"));
    ASSERT_TRUE(f.tickUntil([&] { return f.w->AgwConnectedCall == QStringLiteral("ZS1FAR"); }, 10000))
        << m_engine->output().toStdString();
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("DX Spotting Setup - Connected to ZS1FAR"));
    const AgwTestFrame connected = stationNext("C");
    EXPECT_EQ(connected.from, QByteArray("W1AW"));

    // A typed line reaches the station; its answer shows in the monitor.
    f.type(QStringLiteral("SH/DX"));
    const AgwTestFrame line = stationNext("D");
    EXPECT_EQ(line.from, QByteArray("W1AW"));
    EXPECT_EQ(line.data, QByteArray("SH/DX\r"));
    stationSend('D', "ZS1FAR", "W1AW", "73 de ZS1FAR\r", 0xF0);
    EXPECT_TRUE(f.tickUntil([&] { return f.w->monitorText().contains(QStringLiteral("73 de ZS1FAR")); }, 10000));

    // The far station as a cluster node: spot lines sent as connected data,
    // two in one frame, reach the store once each with "List DX Only"
    // unticked, though the engine also hands over its monitored copy of
    // every I-frame first.
    ASSERT_FALSE(f.w->listDxOnly());
    stationSend('D', "ZS1FAR", "W1AW",
                spotLine("7012.5", "VK2AB") + '\r' + spotLine("21074.0", "ZS6ABC") + "\r\n", 0xF0);
    stationSend('D', "ZS1FAR", "W1AW", spotLine("3525.0", "OH2BH") + '\r', 0xF0);
    ASSERT_TRUE(f.tickUntil([&] { return f.spots->display.store().slot(49).SpotCall == QStringLiteral("OH2BH"); },
                            10000))
        << f.w->monitorText().toStdString();
    f.tickUntil([] { return false; }, 1000);  // the copies have come and gone
    EXPECT_EQ(f.spots->display.store().slot(48).SpotCall, QStringLiteral("ZS6ABC"));
    EXPECT_EQ(f.spots->display.store().slot(47).SpotCall, QStringLiteral("VK2AB"));
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 4);
    for (const char* call : {"VK2AB", "ZS6ABC", "OH2BH"})
        EXPECT_EQ(f.w->monitorText().count(QString::fromLatin1(call)), 1) << call;
    EXPECT_FALSE(f.w->monitorText().contains(QChar(0)));

    // ":D" ends the connection at both ends.
    f.type(QStringLiteral(":D"));
    EXPECT_EQ(stationNext("d").kind, 'd');
    EXPECT_TRUE(f.tickUntil([&] { return f.w->AgwConnectedCall.isEmpty(); }, 10000));
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("DX Spotting Setup"));
    EXPECT_TRUE(f.w->monitorText().contains(QStringLiteral("** Disconnected from ZS1FAR **")));
    f.w->onClosePortClicked();
}

TEST_F(DirewolfLink, TheFarStationHearsTheDisconnectWhenTheProgramEnds)
{
    auto f = std::make_unique<AgwFixture>(m_engine->port());
    f->w = &f->openSpotting();
    ASSERT_TRUE(waitUntil([&] { return f->w->pollTimer->isActive(); }, 5000)) << m_engine->output().toStdString();
    f->type(QStringLiteral(":C ZS1FAR"));
    ASSERT_TRUE(f->tickUntil([&] { return f->w->AgwConnectedCall == QStringLiteral("ZS1FAR"); }, 10000))
        << m_engine->output().toStdString();
    ASSERT_EQ(stationNext("C").kind, 'C');

    // The operator closes the main window; the program is gone before its
    // event loop runs again.
    f->main().close();
    f.reset();
    const AgwTestFrame gone = stationNext("d");
    EXPECT_EQ(gone.kind, 'd') << m_engine->output().toStdString();
    EXPECT_EQ(gone.from, QByteArray("W1AW"));
}

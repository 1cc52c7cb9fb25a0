// The AGW Packet Engine connection against a fake engine on 127.0.0.1 that
// speaks the engine's TCP frames (36-byte header, then the data), built and
// read here from the interface's layout.

#include "agw_test_peer.h"

#include <QTcpServer>
#include <gtest/gtest.h>

using namespace spots_testing;
using testing_support::waitUntil;

namespace {

using Frame = AgwTestFrame;

class FakeEngine {
public:
    FakeEngine() { m_server.listen(QHostAddress::LocalHost, 0); }
    int port() const { return m_server.serverPort(); }
    bool accept()
    {
        if (!waitUntil([this] { return m_server.hasPendingConnections(); }, 5000))
            return false;
        m_peer = m_server.nextPendingConnection();
        return true;
    }
    /// The next frame the program sent, within 5 s.
    Frame next() { return readFrame(*m_peer, m_in); }
    void send(const QByteArray& bytes)
    {
        m_peer->write(bytes);
        m_peer->flush();
    }

    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_in;
};

}  // namespace

TEST(AgwConnection, RegistersMonitorsConnectsSendsAndDisconnects)
{
    FakeEngine engine;
    AgwFixture f(engine.port());
    f.w = &f.openSpotting();
    ASSERT_TRUE(engine.accept());
    Frame x = engine.next();
    EXPECT_EQ(x.kind, 'X');
    EXPECT_EQ(x.from, QByteArray("W1AW"));
    EXPECT_EQ(engine.next().kind, 'm');
    ASSERT_TRUE(waitUntil([&] { return f.w->pollTimer->isActive(); }, 5000));
    EXPECT_TRUE(f.w->monitorText().endsWith(
        QStringLiteral("\r\n** Successfully connected to AGW Packet Engine **\r\n\r\n")));

    // A monitored spot, not connected: its header line goes, the spot is
    // shown and handed on once though it comes twice. Plain monitored text
    // shows whole, with the kind and the sender.
    const QByteArray header(" 1:Fm W3LPL To DX <UI pid=F0 Len=80 >[18:04:11]\r");
    engine.send(frameBytes('X', "W1AW", "", QByteArray(1, '\x01')));
    engine.send(frameBytes('U', "W3LPL", "DX", header + spotLine("14025.0", "JA1ABC") + "\r"));
    engine.send(frameBytes('U', "W3LPL", "DX", header + spotLine("14025.0", "JA1ABC") + "\r"));
    engine.send(frameBytes('U', "N0CALL", "ID", " 1:Fm N0CALL To ID <UI>\rN0CALL/R\r"));
    f.tickUntil([&] { return f.w->monitorText().contains(QStringLiteral("N0CALL/R")); });
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 1);
    EXPECT_EQ(f.spots->display.store().slot(49).SpotCall, QStringLiteral("JA1ABC"));
    EXPECT_EQ(f.w->monitorText().count(QStringLiteral("JA1ABC")), 1);
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("UN0CALL  1:Fm N0CALL To ID <UI>\r\nN0CALL/R\r\n")));

    // ":C" connects; the engine's connected notice sets the caption.
    f.type(QStringLiteral(":c dxc"));
    Frame c = engine.next();
    EXPECT_EQ(c.kind, 'C');
    EXPECT_EQ(c.from, QByteArray("W1AW"));
    EXPECT_EQ(c.to, QByteArray("DXC"));
    engine.send(frameBytes('C', "DXC", "W1AW", "*** CONNECTED To Station DXC\r"));
    const int beeps = f.fx.fakes.beeper.count();
    f.tickUntil([&] { return !f.w->AgwConnectedCall.isEmpty(); });
    EXPECT_EQ(f.w->AgwConnectedCall, QStringLiteral("DXC"));
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("DX Spotting Setup - Connected to DXC"));
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("** Connected to DXC **")));
    EXPECT_EQ(f.fx.fakes.beeper.count(), beeps + 1);

    // Typed lines go to the station with a CR; its answers show.
    f.type(QStringLiteral("SH/DX"));
    Frame d = engine.next();
    EXPECT_EQ(d.kind, 'D');
    EXPECT_EQ(d.pid, 0xF0);
    EXPECT_EQ(d.to, QByteArray("DXC"));
    EXPECT_EQ(d.data, QByteArray("SH/DX\r"));
    engine.send(frameBytes('D', "DXC", "W1AW", "Hello W1AW\r"));
    f.tickUntil([&] { return f.w->monitorText().endsWith(QStringLiteral("Hello W1AW\r\n")); });
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("Hello W1AW\r\n")));

    // ":D" asks to disconnect; the engine's notice ends the connection.
    f.type(QStringLiteral(":D"));
    EXPECT_EQ(engine.next().kind, 'd');
    engine.send(frameBytes('d', "DXC", "W1AW", "*** DISCONNECTED From Station DXC\r"));
    f.tickUntil([&] { return f.w->AgwConnectedCall.isEmpty(); });
    EXPECT_EQ(f.w->windowTitle(), QStringLiteral("DX Spotting Setup"));
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("\r\n** Disconnected from DXC **\r\n")));
    EXPECT_EQ(f.fx.fakes.beeper.count(), beeps + 3);

    // An absurd data length: the window closes its connection.
    engine.send(frameBytes('D', "DXC", "W1AW", "", 0x7fffffff));
    ASSERT_TRUE(waitUntil([&] { return !f.w->listening(); }, 5000));
    EXPECT_TRUE(f.w->monitorText().contains(QStringLiteral("** Lost connection to AGW Packet Engine **")));
}

TEST(AgwConnection, AMissingEngineShowsTheFailureTextAndAMissingCallStopsAtOnce)
{
    int closedPort = 0;
    {
        FakeEngine gone;
        closedPort = gone.port();
    }
    AgwFixture f(closedPort);
    f.w = &f.openSpotting();
    ASSERT_TRUE(waitUntil([&] { return !f.w->listening(); }, 5000));
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Unable to connect to the AGW Packet Engine.")));
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("- Click Open from this program.\r\n\r\n")));
    EXPECT_FALSE(f.w->pollTimer->isActive());

    f.fx.state.prefs.MyCall = QStringLiteral("  ");
    f.w->openPortButton->click();
    EXPECT_TRUE(f.fx.fakes.prompt.anyShownWithTitle(QStringLiteral("Call Sign Required!")));
    EXPECT_TRUE(f.w->listening());
    EXPECT_FALSE(f.w->pollTimer->isActive());
}

namespace {

/// The far station's call and the engine's header line of its monitored
/// frames, as a real engine writes them.
const QByteArray Far("ZS1FAR");
QByteArray monitorHeader(const char* type) { return " 1:Fm ZS1FAR To W1AW <" + QByteArray(type) + " >[02:03:37]\r"; }

/// An open AGW connection with the program's call registered, connected to
/// the far station.
struct ConnectedAgw {
    explicit ConnectedAgw(FakeEngine& engine) : f(engine.port())
    {
        f.w = &f.openSpotting();
        ok = engine.accept() && engine.next().kind == 'X' && engine.next().kind == 'm'
             && waitUntil([&] { return f.w->pollTimer->isActive(); }, 5000);
        f.type(QStringLiteral(":C zs1far"));
        ok = ok && engine.next().kind == 'C';
        engine.send(frameBytes('C', Far, "W1AW", QByteArray("*** CONNECTED With Station ZS1FAR\r", 35)));
        ok = ok && f.tickUntil([&] { return f.w->AgwConnectedCall == QString::fromLatin1(Far); });
    }
    AgwFixture f;
    bool ok = false;
};

}  // namespace

TEST(AgwConnection, EverySpotLineOfAFrameArrivesOnceFromTheAirAndFromAConnectedCluster)
{
    FakeEngine engine;
    ConnectedAgw c(engine);
    ASSERT_TRUE(c.ok);
    AgwFixture& f = c.f;
    const auto rows = [&] { return f.main().txtDX->model()->rowCount(); };
    const auto shown = [&](const char* call) { return f.w->monitorText().count(QString::fromLatin1(call)); };

    // Connected data as the engine delivers it, each time just after its
    // own monitored copy of the I-frame: every spot line reaches the list
    // once and the cluster's other text shows once, whatever "List DX
    // Only" says.
    struct Case {
        bool listDxOnly;
        const char* first;
        const char* second;
    };
    for (const Case& k : {Case{false, "K2ABC", "K3ABC"}, Case{true, "K4ABC", "K5ABC"}}) {
        f.w->listDxOnlyCheck->setChecked(k.listDxOnly);
        const QByteArray data = "Hello\r" + spotLine("14025.0", k.first) + "\r\n" + spotLine("7012.5", k.second) + '\r';
        const int before = rows();
        engine.send(frameBytes('I', Far, "W1AW", monitorHeader("I S1 R0 pid=0xF0 Len=167 P=0") + data + "\r\r" + '\0'));
        engine.send(frameBytes('D', Far, "W1AW", data, 0xffffffffu, 0xF0));
        engine.send(frameBytes('T', "W1AW", Far, QByteArray(" 1:Fm W1AW To ZS1FAR <RR R2 F=0 >[02:03:42]\r", 45)));
        f.tickUntil([&] { return rows() == before + 2; });
        f.tickUntil([] { return false; }, 400);  // nothing more comes
        EXPECT_EQ(rows(), before + 2) << k.first;
        EXPECT_EQ(f.spots->display.store().slot(49).SpotCall, QString::fromLatin1(k.second));
        EXPECT_EQ(f.spots->display.store().slot(48).SpotCall, QString::fromLatin1(k.first));
        EXPECT_EQ(shown(k.first), 1);
        EXPECT_EQ(shown(k.second), 1);
        EXPECT_EQ(f.w->monitorText().count(QStringLiteral("Hello")), 1);
    }
    f.w->listDxOnlyCheck->setChecked(false);

    // A link-control frame shows its header line only; no NUL reaches the
    // monitor.
    engine.send(frameBytes('S', Far, "W1AW", monitorHeader("XID F=1 Len=27") + "\x82\x80\r" + '\0'));
    f.tickUntil([&] { return f.w->monitorText().contains(QStringLiteral("<XID")); });
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral("<XID F=1 Len=27 >[02:03:37]\r\n"))) << f.w->monitorText().right(80).toStdString();
    EXPECT_FALSE(f.w->monitorText().contains(QChar(0x82)));
    EXPECT_FALSE(f.w->monitorText().contains(QChar(0)));

    // Not connected: a UI frame with three spot lines hands on all three;
    // the same frame repeated by a digipeater adds nothing.
    f.type(QStringLiteral(":D"));
    ASSERT_EQ(engine.next().kind, 'd');
    engine.send(frameBytes('d', Far, "W1AW", QByteArray("*** DISCONNECTED From Station ZS1FAR\r", 38)));
    ASSERT_TRUE(f.tickUntil([&] { return f.w->AgwConnectedCall.isEmpty(); }));
    const QByteArray ui = " 1:Fm W3LPL To DX <UI pid=F0 Len=240 PF=0 >[02:03:28]\r" + spotLine("14025.0", "JA1ABC") + '\r'
                          + spotLine("21074.0", "ZS6ABC") + "\r\n" + spotLine("3525.0", "OH2BH") + "\r\r" + '\0';
    const int before = rows();
    engine.send(frameBytes('U', "W3LPL", "DX", ui));
    engine.send(frameBytes('U', "W3LPL", "DX", ui));
    f.tickUntil([&] { return rows() == before + 3; });
    f.tickUntil([] { return false; }, 400);
    EXPECT_EQ(rows(), before + 3);
    EXPECT_EQ(f.spots->display.store().slot(49).SpotCall, QStringLiteral("OH2BH"));
    for (const char* call : {"JA1ABC", "ZS6ABC", "OH2BH"})
        EXPECT_EQ(shown(call), 1) << call;
}

TEST(AgwConnection, EveryWayOutDisconnectsTheStationAndUnregistersBeforeTheSocketCloses)
{
    enum class WayOut { CloseMainWindow, FileExit, ProgramEnds };
    for (WayOut way : {WayOut::CloseMainWindow, WayOut::FileExit, WayOut::ProgramEnds}) {
        SCOPED_TRACE(static_cast<int>(way));
        FakeEngine engine;
        auto c = std::make_unique<ConnectedAgw>(engine);
        ASSERT_TRUE(c->ok);
        if (way == WayOut::CloseMainWindow)
            c->f.main().close();
        else if (way == WayOut::FileExit)
            c->f.main().mnuExit->trigger();
        // The program goes before its event loop runs again.
        c.reset();
        const Frame d = engine.next();
        EXPECT_EQ(d.kind, 'd');
        EXPECT_EQ(d.from, QByteArray("W1AW"));
        EXPECT_EQ(d.to, Far);
        const Frame x = engine.next();
        EXPECT_EQ(x.kind, 'x');
        EXPECT_EQ(x.from, QByteArray("W1AW"));
    }
}

// A long line goes out in pieces as it is typed, each cut at a blank; a
// piece sent is gone from the box for good, as a line sent with Enter is.
TEST(AgwConnection, APieceSentAsItIsTypedCannotBeUndoneBackIntoTheBox)
{
    FakeEngine engine;
    AgwFixture f(engine.port());
    f.w = &f.openSpotting();
    ASSERT_TRUE(engine.accept());
    EXPECT_EQ(engine.next().kind, 'X');
    EXPECT_EQ(engine.next().kind, 'm');
    ASSERT_TRUE(waitUntil([&] { return f.w->pollTimer->isActive(); }, 5000));
    f.type(QStringLiteral(":c dxc"));
    EXPECT_EQ(engine.next().kind, 'C');
    engine.send(frameBytes('C', "DXC", "W1AW", "*** CONNECTED To Station DXC\r"));
    f.tickUntil([&] { return !f.w->AgwConnectedCall.isEmpty(); });
    ASSERT_EQ(f.w->AgwConnectedCall, QStringLiteral("DXC"));

    const QString words = QStringLiteral("ANNOUNCE ").repeated(8);
    QTest::keyClicks(f.w->sendBox, words);
    Frame piece = engine.next();
    EXPECT_EQ(piece.kind, 'D');
    EXPECT_EQ(piece.data, words.trimmed().toLatin1() + '\r');
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());
    QTest::keyClick(f.w->sendBox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());

    // So is a line sent with Enter.
    f.type(QStringLiteral("SH/DX"));
    EXPECT_EQ(engine.next().data, QByteArray("SH/DX\r"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());
}

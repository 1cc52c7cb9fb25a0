// The telnet connection against a line server on 127.0.0.1 that writes as
// clusters do: negotiation first, a login prompt without a line end,
// several lines in one segment, a line split over two, and a close from the
// far side.

#include "line_server.h"
#include "spotting_fixture.h"
#include "spots/spot_connection_kinds.h"
#include "support/pty_peer.h"

#include <QClipboard>
#include <gtest/gtest.h>

using namespace spots_testing;
using testing_support::waitUntil;

namespace {

struct TelnetFixture : SpottingFixture {
    TelnetFixture()
    {
        spots->connections = spots::makeSpotConnection;
        writePackSpot(packSpot("Telnet", 0));
        w = &openSpotting();
    }
    void openTo(const QString& host, int port)
    {
        w->telnetHostBox->setText(host);
        w->telnetPortBox->setText(QString::number(port));
        w->openPortButton->click();
    }
    int rows() { return main().txtDX->model()->rowCount(); }
    SpottingWindow* w = nullptr;
};

QByteArray line(const char* kHz, const char* call)
{
    return clusterLine(QStringLiteral("W3LPL"), QString::fromLatin1(kHz), QString::fromLatin1(call)).toLatin1()
           + "\r\n";
}

}  // namespace

TEST(TelnetConnection, LogsInAndTakesWholeLinesAsTheClusterWritesThem)
{
    TelnetFixture f;
    LineServer server;
    f.openTo(QStringLiteral("127.0.0.1"), server.port());
    EXPECT_EQ(f.w->monitorText(),
              QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(server.port()));
    EXPECT_TRUE(f.w->pollTimer->isActive());
    ASSERT_TRUE(server.accept());

    // Negotiation and a prompt without a line end: the prompt shows, the
    // negotiation bytes do not.
    server.write("\xff\xfb\x01\xff\xfb\x03\xff\xfd\x18login: ");
    ASSERT_TRUE(waitUntil([&] { return f.w->monitorText().endsWith(QStringLiteral("login: ")); }, 5000));
    EXPECT_FALSE(f.w->monitorText().contains(QChar(0xff)));

    QTest::keyClicks(f.w->sendBox, QStringLiteral("W1AW"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Return);
    EXPECT_EQ(server.readUntil("\r\n"), QByteArray("W1AW\r\n"));
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());

    // Three spots in one segment behind a greeting, a fourth split in two,
    // then one repeated: every whole line counts, telnet has no repeat test.
    const QByteArray split = line("7012.5", "VK2AB");
    server.write("Hello W1AW\r\n" + line("14025.0", "JA1ABC") + line("21074.0", "ZS6ABC") + line("3525.0", "OH2BH")
                 + split.left(30));
    ASSERT_TRUE(waitUntil([&] { return f.rows() == 3; }, 5000));
    server.write(split.mid(30) + line("14025.0", "JA1ABC"));
    ASSERT_TRUE(waitUntil([&] { return f.rows() == 5; }, 5000));
    const spots::SpotStore& store = f.spots->display.store();
    EXPECT_EQ(store.slot(48).SpotCall, QStringLiteral("VK2AB"));
    EXPECT_FLOAT_EQ(store.slot(48).SpotFrequency, 7.0125f);
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("JA1ABC"));
    EXPECT_EQ(f.w->monitorText().count(QStringLiteral("VK2AB")), 1);

    // With List DX Only ticked, only the spot lines reach the monitor.
    f.w->listDxOnlyCheck->setChecked(true);
    f.w->replaceMonitor(QString());
    server.write("chatter\r\n" + line("28495.0", "PY2AA"));
    ASSERT_TRUE(waitUntil([&] { return f.rows() == 6; }, 5000));
    EXPECT_EQ(f.w->monitorText(), QString::fromLatin1(line("28495.0", "PY2AA")));
}

TEST(TelnetConnection, ARemoteCloseIsReportedAndTheWindowCanConnectAgain)
{
    TelnetFixture f;
    LineServer server;
    f.openTo(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(server.accept());
    server.write("Bye\r\n");
    server.m_peer->disconnectFromHost();
    ASSERT_TRUE(waitUntil([&] { return !f.w->listening(); }, 5000));
    EXPECT_TRUE(f.w->monitorText().endsWith(
        QStringLiteral("Bye\r\nERROR: The connection is reset by remote side.!\r\n\r\n** Port Closed **")));
    EXPECT_FALSE(f.w->pollTimer->isActive());
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);

    // Typing now starts a new connection and says the text could not go.
    QTest::keyClicks(f.w->sendBox, QStringLiteral("SH/DX"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Return);
    EXPECT_TRUE(f.w->listening());
    EXPECT_TRUE(f.w->monitorText().endsWith(
        QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n")));
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(waitUntil([&] { return f.w->connection(spots::ConnectionKind::Telnet).isOpen(); }, 5000));
    QTest::keyClick(f.w->sendBox, Qt::Key_Return);  // an empty line goes as a lone CR LF
    EXPECT_EQ(server.readUntil("\r\n"), QByteArray("\r\n"));
}

TEST(TelnetConnection, RefusedUnresolvableAndUnusableAddressesEachEndAsThePartSays)
{
    TelnetFixture f;
    int closedPort = 0;
    {
        LineServer gone;
        closedPort = gone.port();
    }
    f.openTo(QStringLiteral("127.0.0.1"), closedPort);
    ASSERT_TRUE(waitUntil([&] { return !f.w->listening(); }, 5000));
    EXPECT_TRUE(f.w->monitorText().endsWith(QStringLiteral(
        "\r\n\r\nERROR: Connection is forcefully rejected.\r\n\r\n** Port Closed **")));
    EXPECT_EQ(f.fx.fakes.beeper.count(), 1);

    // A name that cannot be a host fails at once as host not found.
    f.openTo(QStringLiteral("no such host!"), 7300);
    ASSERT_TRUE(waitUntil([&] { return !f.w->listening(); }, 10000));
    EXPECT_TRUE(f.w->monitorText().contains(QStringLiteral("ERROR: Authoritative answer: Host not found.")));

    // A port that is no whole number starts nothing and says nothing.
    f.w->telnetHostBox->setText(QStringLiteral("127.0.0.1"));
    f.w->telnetPortBox->setText(QStringLiteral("73x"));
    f.w->openPortButton->click();
    EXPECT_EQ(f.w->monitorText(), QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    EXPECT_FALSE(f.w->pollTimer->isActive());
    EXPECT_TRUE(f.w->listening());
}

TEST(TelnetConnection, BlocksFedToThePipelineAreCutIntoLines)
{
    SpottingFixture f;
    f.writePackSpot(packSpot("Telnet", 0, true));
    SpottingWindow& w = f.openSpotting();
    w.doneButton->click();
    const QString spot = QString::fromLatin1(line("7012.5", "VK2AB"));
    w.receiveTelnetBlock(spot);
    w.receiveTelnetBlock(spot);
    // Behind a left-over line end the spot is still a line of its own.
    w.receiveTelnetBlock(QStringLiteral("\r\n") + spot);
    // A line that begins with a blank is no spot.
    w.receiveTelnetBlock(QStringLiteral(" ") + spot);
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 3);
    EXPECT_EQ(f.main().txtDX->model()->index(0, 1).data().toString(), QStringLiteral("7.0125"));
    EXPECT_EQ(w.monitorText().count(QStringLiteral("VK2AB")), 4);

    // A prompt has no line end, so the spot that follows is glued to it:
    // the spot is cut where "DX de" begins, and the prompt stays in the
    // monitor while "List DX Only" is unticked.
    const spots::SpotStore& store = f.spots->display.store();
    w.receiveTelnetBlock(QStringLiteral("login: "));
    w.receiveTelnetBlock(QString::fromLatin1(line("14025.0", "JA1ABC")));
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("JA1ABC"));
    EXPECT_FLOAT_EQ(store.slot(49).SpotFrequency, 14.025f);
    EXPECT_TRUE(w.monitorText().endsWith(QString::fromLatin1(line("14025.0", "JA1ABC"))));
    w.listDxOnlyCheck->setChecked(false);
    w.receiveTelnetBlock(QStringLiteral("W1AW de NODE 10-Dec-2026 2359Z >") + QString::fromLatin1(line("21074.0", "ZS6ABC")));
    EXPECT_EQ(store.slot(49).SpotCall, QStringLiteral("ZS6ABC"));
    EXPECT_FLOAT_EQ(store.slot(49).SpotFrequency, 21.074f);
    EXPECT_TRUE(w.monitorText().endsWith(QStringLiteral("2359Z >") + QString::fromLatin1(line("21074.0", "ZS6ABC"))));
    EXPECT_EQ(f.main().txtDX->model()->rowCount(), 5);
}

namespace {

// The ways an operator pastes into a text box of the window: each puts text
// on the clipboard it reads (the primary selection for the middle button)
// and pastes it at the end of the box.
struct PasteWay {
    const char* name;
    void (*paste)(QLineEdit* box, const QString& text);
};

const PasteWay PasteWays[] = {
    {"Ctrl+V",
     [](QLineEdit* box, const QString& text) {
         QApplication::clipboard()->setText(text);
         box->setFocus();
         QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
     }},
    {"Shift+Insert",
     [](QLineEdit* box, const QString& text) {
         QApplication::clipboard()->setText(text);
         box->setFocus();
         QTest::keyClick(box, Qt::Key_Insert, Qt::ShiftModifier);
     }},
    {"middle click",
     [](QLineEdit* box, const QString& text) {
         QClipboard* clipboard = QApplication::clipboard();
         if (!clipboard->supportsSelection()) {
             // A platform without a primary selection (offscreen): the box
             // inserts it at the caret as its middle-button release does.
             box->setCursorPosition(static_cast<int>(box->text().size()));
             box->insert(text);
             return;
         }
         clipboard->setText(text, QClipboard::Selection);
         QTest::mouseClick(box, Qt::MiddleButton, {}, QPoint(box->width() - 2, box->height() / 2));
     }},
};

}  // namespace

// What typing can put into the send box is what a paste leaves there: a
// pasted line break or control character never reaches the cluster, and one
// Enter sends one line.
TEST(TelnetConnection, APasteInTheSendBoxSendsWhatTypingItWould)
{
    TelnetFixture f;
    LineServer server;
    f.openTo(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(waitUntil([&] { return f.w->connection(spots::ConnectionKind::Telnet).isOpen(); }, 5000));
    for (const PasteWay& way : PasteWays) {
        SCOPED_TRACE(way.name);
        way.paste(f.w->sendBox, QStringLiteral("sh/dx\r\nab\tc"));
        EXPECT_EQ(f.w->sendBox->text(), QStringLiteral("sh/dxabc"));
        QTest::keyClick(f.w->sendBox, Qt::Key_Return);
        EXPECT_EQ(server.readUntil("\r\n"), QByteArray("sh/dxabc\r\n"));

        way.paste(f.w->sendBox, QStringLiteral("\x01\x1b\x7f\r\n"));
        EXPECT_TRUE(f.w->sendBox->text().isEmpty());
        QTest::keyClick(f.w->sendBox, Qt::Key_Return);
        EXPECT_EQ(server.readUntil("\r\n"), QByteArray("\r\n"));
    }
}

// The host box likewise: the host connected to is the one typing gives.
TEST(TelnetConnection, APastedHostKeepsWhatTypingItWould)
{
    TelnetFixture f;
    LineServer server;
    for (const PasteWay& way : PasteWays) {
        SCOPED_TRACE(way.name);
        f.w->closePortButton->click();
        f.w->telnetHostBox->setText(QString());
        way.paste(f.w->telnetHostBox, QStringLiteral("127.0.0.1\r\n"));
        EXPECT_EQ(f.w->telnetHostBox->text(), QStringLiteral("127.0.0.1"));
        f.w->telnetPortBox->setText(QString::number(server.port()));
        f.w->openPortButton->click();
        EXPECT_EQ(f.w->monitorText(),
                  QStringLiteral("Attempting connection to: 127.0.0.1:%1\r\n\r\n").arg(server.port()));
        ASSERT_TRUE(server.accept());
    }
}

// The line just sent is gone from the send box for good: Ctrl+Z cannot
// bring it back for Enter to send it a second time.
TEST(TelnetConnection, CtrlZAfterEnterLeavesTheSendBoxEmpty)
{
    TelnetFixture f;
    LineServer server;
    f.openTo(QStringLiteral("127.0.0.1"), server.port());
    ASSERT_TRUE(server.accept());
    ASSERT_TRUE(waitUntil([&] { return f.w->connection(spots::ConnectionKind::Telnet).isOpen(); }, 5000));
    QTest::keyClicks(f.w->sendBox, QStringLiteral("DX 14025.0 JA1ABC"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Return);
    EXPECT_EQ(server.readUntil("\r\n"), QByteArray("DX 14025.0 JA1ABC\r\n"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());
    QTest::keyClick(f.w->sendBox, Qt::Key_Return);
    EXPECT_EQ(server.readUntil("\r\n"), QByteArray("\r\n"));

    // Undo within a line being typed still works.
    QTest::keyClicks(f.w->sendBox, QStringLiteral("sh/dx"));
    QTest::keyClick(f.w->sendBox, Qt::Key_Z, Qt::ControlModifier);
    EXPECT_TRUE(f.w->sendBox->text().isEmpty());
    QTest::keyClick(f.w->sendBox, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(f.w->sendBox->text(), QStringLiteral("sh/dx"));
}

// Every way out of the program leaves a polled Yaesu rig released: the
// bytes sent when the port opened lock its front panel, and closing the
// main window, File > Exit, SIGTERM, SIGINT and SIGHUP each send the
// closing bytes once, before the power line drops two characters' time
// after them. The signals are real ones, sent to a child process that runs
// the program's own signal handling (keying/end_signal_child.h).

#include "app/end_on_signal.h"
#include "app/main_windows.h"
#include "app/out_of_state_window.h"
#include "app/program_services.h"
#include "keying/end_signal_child.h"
#include "platform/end_signals.h"
#include "platform/line_recorder.h"
#include "radio/radio_install.h"
#include "rig_fixture.h"
#include "yaesu_rig_emulator.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include <csignal>
#include <cstdio>

using platform::LineEvent;
using testing_support::waitUntil;
using testing_support::YaesuRigEmulator;

namespace {

const QByteArray OpeningBytes = QByteArray::fromHex("0000000000");
const QByteArray ClosingBytes = QByteArray::fromHex("0000000080");
constexpr int RigPort = 2;

/// The program with its main window open and a "Yaesu 990" polled on
/// port 2 at the given speed, powered by DTR, the hardware recorder
/// watching the port.
class PolledYaesu {
public:
    explicit PolledYaesu(int baud, bool poll = true)
    {
        testing_support::setUpStation(fx);
        fx.state.endProgram = [this] { ++programEnds; };
        fx.state.hardware.setRecorder(&recorder);
        testing_support::pointSerialPortAt(RigPort, rig.devicePath());
        windows.setServices(services);
        radio = radio::installRadio(services, fx.state, windows);
        radio->runModal = [](QDialog& d) { d.hide(); };
        fx.fakes.prompt.answer(platform::MsgResult::Yes);  // continue the existing log
        windows.open();

        // The operator's setup: Ctrl+R, the rig, its port, speed and power,
        // Test, Done.
        QTest::keyClick(windows.window()->txtCall, Qt::Key_R, Qt::ControlModifier);
        radio::RigInterfaceWindow& w = radio->rigWindow();
        w.rigList->setCurrentItem(w.rigList->findItems("Yaesu 990", Qt::MatchExactly).first());
        w.optComm[RigPort - 1]->setChecked(true);
        baudOption(w, baud)->setChecked(true);
        w.optPowerDTR->setChecked(true);
        w.optPollMed->setChecked(true);
        w.testButton->click();
        polled = waitUntil([&] { return w.lblFreq->text() == "14.02500"; }, 4000);
        w.cmdDone->click();
        if (!poll)
            w.endTestButton->click();
    }
    ~PolledYaesu()
    {
        if (windows.window() && windows.window()->isVisible())
            windows.window()->close();
        QApplication::processEvents();
    }

    static QRadioButton* baudOption(radio::RigInterfaceWindow& w, int baud)
    {
        switch (baud) {
        case 1200: return w.optBaud12;
        case 38400: return w.optBaud384;
        default: return w.optBaud48;
        }
    }

    MainWindowBase& main() { return *windows.window(); }

    // The recorder and the rig outlive the program's ports.
    platform::LineRecorder recorder;
    YaesuRigEmulator rig{YaesuRigEmulator::Kind::Ft990};
    testing_support::ProgramFolderFixture fx;
    app::ProgramServices services;
    app::MainWindows windows{fx.state};
    std::shared_ptr<radio::RadioControl> radio;
    int programEnds = 0;
    bool polled = false;
};

/// What the rig and the hardware recorder saw of one run.
struct RigSeen {
    QList<QByteArray> commands;                 ///< every command block the rig took
    std::vector<std::int64_t> closingWrittenNs; ///< when each write of the closing bytes began
    std::vector<LineEvent> dtr;                 ///< the power line's changes
};

RigSeen seen(const YaesuRigEmulator& rig, const platform::LineRecorder& recorder)
{
    RigSeen s;
    s.commands = rig.commands();
    for (const LineEvent& e : recorder.events()) {
        if (e.kind == LineEvent::Kind::Written && e.bytes == ClosingBytes)
            s.closingWrittenNs.push_back(e.monotonicNs);
        if (e.kind == LineEvent::Kind::Dtr)
            s.dtr.push_back(e);
    }
    return s;
}

/// The rig got its closing bytes once, as the last thing it heard, and the
/// power line stayed up for them and two characters more (8N2 at baud).
void expectReleasedOnce(const RigSeen& s, int baud)
{
    ASSERT_FALSE(s.commands.isEmpty());
    EXPECT_EQ(s.commands.first(), OpeningBytes);
    EXPECT_EQ(s.commands.count(ClosingBytes), 1);
    EXPECT_EQ(s.commands.last(), ClosingBytes);
    ASSERT_EQ(s.closingWrittenNs.size(), 1u);
    ASSERT_FALSE(s.dtr.empty());
    EXPECT_EQ(s.dtr.back().value, 0);
    const std::int64_t characterNs = 11 * 1'000'000'000LL / baud;
    EXPECT_GE(s.dtr.back().monotonicNs - s.closingWrittenNs.front(), 7 * characterNs) << baud;
}

}  // namespace

TEST(RigWaysOut, ClosingTheMainWindowAndExitEachReleaseAPolledYaesuOnce)
{
    struct Way {
        const char* name;
        void (*take)(PolledYaesu&);
    };
    const Way ways[] = {
        {"closing the main window", [](PolledYaesu& p) { EXPECT_TRUE(p.main().close()); }},
        {"File > Exit", [](PolledYaesu& p) { p.main().mnuExit->trigger(); }},
    };
    for (const Way& way : ways) {
        for (const int baud : {1200, 4800, 38400}) {
            SCOPED_TRACE(testing::Message() << way.name << " at " << baud << " baud");
            PolledYaesu p(baud);
            ASSERT_TRUE(p.polled);
            way.take(p);
            EXPECT_EQ(p.programEnds, 1);
            ASSERT_TRUE(waitUntil([&] { return p.rig.commands().contains(ClosingBytes); }, 2000));
            // Whatever runs after the way out sends them no second time.
            if (p.windows.window() && p.windows.window()->isVisible())
                p.windows.window()->close();
            p.radio->unloadRigWindow();
            QTest::qWait(100);
            expectReleasedOnce(seen(p.rig, p.recorder), baud);
        }
    }
}

TEST(RigWaysOut, ExitAfterPollingEndedSendsNothing)
{
    PolledYaesu p(4800, false);
    ASSERT_TRUE(p.polled);
    p.main().mnuExit->trigger();
    EXPECT_EQ(p.programEnds, 1);
    QTest::qWait(200);
    EXPECT_FALSE(p.rig.commands().contains(ClosingBytes));
}

// The child's part: the program polls the rig until the signal comes, then
// tells what the rig and the line saw.
TEST(RigWaysOut, DISABLED_ChildPollsAYaesu)
{
    if (testing_support::endSignalChildMode().isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    const int baud = testing_support::endSignalChildMode().toInt();
    PolledYaesu p(baud);
    ASSERT_TRUE(p.polled);
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    app::endProgramOnSignals(endSignals, p.services, p.fx.state, [&p] { return p.windows.window(); });
    testing_support::printReady();
    if (!QTest::qWaitFor([&p] { return p.programEnds > 0; }, 20000))
        std::printf("ZQP NOT ENDED\n");
    (void)waitUntil([&] { return p.rig.commands().contains(ClosingBytes); }, 2000);
    QTest::qWait(100);
    const RigSeen s = seen(p.rig, p.recorder);
    for (const QByteArray& c : s.commands)
        std::printf("ZQP RIG %s\n", c.toHex().constData());
    for (std::int64_t ns : s.closingWrittenNs)
        std::printf("ZQP CLOSING %lld\n", static_cast<long long>(ns));
    for (const LineEvent& e : s.dtr)
        std::printf("ZQP DTR %d %lld\n", e.value, static_cast<long long>(e.monotonicNs));
    std::printf("ZQP ENDED %d BACKUPS 0\n", p.programEnds > 0 ? 1 : 0);
    std::fflush(stdout);
}

TEST(RigWaysOut, EachEndSignalReleasesAPolledYaesuOnce)
{
    struct Case {
        int signalNumber;
        int baud;
    };
    const Case cases[] = {{SIGTERM, 4800}, {SIGINT, 1200}, {SIGHUP, 38400}};
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "signal " << c.signalNumber << " at " << c.baud << " baud");
        const auto run = testing_support::runChildAndSignal(QStringLiteral("RigWaysOut.DISABLED_ChildPollsAYaesu"),
                                                            QByteArray::number(c.baud), c.signalNumber, 600);
        ASSERT_TRUE(run.ready) << run.output.toStdString();
        EXPECT_TRUE(run.exitedNormally) << run.output.toStdString();
        EXPECT_EQ(run.exitCode, 0) << run.output.toStdString();
        EXPECT_TRUE(run.ended) << run.output.toStdString();
        RigSeen s;
        for (const QString& line : run.output.split(QLatin1Char('\n'))) {
            const QStringList w = line.split(QLatin1Char(' '));
            if (w.size() == 3 && w[0] == "ZQP" && w[1] == "RIG")
                s.commands << QByteArray::fromHex(w[2].toLatin1());
            else if (w.size() == 3 && w[0] == "ZQP" && w[1] == "CLOSING")
                s.closingWrittenNs.push_back(w[2].toLongLong());
            else if (w.size() == 4 && w[0] == "ZQP" && w[1] == "DTR")
                s.dtr.push_back({w[3].toLongLong(), {}, LineEvent::Kind::Dtr, w[2].toInt(), {}});
        }
        expectReleasedOnce(s, c.baud);
        // Sent after the signal, not before it.
        if (!s.closingWrittenNs.empty())
            EXPECT_GT(s.closingWrittenNs.front(), run.signalNs);
    }
}

TEST(RigWaysOut, ExitWhileATuneHoldsPollingReleasesTheRigAndTunesNoFurther)
{
    // A spot click's tune stops the poll timer while it waits between its
    // commands; Exit in one of those waits still releases the rig, and the
    // tune sends nothing after the closing bytes.
    testing_support::RigFixture f;
    YaesuRigEmulator rig(YaesuRigEmulator::Kind::Ft990);
    f.connect(rig, "Yaesu 990");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    f.waits->duringWait = [&] { f.radio->release(); };
    float mhz = 21.3f;
    f.radio->ChangeFrequency(mhz);
    ASSERT_TRUE(waitUntil([&] { return rig.commands().contains(ClosingBytes); }, 2000));
    QTest::qWait(100);
    const QList<QByteArray> commands = rig.commands();
    EXPECT_EQ(commands.count(ClosingBytes), 1);
    EXPECT_EQ(commands.last(), ClosingBytes);
    EXPECT_FALSE(f.window().rigPort().isOpen());
}

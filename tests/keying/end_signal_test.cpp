// SIGTERM, SIGINT or SIGHUP while the voice keyer plays a message with its
// push-to-talk on a serial port's RTS line (a pty) and on the parallel port:
// both go down at once and the program ends as closing the main window ends
// it. The child process and its signal are set up by end_signal_child.h; the
// CW key's case is with the serial CW tests.

#include "cw_fixture.h"
#include "end_signal_child.h"
#include "support/pty_peer.h"
#include "voice_fixture.h"

#define MODEM_LINE_SHIM_CONTROLS_ONLY
#include "support/modem_line_shim.h"

#include <QRadioButton>
#include <algorithm>
#include <csignal>
#include <gtest/gtest.h>

using platform::LineEvent;

namespace {
constexpr int PttPort = 4;
constexpr int F2 = 113;
}  // namespace

// The child's part: a five-second message with PTT on RTS and the parallel
// port, until the signal comes.
TEST(EndSignal, DISABLED_ChildPlaysAVoiceMessage)
{
    if (testing_support::endSignalChildMode().isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    testing_support::PtyPeer peer;
    ASSERT_TRUE(peer.isOk());
    testing_support::CwFixture f;
    testing_support::pointSerialPortAt(PttPort, peer.devicePath());
    bool ended = false;
    f.fx.state.endProgram = [&ended] { ended = true; };
    f.fx.state.prefs.CurrentMode = QStringLiteral("PH");
    f.fx.state.phoneSettings.txtPHLoop = QStringLiteral("0");
    f.fx.state.phoneSettings.parallelAddress = QStringLiteral("&H378");
    platform::PlaybackRecorder played;
    auto voice = keying::VoiceKeying::install(f.services, f.fx.state);
    voice->preparePlayer = [&played](platform::WavPlayer& p) {
        p.setSilent(true);
        p.setRecorder(&played);
    };
    f.open();
    f.type(QStringLiteral("K6ABC"));
    f.key(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.key(Qt::Key_Space);
    f.type(QStringLiteral("alam"));
    f.key(Qt::Key_Return);
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    app::endProgramOnSignals(endSignals, f.services, f.fx.state, [&f] { return f.window.get(); });

    keying::VoiceKeyerWindow& phone = voice->phone();
    const QString wave = f.fx.path(QStringLiteral("cq.wav"));
    testing_support::writeBytes(wave, testing_support::silenceWave(5000));
    phone.waveBoxF2->setText(wave);
    phone.pttSerialPortBox->setText(QString::number(PttPort));
    phone.pttLineParallel->setChecked(true);  // the parallel port and RTS
    modem_line_shim::enable(true);            // the pty's RTS works as a port's
    testing_support::printReady();
    int key = F2;
    f.services.FKeyPhone(key);
    if (!QTest::qWaitFor([&ended] { return ended; }, 20000))
        std::printf("ZQP NOT ENDED\n");
    testing_support::printOutcome(f.recorder, ended, f.fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP"));
}

TEST(EndSignal, DuringAVoiceMessagePttGoesDownOnEveryLineAndTheProgramEndsAsClosingDoes)
{
    for (int signalNumber : {SIGTERM, SIGINT, SIGHUP}) {
        const auto run = testing_support::runChildAndSignal(QStringLiteral("EndSignal.DISABLED_ChildPlaysAVoiceMessage"),
                                                            "voice", signalNumber, 500);
        ASSERT_TRUE(run.ready) << run.output.toStdString();
        EXPECT_TRUE(run.exitedNormally) << signalNumber << run.output.toStdString();
        EXPECT_EQ(run.exitCode, 0) << signalNumber;
        EXPECT_TRUE(run.ended) << signalNumber;
        EXPECT_EQ(run.backups, 1) << signalNumber;
        struct Line {
            LineEvent::Kind kind;
            int on, off;
        };
        for (const Line& l : {Line{LineEvent::Kind::Rts, 1, 0}, Line{LineEvent::Kind::ParallelControl, 3, 2}}) {
            const auto events = run.of(l.kind);
            const auto after = std::find_if(events.begin(), events.end(),
                                            [&](const LineEvent& e) { return e.monotonicNs > run.signalNs; });
            ASSERT_NE(after, events.begin()) << signalNumber;
            ASSERT_NE(after, events.end()) << signalNumber << ": nothing after the signal";
            EXPECT_EQ(std::prev(after)->value, l.on) << signalNumber << ": PTT on when the signal came";
            EXPECT_EQ(events.back().value, l.off) << signalNumber;
            EXPECT_LT(testing_support::ms(after->monotonicNs - run.signalNs), 200) << signalNumber;
        }
    }
}

// The child's part: a box open when the signal comes is closed with its
// cancelling answer (the program's ending leaves every event loop), and once
// the end was asked for the real prompts show nothing and give their
// cancelling answers (a box shown here would wait for ever, offscreen, for a
// click that never comes).
TEST(EndSignal, DISABLED_ChildPromptsAfterTheRequest)
{
    if (testing_support::endSignalChildMode().isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    QObject::connect(&endSignals, &platform::EndSignals::endRequested, [] { QCoreApplication::exit(0); });
    platform::WidgetPrompt prompt;
    testing_support::printReady();
    const auto open = prompt.messageBox(QStringLiteral("Keep the log?"), platform::MsgButtons::YesNoCancel,
                                        platform::MsgIcon::Question, QStringLiteral("Title"));
    const auto yesNo = prompt.messageBox(QStringLiteral("Save?"), platform::MsgButtons::YesNo,
                                         platform::MsgIcon::Question, QStringLiteral("Title"));
    const auto okCancel = prompt.messageBox(QStringLiteral("Go on?"), platform::MsgButtons::OkCancel,
                                            platform::MsgIcon::None, QStringLiteral("Title"));
    const QString typed = prompt.inputBox(QStringLiteral("Call?"), QStringLiteral("Title"), QStringLiteral("K6AA"));
    std::printf("ZQP PROMPTS %d %d %d %d\n", open == platform::MsgResult::Cancel ? 1 : 0,
                yesNo == platform::MsgResult::No ? 1 : 0, okCancel == platform::MsgResult::Cancel ? 1 : 0,
                typed.isEmpty() ? 1 : 0);
    std::fflush(stdout);
}

TEST(EndSignal, NoBoxWaitsForAnAnswerOnceTheEndWasAskedFor)
{
    const auto run = testing_support::runChildAndSignal(QStringLiteral("EndSignal.DISABLED_ChildPromptsAfterTheRequest"),
                                                        "prompts", SIGTERM, 300);
    ASSERT_TRUE(run.ready) << run.output.toStdString();
    EXPECT_TRUE(run.exitedNormally);
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_TRUE(run.output.contains(QStringLiteral("ZQP PROMPTS 1 1 1 1"))) << run.output.toStdString();
}

// The voice keyer's PTT on a serial port (a pty stands in for the port's
// device): RTS or DTR up before the first sample and down within a poll of
// the last, RTS beside the parallel port, a port that will not open, and a
// failure after PTT was raised.

#include "voice_fixture.h"

#include "radio/rig_port.h"
#include "support/pty_peer.h"

#define MODEM_LINE_SHIM_CONTROLS_ONLY
#include "support/modem_line_shim.h"

#include <QLineEdit>
#include <QRadioButton>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::LineEvent;

namespace {

constexpr int F1 = 112, F2 = 113;
constexpr std::int64_t PollNs = 40'000'000;
constexpr int PttPort = 4;

class PhonePttTest : public ::testing::Test, public VoiceFixture {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(pty.isOk());
        pointSerialPortAt(PttPort, pty.devicePath());
        phone().waveBoxF2->setText(wave(QStringLiteral("cq.wav"), 250));
        phone().pttSerialPortBox->setText(QString::number(PttPort));
        // The pty's modem lines work as a serial port's do.
        modem_line_shim::enable(true);
    }
    void TearDown() override { modem_line_shim::enable(false); }
    /// The changes of a serial line from its first keying on (opening the
    /// port lowers both lines first).
    std::vector<LineEvent> keying(LineEvent::Kind kind) const
    {
        auto events = lineEvents(kind);
        auto first = std::find_if(events.begin(), events.end(), [](const LineEvent& e) { return e.value == 1; });
        return {first, events.end()};
    }
    std::vector<int> levels(LineEvent::Kind kind) const
    {
        std::vector<int> v;
        for (const auto& e : keying(kind))
            v.push_back(e.value);
        return v;
    }

    PtyPeer pty;
};

}  // namespace

TEST_F(PhonePttTest, TheChosenLineKeysExactlyWhileTheMessagePlays)
{
    struct Case {
        QRadioButton* option;
        LineEvent::Kind keyed;
        LineEvent::Kind idle;
    };
    for (const Case& c : {Case{phone().pttLineRts, LineEvent::Kind::Rts, LineEvent::Kind::Dtr},
                          Case{phone().pttLineDtr, LineEvent::Kind::Dtr, LineEvent::Kind::Rts}}) {
        lines.clear();
        played.clear();
        c.option->setChecked(true);
        fkey(F2);
        ASSERT_TRUE(waitIdle());
        const auto ptt = keying(c.keyed);
        const auto play = played.played();
        ASSERT_EQ(ptt.size(), 2u);
        ASSERT_EQ(play.size(), 1u);
        EXPECT_EQ(ptt[0].device, pty.devicePath());
        EXPECT_EQ(ptt[0].value, 1);
        EXPECT_EQ(ptt[1].value, 0);
        EXPECT_LT(ptt[0].monotonicNs, play[0].monotonicNs);
        const std::int64_t lastSample = play[0].monotonicNs + play[0].lengthNs;
        EXPECT_GE(ptt[1].monotonicNs, lastSample);
        EXPECT_LT(ptt[1].monotonicNs - lastSample, PollNs) << ms(ptt[1].monotonicNs - lastSample) << " ms";
        // The other line never went up.
        EXPECT_TRUE(keying(c.idle).empty());
        EXPECT_EQ(phone().openPttPort(), PttPort);
    }
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

// A line that cannot be keyed (a port without modem lines, an adapter pulled
// out mid-contest) is said for each message, naming the line; the port is
// let go and the next message opens it again, so a mended port is used.
TEST_F(PhonePttTest, AFailingLineIsReportedForEachMessageAndThePortTriedAgain)
{
    modem_line_shim::enable(false);  // a pty of its own has no modem lines
    for (int message = 1; message <= 2; ++message) {
        fkey(F2);
        ASSERT_TRUE(waitIdle());
        EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), message);
        EXPECT_TRUE(fx.fakes.prompt.shown().back().text.contains(QStringLiteral("Cannot set RTS on ")))
            << fx.fakes.prompt.shown().back().text.toStdString();
        EXPECT_EQ(fx.fakes.beeper.count(), message);
        EXPECT_EQ(phone().openPttPort(), 0);
    }
    EXPECT_EQ(lineEvents(LineEvent::Kind::Opened).size(), 2u);
    // The adapter back: the next message keys it with no word.
    modem_line_shim::enable(true);
    fkey(F2);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 2);
    EXPECT_EQ(levels(LineEvent::Kind::Rts).back(), 0);
    EXPECT_EQ(phone().openPttPort(), PttPort);
}

TEST_F(PhonePttTest, APortTheRigHoldsIsRefusedAndTheRigKeepsIt)
{
    radio::RigPort rig(fx.state.hardware);
    QString error;
    ASSERT_TRUE(rig.open(PttPort, QStringLiteral("4800,N,8,2"), false, error)) << error.toStdString();
    const quint64 rigConnection = fx.state.hardware.serial(PttPort).connection();
    phone().runModal = [](QDialog&) {};
    lines.clear();
    fkey(F2);
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.fakes.prompt.shown()[0].text,
              QStringLiteral("The port you have selected for Phone keying is invalid.  Please select another or enter 0 "
                             "for none.  Serial port 4 is in use by the rig interface."));
    EXPECT_EQ(phone().openPttPort(), 0);
    ASSERT_TRUE(waitIdle());
    // The box back to 0 lets go of nothing that is not the keyer's.
    phone().closePttPort();
    EXPECT_TRUE(rig.isOpen());
    EXPECT_EQ(fx.state.hardware.serial(PttPort).connection(), rigConnection);
    EXPECT_TRUE(lineEvents(LineEvent::Kind::Closed).empty());
    EXPECT_TRUE(keying(LineEvent::Kind::Rts).empty());
}

TEST_F(PhonePttTest, AParallelPortThatCannotBeOpenedIsReportedForEachMessage)
{
    phone().pttSerialPortBox->setText(QStringLiteral("0"));
    phone().pttLineParallel->setChecked(true);
    fx.state.hardware.parallel().setRecordOnly(false);
    writeBytes(fx.path(QStringLiteral("parports.txt")), "0x378=/nonexistent/parport0\n");
    fkey(F2);
    const auto& shown = fx.fakes.prompt.shown();
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0].title, QStringLiteral("Invalid port."));
    EXPECT_TRUE(shown[0].text.startsWith(QStringLiteral("The PTT line could not be keyed: Cannot open the parallel "
                                                        "port /nonexistent/parport0")))
        << shown[0].text.toStdString();
    EXPECT_TRUE(shown[0].text.contains(QStringLiteral("parports.txt")));
    EXPECT_TRUE(played.played().empty());
    EXPECT_FALSE(services.voicePlaying());
    fkey(F2);
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 2);
    // Each message tried the port again: key up and key down were written.
    std::vector<int> parallel;
    for (const auto& e : lineEvents(LineEvent::Kind::ParallelControl))
        parallel.push_back(e.value);
    EXPECT_EQ(parallel, (std::vector<int>{3, 2, 3, 2}));
}

TEST_F(PhonePttTest, ParallelWithASerialPortKeysRtsAndTheParallelPort)
{
    phone().pttLineParallel->setChecked(true);
    fkey(F2);
    ASSERT_TRUE(waitIdle());
    EXPECT_EQ(levels(LineEvent::Kind::Rts), (std::vector<int>{1, 0}));
    std::vector<int> parallel;
    for (const auto& e : lineEvents(LineEvent::Kind::ParallelControl))
        parallel.push_back(e.value);
    EXPECT_EQ(parallel, (std::vector<int>{3, 2}));
}

// A parallel address that names no port: RTS, already up, drops, nothing
// plays, and each message says why.
TEST_F(PhonePttTest, AFailureAfterRtsWasRaisedDropsIt)
{
    phone().pttLineParallel->setChecked(true);
    int message = 0;
    for (const char* address : {"printer", "LPT1", "&HZZZ", ""}) {
        ++message;
        lines.clear();
        phone().parallelAddressBox->setText(QString::fromLatin1(address));
        fkey(F2);
        EXPECT_FALSE(services.voicePlaying()) << address;
        EXPECT_EQ(levels(LineEvent::Kind::Rts), (std::vector<int>{1, 0})) << address;
        EXPECT_TRUE(played.played().empty()) << address;
        ASSERT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), message) << address;
        EXPECT_TRUE(fx.fakes.prompt.shown().back().text.contains(
            QStringLiteral("The parallel port address \"%1\" names no port").arg(QString::fromLatin1(address))))
            << fx.fakes.prompt.shown().back().text.toStdString();
    }
}

TEST_F(PhonePttTest, APortThatWillNotOpenIsReportedAndTheMessagePlaysUnkeyed)
{
    phone().pttSerialPortBox->setText(QStringLiteral("9"));  // not in the port table
    int modalRuns = 0;
    phone().runModal = [&](QDialog&) {
        ++modalRuns;
        // The operator corrects the port in the window and clicks Done.
        phone().pttSerialPortBox->setText(QStringLiteral("0"));
    };
    fkey(F2);
    EXPECT_EQ(fx.fakes.beeper.count(), 1);
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    EXPECT_EQ(fx.fakes.prompt.shown()[0].text,
              QStringLiteral("The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none."));
    EXPECT_EQ(fx.fakes.prompt.shown()[0].title, QStringLiteral("Invalid port."));
    EXPECT_EQ(modalRuns, 1);
    EXPECT_EQ(played.played().size(), 1u);
    EXPECT_TRUE(lineEvents(LineEvent::Kind::Rts).empty());
    ASSERT_TRUE(waitIdle());
}

TEST_F(PhonePttTest, LeavingThePortBoxTakesThePortAtOnce)
{
    phone().show();
    phone().activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&phone()));
    phone().pttSerialPortBox->setFocus();
    phone().waveBoxF1->setFocus();
    EXPECT_EQ(phone().openPttPort(), PttPort);
    EXPECT_TRUE(fx.state.hardware.serial(PttPort).isOpen());
    // No line is up for an open port alone.
    EXPECT_TRUE(keying(LineEvent::Kind::Rts).empty());
    EXPECT_TRUE(keying(LineEvent::Kind::Dtr).empty());

    voice->release();
    EXPECT_EQ(phone().openPttPort(), 0);
    EXPECT_FALSE(fx.state.hardware.serial(PttPort).isOpen());
}

TEST_F(PhonePttTest, RepeatKeysAndUnkeysEachTime)
{
    phone().waveBoxF1->setText(wave(QStringLiteral("short.wav"), 80));
    phone().txtPHLoop->setText(QStringLiteral("0.1"));
    phone().tmrRepeat.setInterval(100);
    fkey(F1);
    ASSERT_TRUE(waitFor([this] { return played.played().size() >= 3; }));
    fx.state.keying.VoiceRepeatArmed = 0;
    services.stopVoiceRepeatTimer();
    ASSERT_TRUE(waitIdle());
    const auto rts = levels(LineEvent::Kind::Rts);
    ASSERT_GE(rts.size(), 6u);
    for (std::size_t i = 0; i < rts.size(); ++i)
        EXPECT_EQ(rts[i], i % 2 == 0 ? 1 : 0) << i;
}

TEST_F(PhonePttTest, TakingThePortClosesTheOtherKeyersAndTheyCanCloseIt)
{
    QStringList closed;
    fx.state.keying.closePort.cwKeyingPort = [&] { closed << QStringLiteral("cw"); };
    fx.state.keying.closePort.winKey = [&] { closed << QStringLiteral("winkey"); };
    // The WinKey is closed only while it is open.
    fx.fakes.prompt.answer(platform::MsgResult::Ok);
    fkey(F2);
    EXPECT_EQ(closed, QStringList{QStringLiteral("cw")});
    ASSERT_TRUE(waitIdle());
    phone().closePttPort();
    fx.state.keying.WinKeyOpen = 23;
    closed.clear();
    fkey(F2);
    EXPECT_EQ(closed, (QStringList{QStringLiteral("winkey"), QStringLiteral("cw")}));

    // The CW window's port set-up takes the port back, mid-message too: RTS
    // falls with it.
    keying::KeyerPortClosers::run(fx.state.keying.closePort.voicePttPort);
    EXPECT_EQ(phone().openPttPort(), 0);
    EXPECT_FALSE(fx.state.hardware.serial(PttPort).isOpen());
    EXPECT_EQ(levels(LineEvent::Kind::Rts).back(), 0);
    ASSERT_TRUE(waitIdle());
}

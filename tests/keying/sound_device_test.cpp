// The voice keyer and the spoken prompts playing through a real sound
// output: quick restarts, repeats, Esc in the middle, prompts one after
// another, players that go away while they play, and PTT held exactly while a
// message is heard. These need a sound server (PULSE_SERVER) that plays in
// real time; the test command starts one with a null sink.

#include "voice_main_window_fixture.h"

#include "platform/key_events.h"
#include "support/private_sound_server.h"

#include <QLabel>
#include <QProcess>
#include <QRandomGenerator>
#include <QRadioButton>
#include <algorithm>
#include <gtest/gtest.h>

using namespace testing_support;
using platform::WavPlayer;

namespace {

/// Skips a test that needs a sound server when none is set, unless the test
/// command asked for one (then its absence is a failure).
bool soundServerMissing()
{
    if (!qEnvironmentVariableIsEmpty("PULSE_SERVER"))
        return false;
    if (qEnvironmentVariableIsSet("ZQP_REQUIRE_SOUND"))
        ADD_FAILURE() << "ZQP_REQUIRE_SOUND is set but no PULSE_SERVER";
    return true;
}

#define REQUIRE_SOUND_SERVER()                                    \
    do {                                                          \
        if (soundServerMissing())                                 \
            GTEST_SKIP() << "no sound server (PULSE_SERVER)";     \
    } while (0)

/// A wave file of a 440 Hz tone, so the sound output has real samples.
QString toneWave(const ProgramFolderFixture& fx, const QString& name, int lengthMs)
{
    const QString p = fx.path(name);
    EXPECT_TRUE(writeEncodedWave(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8 * lengthMs));
    return p;
}

/// The voice windows with players that go to the sound device.
struct AudibleVoiceFixture : VoiceFixture {
    AudibleVoiceFixture()
    {
        voice->preparePlayer = [this](platform::WavPlayer& p) { p.setRecorder(&played); };
    }
};

/// A main window with audible voice windows.
struct AudibleMainWindowFixture : VoiceMainWindowFixture {
    AudibleMainWindowFixture()
    {
        voice->preparePlayer = [this](platform::WavPlayer& p) { p.setRecorder(&played); };
    }
};

}  // namespace

// Starts, restarts, stops and closes at random moments, two players at once
// (keyer and prompts share the device), and players destroyed mid-sound.
TEST(SoundDevice, PlayersSurviveQuickRestartsStopsAndClosing)
{
    REQUIRE_SOUND_SERVER();
    ProgramFolderFixture fx;
    const QString oneSecond = toneWave(fx, QStringLiteral("one.wav"), 1000);
    const QString short1 = toneWave(fx, QStringLiteral("short.wav"), 120);
    QRandomGenerator random(12345);
    WavPlayer keyer;
    WavPlayer prompts;
    for (int i = 0; i < 60; ++i) {
        ASSERT_TRUE(keyer.open(oneSecond));
        keyer.play();
        ASSERT_TRUE(prompts.open(short1));
        prompts.play();
        QTest::qWait(static_cast<int>(random.bounded(60)));
        switch (random.bounded(4)) {
        case 0: keyer.stop(); break;
        case 1: keyer.close(); break;
        case 2: keyer.play(); break;  // from the start again, while it plays
        default: break;
        }
        if (i % 10 == 9) {
            auto gone = std::make_unique<WavPlayer>();
            ASSERT_TRUE(gone->open(oneSecond));
            gone->play();
            QTest::qWait(30);
        }
    }
    keyer.close();
    // A player plays to its end after all that.
    ASSERT_TRUE(prompts.open(short1));
    prompts.play();
    EXPECT_TRUE(QTest::qWaitFor([&] { return !prompts.isPlaying(); }, 3000));
}

/// The server's streams of this process (sink inputs), as pactl lists them.
int streamsOfThisProcess()
{
    QProcess pactl;
    pactl.start(QStringLiteral("pactl"), {QStringLiteral("list"), QStringLiteral("sink-inputs")});
    if (!pactl.waitForFinished(10000) || pactl.exitCode() != 0)
        return -1;
    const QString mine = QStringLiteral("application.process.id = \"%1\"").arg(QCoreApplication::applicationPid());
    return QString::fromUtf8(pactl.readAllStandardOutput()).count(mine);
}

// A sound replaced before the server has even made its stream: the stream
// must still go, or each quick restart leaves a silent stream on the server
// for the rest of the session.
TEST(SoundDevice, QuickRestartsLeaveNoStreamBehind)
{
    REQUIRE_SOUND_SERVER();
    ProgramFolderFixture fx;
    const QString prompt = toneWave(fx, QStringLiteral("prompt.wav"), 300);
    WavPlayer player;
    for (int i = 0; i < 40; ++i) {
        ASSERT_TRUE(player.open(prompt));
        player.play();
        if (i % 8 == 0)
            QTest::qWait(5);
    }
    player.close();
    EXPECT_TRUE(QTest::qWaitFor([] { return streamsOfThisProcess() == 0; }, 3000))
        << streamsOfThisProcess() << " streams left on the server";
}

// F1 struck again and again while its message plays, the F1 repeat running,
// and Esc in the middle: the program keeps running and PTT ends down.
TEST(SoundDevice, VoiceKeyerRestartsRepeatsAndEscape)
{
    REQUIRE_SOUND_SERVER();
    AudibleVoiceFixture v;
    v.fx.state.phoneSettings.wavePathsAndPttPort[0] = toneWave(v.fx, QStringLiteral("cq.wav"), 1000);
    v.fx.state.phoneSettings.txtPHLoop = QStringLiteral("0.2");
    v.fx.state.phoneSettings.repeatIntervalMs = 200;
    v.phone();
    for (int i = 0; i < 25; ++i) {
        v.fkey(platform::vbkey::F1);
        QTest::qWait(i % 3 == 0 ? 300 : 40);
    }
    // The repeat: the message again after its pause.
    EXPECT_TRUE(v.waitFor([&] { return v.playback(platform::PlaybackEvent::Kind::Played).size() >= 27u; }, 8000));
    QTest::keyClick(&v.phone(), Qt::Key_Escape);
    EXPECT_TRUE(v.waitIdle());
    EXPECT_FALSE(v.phone().wavPlayer.isPlaying());
}

// Navigation prompts started one after another as fast as boxes take the
// focus, then the window unloaded while one plays.
TEST(SoundDevice, NavigationPromptsInQuickSuccession)
{
    REQUIRE_SOUND_SERVER();
    AudibleVoiceFixture v;
    for (const char* name : {"Call", "SerNum", "County", "Dupe"})
        toneWave(v.fx, QString::fromLatin1(name) + QStringLiteral(".wav"), 400);
    const char* order[] = {"Call", "SerNum", "County", "Call", "Dupe"};
    for (int i = 0; i < 60; ++i) {
        v.services.onBlindKeyPhone(QString::fromLatin1(order[i % 5]));
        QTest::qWait(i % 7 == 0 ? 150 : 15);
    }
    v.voice->unloadBlind();
    v.services.onBlindKeyPhone(QStringLiteral("Call"));
    QTest::qWait(100);
    v.voice->unloadBlind();
}

// With no sound device the transmitter is never keyed for dead air: each
// message says why, and nothing is played.
TEST(SoundDevice, NoDeviceKeysNothingAndSaysSoForEachMessage)
{
    SoundServerAddress none("unix:/nonexistent/sound-server");
    AudibleVoiceFixture v;
    v.fx.state.phoneSettings.wavePathsAndPttPort[1] = toneWave(v.fx, QStringLiteral("cq.wav"), 500);
    v.phone().pttLineParallel->setChecked(true);
    for (int message = 1; message <= 2; ++message) {
        v.fkey(platform::vbkey::F2);
        EXPECT_EQ(v.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Unable to play file.")), message);
        EXPECT_EQ(v.fx.fakes.prompt.shown().back().text,
                  QStringLiteral("No sound output device: the voice message was not sent."));
    }
    EXPECT_TRUE(v.waitIdle());
    EXPECT_TRUE(v.lineEvents(platform::LineEvent::Kind::ParallelControl).empty());
    EXPECT_TRUE(v.played.played().empty());
}

// PTT is held while the message is heard, and no longer: it drops as the
// last sample of a 2 s message has played, not when the device gets round
// to saying so. The measure of the sound's end: the recorder's Played stamp,
// taken right after the sound is handed to the sound output (so before its
// first sample can have played), plus the file's length. The last sample
// cannot have played before that moment, and a sink that plays in real time
// lets it out a few tens of milliseconds after it (the stream's start and
// the server's buffer). So PTT must never drop before that moment (give or
// take the millisecond between the player's clock reading and the
// recorder's), and must drop within 150 ms of it: the poll's 40 ms, the
// server's word that the stream has drained, and room for a busy machine.
// A device that holds a stream back (a PulseAudio null sink drains 2 s
// late) keeps PTT up for up to 1 s longer, every time, and fails here.
// The server is the test's own, so that no other test's streams share its
// timing; a server starved of the processor by the tests running beside it
// still starts a stream late now and then, and the sound then really ends
// late: the message is sent up to three times, and one must end on time.
TEST(SoundDevice, PttDropsAsTheLastSampleOfAMessageHasPlayed)
{
    REQUIRE_SOUND_SERVER();
    PrivateSoundServer server;
    ASSERT_TRUE(server.running());
    SoundServerAddress address(server.address());
    AudibleVoiceFixture v;
    v.fx.state.phoneSettings.wavePathsAndPttPort[0] = toneWave(v.fx, QStringLiteral("cq.wav"), 2000);
    v.phone().pttLineParallel->setChecked(true);
    std::vector<double> lateMs;
    for (int attempt = 0; attempt < 3; ++attempt) {
        v.lines.clear();
        v.played.clear();
        v.fkey(platform::vbkey::F1);
        ASSERT_TRUE(v.waitIdle(5000));
        EXPECT_EQ(v.fx.fakes.prompt.shown().size(), 0u);
        const auto ptt = v.lineEvents(platform::LineEvent::Kind::ParallelControl);
        ASSERT_EQ(ptt.size(), 2u);
        EXPECT_EQ(ptt[0].value, 3);
        EXPECT_EQ(ptt[1].value, 2);
        const auto played = v.playback(platform::PlaybackEvent::Kind::Played);
        ASSERT_EQ(played.size(), 1u);
        ASSERT_EQ(played[0].lengthNs, 2'000'000'000);
        EXPECT_LE(ptt[0].monotonicNs, played[0].monotonicNs) << "PTT was raised after the sound started";
        const std::int64_t soundEnd = played[0].monotonicNs + played[0].lengthNs;
        EXPECT_GE(ptt[1].monotonicNs, soundEnd - 1'000'000) << "PTT dropped " << ms(soundEnd - ptt[1].monotonicNs)
                                                            << " ms before the last sample could have played";
        lateMs.push_back(ms(ptt[1].monotonicNs - soundEnd));
        if (lateMs.back() <= 150.0)
            break;
    }
    EXPECT_LE(*std::min_element(lateMs.begin(), lateMs.end()), 150.0)
        << "PTT dropped " << ::testing::PrintToString(lateMs) << " ms after the end of each message";
}

// The device gone mid-message (here its server killed): PTT drops at once,
// not at the file's end, the repeat ends and the operator is told.
TEST(SoundDevice, ADeviceLostMidMessageDropsPttAtOnceAndSaysSo)
{
    REQUIRE_SOUND_SERVER();
    PrivateSoundServer server;
    ASSERT_TRUE(server.running()) << "the sound server could not be started";
    SoundServerAddress address(server.address());
    AudibleVoiceFixture v;
    v.fx.state.phoneSettings.wavePathsAndPttPort[0] = toneWave(v.fx, QStringLiteral("cq.wav"), 4000);
    v.fx.state.phoneSettings.txtPHLoop = QStringLiteral("1");
    v.fx.state.phoneSettings.repeatIntervalMs = 1000;
    v.phone().pttLineParallel->setChecked(true);
    v.fkey(platform::vbkey::F1);
    ASSERT_EQ(v.lineEvents(platform::LineEvent::Kind::ParallelControl).size(), 1u);
    QTest::qWait(400);
    ASSERT_TRUE(v.phone().wavPlayer.isPlaying());
    const std::int64_t pulled = platform::monotonicNs();
    server.kill();
    ASSERT_TRUE(v.waitIdle(2000));
    const auto ptt = v.lineEvents(platform::LineEvent::Kind::ParallelControl);
    ASSERT_EQ(ptt.size(), 2u);
    EXPECT_EQ(ptt[1].value, 2);
    EXPECT_LT(ms(ptt[1].monotonicNs - pulled), 500.0);
    ASSERT_EQ(v.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Unable to play file.")), 1);
    EXPECT_TRUE(v.fx.fakes.prompt.shown().back().text.startsWith(QStringLiteral("The sound output failed")))
        << v.fx.fakes.prompt.shown().back().text.toStdString();
    EXPECT_EQ(v.fx.state.keying.VoiceRepeatArmed, 0);
    QTest::qWait(1300);
    EXPECT_EQ(v.played.played().size(), 1u);  // no repeat
}

// The whole main window: contacts typed at an operator's speed with every
// field announcing itself, F1 struck again and again, Esc, and the window
// closed while a prompt plays.
TEST(SoundDevice, ContactsTypedWithVoiceNavigationAndF1Restarts)
{
    REQUIRE_SOUND_SERVER();
    AudibleMainWindowFixture v;
    auto& w = v.open();
    v.fx.state.prefs.VoiceNavLevel = 2;
    for (int i = 0; i < 20; ++i) {
        w.txtCall->setFocus();
        QTest::keyClicks(w.txtCall, QStringLiteral("K6A%1").arg(QChar(QLatin1Char(static_cast<char>('A' + i)))), Qt::NoModifier, 20);
        QTest::keyClick(w.txtCall, Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QString::number(i + 1), Qt::NoModifier, 20);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
        QTest::keyClicks(QApplication::focusWidget(), QStringLiteral("alam"), Qt::NoModifier, 20);
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QTest::qWait(30);
    }
    EXPECT_EQ(v.fx.state.log.contacts.ContactCount(), 20) << w.lblDialog->text().toStdString();
    EXPECT_GE(v.played.played().size(), 40u);

    v.phone().waveBoxF1->setText(toneWave(v.fx, QStringLiteral("cq.wav"), 1000));
    v.phone().pttLineParallel->setChecked(true);
    w.txtCall->setFocus();
    for (int i = 0; i < 15; ++i) {
        QTest::keyClick(w.txtCall, Qt::Key_F1);
        QTest::qWait(i % 4 == 0 ? 300 : 50);
    }
    EXPECT_TRUE(v.phone().wavPlayer.isPlaying());
    QTest::keyClick(w.txtCall, Qt::Key_Escape);
    EXPECT_FALSE(v.phone().wavPlayer.isPlaying());
    ASSERT_TRUE(v.waitIdle(1000));
    const auto ptt = v.lineEvents(platform::LineEvent::Kind::ParallelControl);
    ASSERT_FALSE(ptt.empty());
    EXPECT_EQ(ptt.back().value, 2);

    // Closing with a prompt playing.
    v.services.onBlindKeyPhone(QStringLiteral("Call"));
    w.close();
    QApplication::processEvents();
}

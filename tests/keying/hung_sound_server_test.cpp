// A sound server that has stopped answering (SIGSTOP), as a hung server on
// an operator's desktop: a voice message is refused after one bounded wait,
// and the refusal's beep, and every beep after it, never wait for the server
// on the GUI thread. The server is the test's own, so it can be stopped.

#include "voice_fixture.h"

#include "app/app_state.h"
#include "platform/beeper.h"
#include "platform/key_events.h"
#include "platform/sound_output.h"
#include "platform/tone.h"
#include "support/private_sound_server.h"

#include <QRadioButton>
#include <atomic>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

/// Starts the test's own server; false (the test then skips, or fails when
/// the test command asks for sound) when the machine has none.
bool started(const PrivateSoundServer& server)
{
    if (server.running())
        return true;
    if (qEnvironmentVariableIsSet("ZQP_REQUIRE_SOUND"))
        ADD_FAILURE() << "no sound server could be started";
    return false;
}

double msSince(std::int64_t startNs) { return ms(platform::monotonicNs() - startNs); }

/// A tone wave file in the program folder, so the output has real samples.
QString toneFile(const ProgramFolderFixture& fx, const QString& name, int lengthMs)
{
    const QString p = fx.path(name);
    EXPECT_TRUE(writeEncodedWave(p, SF_FORMAT_WAV | SF_FORMAT_PCM_16, 8 * lengthMs));
    return p;
}

}  // namespace

TEST(HungSoundServer, AVoiceMessageWaitsForTheServerOnceAndItsBeepsNever)
{
    PrivateSoundServer server;
    if (!started(server))
        GTEST_SKIP() << "no sound server";
    SoundServerAddress address(server.address());

    // The program's own beeper, which plays its tone through the server.
    ProgramFolderFixture fx;
    platform::Beeper beeper;
    platform::Services services{fx.fakes.prompt, beeper, fx.fakes.clock, fx.fakes.screen, *fx.fakes.registry};
    app::AppState state(services);
    state.folders = fx.state.folders;
    state.hardware.parallel().setRecordOnly(true);
    state.phoneSettings.wavePathsAndPttPort[0] = toneFile(fx, QStringLiteral("cq.wav"), 300);
    state.phoneSettings.wavePathsAndPttPort[9] = QStringLiteral("0");
    state.phoneSettings.pttLineOption = 2;  // Parallel
    state.phoneSettings.txtPHLoop = QStringLiteral("0");
    state.phoneSettings.parallelAddress = QStringLiteral("&H378");
    app::ProgramServices programServices;
    auto voice = keying::VoiceKeying::install(programServices, state);
    int key = platform::vbkey::F1;

    // The message plays while the server answers.
    programServices.FKeyPhone(key);
    ASSERT_TRUE(voice->phone().wavPlayer.isPlaying());
    ASSERT_TRUE(QTest::qWaitFor([&] { return !voice->phone().endPollTimer.isActive(); }, 3000));

    server.pause();
    const std::int64_t pressed = platform::monotonicNs();
    programServices.FKeyPhone(key);
    const double held = msSince(pressed);
    EXPECT_FALSE(voice->phone().wavPlayer.isPlaying());
    EXPECT_EQ(fx.fakes.prompt.countShownWithTitle(QStringLiteral("Unable to play file.")), 1);
    EXPECT_EQ(beeper.count(), 1);
    // One bounded wait: the device check before PTT; the beep adds none.
    EXPECT_LT(held, 2500.0) << "F1 held the program " << held << " ms";

    // Refused keys beep again and again; none waits for the server.
    const std::int64_t beeping = platform::monotonicNs();
    for (int i = 0; i < 3; ++i)
        beeper.beep();
    EXPECT_LT(msSince(beeping), 250.0);
}

// The device check of a tone runs on the output's own thread: with the
// server answering the tone plays; with the server stopped the caller is
// told there is no device, soon, and the start returned at once either way.
TEST(HungSoundServer, AToneStartsAtOnceAndSaysWhenNoServerAnswers)
{
    PrivateSoundServer server;
    if (!started(server))
        GTEST_SKIP() << "no sound server";
    SoundServerAddress address(server.address());
    const platform::WaveData tone = platform::toneWave(880, 150);

    auto output = platform::makeSoundOutput();
    std::atomic<int> noDevice{0};
    output->startWhenHeard(tone, [&] { ++noDevice; });
    // Past the check's deadline the tone is still on its way, unrefused.
    QTest::qWait(700);
    EXPECT_EQ(output->failure(), QString());
    EXPECT_EQ(noDevice.load(), 0);

    server.pause();
    for (const bool freshConnection : {false, true}) {
        SCOPED_TRACE(freshConnection ? "a new connection" : "the connection made before");
        if (freshConnection)
            output = platform::makeSoundOutput();
        noDevice = 0;
        const std::int64_t started = platform::monotonicNs();
        output->startWhenHeard(tone, [&] { ++noDevice; });
        EXPECT_LT(msSince(started), 50.0);
        EXPECT_TRUE(QTest::qWaitFor([&] { return noDevice.load() > 0; }, 2000));
        EXPECT_EQ(noDevice.load(), 1);
        EXPECT_FALSE(output->sounding());
        EXPECT_EQ(output->failure(), QStringLiteral("the sound server does not answer"));
    }
    // A stop before the answer: nothing is said afterwards.
    noDevice = 0;
    output->startWhenHeard(tone, [&] { ++noDevice; });
    output->stop();
    QTest::qWait(700);
    EXPECT_EQ(noDevice.load(), 0);
}

// The voice keyer's PTT port set to the rig's port (a Kenwood emulated on a
// pty): the voice keyer never takes the rig's port, and its refusal names
// the rig every time, also while the rig's device is away and the rig waits
// to open it again.

#include "radio/kenwood_rig_emulator.h"
#include "radio/rig_fixture.h"
#include "voice_fixture.h"

#include "platform/key_events.h"

#define MODEM_LINE_SHIM_CONTROLS_ONLY
#include "support/modem_line_shim.h"

#include <QRadioButton>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

constexpr int RigPort = 2;  // the port RigFixture puts the rig on

const QString RefusalNamingTheRig = QStringLiteral(
    "The port you have selected for Phone keying is invalid.  Please select another or enter 0 for none.  "
    "Serial port 2 is in use by the rig interface.");

/// The voice keyer, its F1 message a silent wave of messageMs, keying RTS
/// of the rig's port for PTT.
std::shared_ptr<keying::VoiceKeying> installVoiceKeyerOnTheRigsPort(RigFixture& f, app::ProgramServices& services,
                                                                    int messageMs)
{
    auto& s = f.fx.state.phoneSettings;
    s.wavePathsAndPttPort[0] = f.fx.path(QStringLiteral("cq.wav"));
    writeBytes(s.wavePathsAndPttPort[0], silenceWave(messageMs));
    s.wavePathsAndPttPort[9] = QString::number(RigPort);
    s.pttLineOption = 0;
    s.txtPHLoop = QStringLiteral("0");
    s.parallelAddress = QStringLiteral("&H378");
    auto voice = keying::VoiceKeying::install(services, f.fx.state);
    voice->preparePlayer = [](platform::WavPlayer& p) { p.setSilent(true); };
    voice->phone().runModal = [](QDialog&) {};
    return voice;
}

}  // namespace

TEST(RigPortSharing, TheVoiceKeyerIsRefusedTheRigsPortWhileTheRigWaitsForItsDevice)
{
    RigFixture f;
    auto rig = std::make_unique<KenwoodRigEmulator>(KenwoodRigEmulator::Kind::Kenwood);
    f.connect(*rig, "Kenwood");
    ASSERT_TRUE(f.handedOver("band:14.025"));

    platform::LineRecorder lines;
    f.fx.state.hardware.setRecorder(&lines);
    app::ProgramServices services;
    auto voice = installVoiceKeyerOnTheRigsPort(f, services, 200);
    auto& prompts = f.fx.fakes.prompt;
    const auto refusals = [&] { return prompts.countShownWithTitle(QStringLiteral("Invalid port.")); };
    int key = platform::vbkey::F1;

    services.FKeyPhone(key);
    ASSERT_EQ(refusals(), 1);
    EXPECT_EQ(prompts.shown().back().text, RefusalNamingTheRig);

    // The rig's cable is pulled: the rig tries its port again each second,
    // and the port is still the rig's.
    rig.reset();
    ASSERT_TRUE(waitUntil([&] { return !f.fx.state.hardware.serial(RigPort).isOpen(); }, 4000));
    services.FKeyPhone(key);
    ASSERT_EQ(refusals(), 2);
    EXPECT_EQ(prompts.shown().back().text, RefusalNamingTheRig);

    // Plugged in again under a new device name; F1 comes before the rig's
    // next try.
    f.window().tmrGetData->stop();
    KenwoodRigEmulator again(KenwoodRigEmulator::Kind::Kenwood);
    again.turnDial(21'300'000);
    pointSerialPortAt(RigPort, again.devicePath());
    services.FKeyPhone(key);
    ASSERT_EQ(refusals(), 3);
    EXPECT_EQ(prompts.shown().back().text, RefusalNamingTheRig);
    EXPECT_EQ(voice->phone().openPttPort(), 0);
    for (const auto& e : lines.events())
        EXPECT_FALSE(e.kind == platform::LineEvent::Kind::Rts && e.value == 1) << "PTT keyed on the rig's port";

    // The rig gets its port back.
    f.window().tmrGetData->start();
    EXPECT_TRUE(f.handedOver("band:21.300", 5000));
    voice->phone().onUnload();
    f.fx.state.hardware.setRecorder(nullptr);
}

// A port closed under the voice keyer (not by it) and opened since by the
// rig is the rig's: F1 asks for it afresh and is refused, rather than key
// PTT on the rig's port as if it were the keyer's own.
TEST(RigPortSharing, APortClosedUnderTheVoiceKeyerAndTakenByTheRigIsNotTheKeyers)
{
    RigFixture f;
    KenwoodRigEmulator rig(KenwoodRigEmulator::Kind::Kenwood);
    pointSerialPortAt(RigPort, rig.devicePath());
    modem_line_shim::enable(true);  // the pty's modem lines work as a port's
    platform::LineRecorder lines;
    f.fx.state.hardware.setRecorder(&lines);
    app::ProgramServices services;
    auto voice = installVoiceKeyerOnTheRigsPort(f, services, 100);
    int key = platform::vbkey::F1;

    services.FKeyPhone(key);
    ASSERT_EQ(voice->phone().openPttPort(), RigPort);
    ASSERT_TRUE(waitUntil([&] { return !voice->phone().endPollTimer.isActive(); }, 2000));
    f.fx.state.hardware.serial(RigPort).close();
    radio::RigPort rigPort(f.fx.state.hardware);
    QString error;
    ASSERT_TRUE(rigPort.open(RigPort, QStringLiteral("4800,N,8,2"), false, error)) << error.toStdString();
    lines.clear();

    services.FKeyPhone(key);
    EXPECT_EQ(voice->phone().openPttPort(), 0);
    ASSERT_EQ(f.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 1);
    EXPECT_EQ(f.fx.fakes.prompt.shown().back().text, RefusalNamingTheRig);
    for (const auto& e : lines.events())
        EXPECT_FALSE(e.kind == platform::LineEvent::Kind::Rts && e.value == 1) << "PTT keyed on the rig's port";
    // The keyer letting go of its port leaves the rig's open.
    voice->phone().closePttPort();
    EXPECT_TRUE(rigPort.isOpen());
    f.fx.state.hardware.setRecorder(nullptr);
    modem_line_shim::enable(false);
}

// The rig interface polling and tuning CI-V rigs on ptys.

#include "rig_bytes.h"
#include "icom_rig_emulator.h"
#include "rig_fixture.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using testing_support::IcomRigEmulator;
using testing_support::RigFixture;
using testing_support::waitUntil;

namespace {

using Kind = IcomRigEmulator::Kind;

using rig_bytes::hex;

}  // namespace

TEST(IcomPolling, EachRigTypeIsReadThroughItsEchoAndTuned)
{
    struct Case {
        const char* rigType;
        Kind kind;
        QList<QByteArray> sets;  ///< for 21.300 MHz, upper sideband
    };
    const Case cases[] = {
        {"Icom", Kind::Icom, {hex("FE FE 64 E0 06 01 FD"), hex("FE FE 64 E0 05 00 00 30 21 00 FD")}},
        {"Icom 735", Kind::Icom735, {hex("FE FE 64 E0 05 00 00 30 21 FD")}},
        {"Ten Tec Omni VI", Kind::OmniVI, {hex("FE FE 04 E0 06 01 FD"), hex("FE FE 04 E0 05 00 00 30 21 00 FD")}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        IcomRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        ASSERT_TRUE(f.handedOver("mode:CW"));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "14.02500"; }, 2000));

        rig.turnDial(7'040'000);
        rig.switchMode(0x00);
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        for (float mhz : f.target.frequencies)
            EXPECT_TRUE(mhz == 14.025f || mhz == 7.04f) << mhz;

        float mhz = 21.3f;
        f.radio->ChangeFrequency(mhz);
        ASSERT_TRUE(rig.waitForFrames(static_cast<int>(c.sets.size()), 3000));
        EXPECT_EQ(rig.setFrames(), c.sets);
        EXPECT_EQ(rig.frequency(), 21'300'000);
        ASSERT_TRUE(f.handedOver("band:21.300"));
    }
}

TEST(IcomPolling, TheOmniVIPausesLongerBeforeSettingTheFrequency)
{
    RigFixture f;
    IcomRigEmulator rig(Kind::OmniVI);
    f.connect(rig, "Ten Tec Omni VI");
    float mhz = 1.85f;  // 160 m: no mode is set
    f.radio->ChangeFrequency(mhz);
    ASSERT_TRUE(rig.waitForFrames(1, 3000));
    EXPECT_EQ(f.waits->log, (QStringList{"drain", "drain", "pause:140", "events", "pause:220", "drain"}));
}

TEST(IcomPolling, ARigThatAnswersLateIsFollowed)
{
    // Each answer starts 80 ms after its question, behind the echo: the
    // answers to the frequency and the mode question come in the other's
    // cycle and are read by their command bytes.
    RigFixture f;
    IcomRigEmulator rig(IcomRigEmulator::Kind::Icom);
    rig.setAnswerDelay(80);
    f.connect(rig, "Icom");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    rig.turnDial(7'040'000);
    rig.switchMode(0x00);
    ASSERT_TRUE(f.handedOver("band:7.040"));
    ASSERT_TRUE(f.handedOver("mode:PH"));
    for (float mhz : f.target.frequencies)
        EXPECT_TRUE(mhz == 14.025f || mhz == 7.04f) << mhz;
}

// The rig interface polling and tuning the Ten-Tec Orion and front-panel
// rigs on ptys.

#include "rig_fixture.h"
#include "tentec_rig_emulator.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>

using testing_support::RigFixture;
using testing_support::TenTecRigEmulator;
using testing_support::waitUntil;

namespace {

using Kind = TenTecRigEmulator::Kind;

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

struct Case {
    const char* rigType;
    Kind kind;
    QList<QByteArray> firstCommands;
    QByteArray setFrequency;  ///< for 21.300 MHz, without its carriage return
};

const Case Cases[] = {
    {"Ten Tec Orion", Kind::Orion, {"X", "?AF", "?RMM"}, "*AF21300000"},
    {"Ten Tec Fnt Pnl", Kind::FrontPanel, {"?A", "?M"}, hex("2A 41 01 45 03 20")},
};

}  // namespace

TEST(TenTecPolling, TestReadsThePollFollowsTheDialAndChangeFrequencyTunes)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        TenTecRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        ASSERT_TRUE(f.handedOver("mode:CW"));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "14.02500"; }, 2000));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblMode->text() == "CW"; }, 2000));
        EXPECT_EQ(rig.commands().mid(0, c.firstCommands.size()), c.firstCommands);

        rig.turnDial(7'040'000);
        rig.switchMode('1');
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        for (float mhz : f.target.frequencies)
            EXPECT_TRUE(mhz == 14.025f || mhz == 7.04f) << mhz;

        // Neither rig has a set-mode command: the sideband's waits are made
        // and only the frequency goes out.
        f.waits->log.clear();
        float mhz = 21.3f;
        f.radio->ChangeFrequency(mhz);
        EXPECT_EQ(mhz, 21.3f);
        ASSERT_TRUE(rig.waitForSetCommands(1, 3000));
        EXPECT_EQ(rig.setCommands(), QList<QByteArray>{c.setFrequency});
        EXPECT_EQ(f.waits->log,
                  (QStringList{"events", "drain", "pause:99", "drain", "drain", "pause:205", "drain"}));
        EXPECT_EQ(rig.frequency(), 21'300'000);
        ASSERT_TRUE(f.handedOver("band:21.300"));
        EXPECT_TRUE(f.window().tmrGetData->isActive());
    }
}

TEST(TenTecPolling, RepliesInPiecesAndFrequencyBytesLikeALineEndAreReadWhole)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        TenTecRigEmulator rig(c.kind);
        // 14,025,997 Hz is 00 D6 05 0D: a front-panel reply with a carriage
        // return inside it. At 600 baud each reply spans several reads.
        rig.turnDial(14'025'997);
        rig.setPace(600);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.026", 8000));
        ASSERT_TRUE(waitUntil([&] { return f.target.frequencies.size() >= 4; }, 8000));
        for (float mhz : f.target.frequencies)
            EXPECT_FLOAT_EQ(mhz, 14.026f);
        EXPECT_FALSE(f.target.calls.contains("mode:PH"));
    }
}

TEST(TenTecPolling, ASilentRigShowsNoResponseUntilItAnswersAgain)
{
    for (const Case& c : Cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        TenTecRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        rig.setSilent(true);
        ASSERT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "No Response"; }, 3000));
        f.target.calls.clear();
        EXPECT_FALSE(waitUntil([&] { return !f.target.calls.isEmpty(); }, 300));
        EXPECT_TRUE(f.window().tmrGetData->isActive());
        EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());

        rig.turnDial(21'300'000);
        rig.setSilent(false);
        ASSERT_TRUE(f.handedOver("band:21.300"));
    }
}

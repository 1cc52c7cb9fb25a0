// The rig interface polling and tuning Yaesu rigs of the binary command set
// on ptys: whole status blocks at 4,800 baud, blocks cut short, bytes
// beyond a block, silence.

#include "rig_fixture.h"
#include "yaesu_rig_emulator.h"

#include <QLabel>

#include <algorithm>

using testing_support::RigFixture;
using testing_support::waitUntil;
using testing_support::YaesuRigEmulator;

namespace {

using Kind = YaesuRigEmulator::Kind;

QByteArray hex(const char* text) { return QByteArray::fromHex(QByteArray(text).replace(' ', "")); }

/// Every frequency the main window was given is one the rig was on.
void expectOnlyFrequencies(const RigFixture& f, std::initializer_list<float> onDial)
{
    for (float mhz : f.target.frequencies)
        EXPECT_TRUE(std::find(onDial.begin(), onDial.end(), mhz) != onDial.end()) << mhz;
}

}  // namespace

TEST(YaesuPolling, EachRigTypeIsReadFollowedAndTuned)
{
    struct Case {
        const char* rigType;
        Kind kind;
        const char* poll;
        QList<QByteArray> sets;  ///< for 21.300 MHz: upper sideband, then the frequency
        int pause;               ///< before the set-frequency command
    };
    const QList<QByteArray> opcode0A{hex("00 00 00 01 0C"), hex("00 00 13 02 0A")};
    const Case cases[] = {
        {"Yaesu", Kind::Yaesu, "00 00 00 00 03", {hex("01 00 00 00 07"), hex("02 13 00 00 01")}, 205},
        // 75 bytes take longer than the fastest poll cycle: the read waits
        // for the rest of the block.
        {"Yaesu 757 GX II", Kind::Ft757, "00 00 00 00 10", opcode0A, 205},
        {"Yaesu 890", Kind::Ft890, "00 00 00 02 10", opcode0A, 205},
        {"Yaesu 920", Kind::Ft920, "00 00 00 02 10", opcode0A, 205},
        {"Yaesu 990", Kind::Ft990, "00 00 00 02 10", opcode0A, 205},
        {"Yaesu 1000 D", Kind::Ft990, "00 00 00 02 10", opcode0A, 205},
        {"Yaesu 1000", Kind::Ft1000, "00 00 00 02 10", opcode0A, 10},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.rigType);
        RigFixture f;
        YaesuRigEmulator rig(c.kind);
        f.connect(rig, c.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        ASSERT_TRUE(f.handedOver("mode:CW"));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "14.02500"; }, 2000));
        EXPECT_EQ(f.window().lblMode->text(), "CW");
        // CAT on when the port opens, then the status question, never the
        // mode query.
        const QList<QByteArray> commands = rig.commands();
        ASSERT_GE(commands.size(), 2);
        EXPECT_EQ(commands[0], hex("00 00 00 00 00"));
        for (qsizetype i = 1; i < commands.size(); ++i)
            EXPECT_EQ(commands[i], hex(c.poll));

        // The dial moves to 7.040 LSB: polling follows it.
        rig.turnDial(7'040'000);
        rig.switchMode("LSB");
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        expectOnlyFrequencies(f, {14.025f, 7.04f});

        f.waits->log.clear();
        float mhz = 21.3f;
        f.radio->ChangeFrequency(mhz);
        ASSERT_TRUE(rig.waitForSets(2, 3000));
        EXPECT_EQ(rig.setCommands(), c.sets);
        EXPECT_EQ(f.waits->log, (QStringList{"events", "drain", "pause:99", "drain", "drain",
                                             QStringLiteral("pause:%1").arg(c.pause), "drain"}));
        EXPECT_EQ(rig.frequency(), 21'300'000);
        EXPECT_EQ(rig.mode(), "USB");
        ASSERT_TRUE(f.handedOver("band:21.300"));
        expectOnlyFrequencies(f, {14.025f, 7.04f, 21.3f});
    }
}

TEST(YaesuPolling, BytesBeyondABlockAreNeverReadAsAnotherBlock)
{
    // A rig that says more than the block we know of: twenty bytes follow
    // each answer, enough to make a second block of nonsense.
    RigFixture f;
    YaesuRigEmulator rig(Kind::Ft990);
    rig.setNoiseAfterBlock(20);
    f.connect(rig, "Yaesu 990", f.window().optPollMed);  // all of it has come by each read
    ASSERT_TRUE(f.handedOver("band:14.025"));
    ASSERT_TRUE(waitUntil([&] { return rig.polls() >= 6; }, 4000));
    ASSERT_TRUE(f.handedOver("band:14.025"));
    expectOnlyFrequencies(f, {14.025f});
    EXPECT_FALSE(f.target.calls.contains("mode:PH"));
}

TEST(YaesuPolling, ABlockCutShortIsNeverReadAndTheNextPollReadsRight)
{
    // The rig stops in the middle of a block (a cable moved): the two
    // bytes that came are never read, and they are stale by the next
    // question, whose answer is read whole.
    RigFixture f;
    YaesuRigEmulator rig(Kind::Yaesu);
    rig.turnDial(7'040'000);
    rig.switchMode("LSB");
    f.connect(rig, "Yaesu");
    ASSERT_TRUE(f.handedOver("band:7.040"));
    const int polls = rig.polls();
    rig.cutNextBlock(2);
    ASSERT_TRUE(waitUntil([&] { return rig.polls() >= polls + 2; }, 3000));
    rig.turnDial(14'025'000);
    rig.switchMode("CW");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    ASSERT_TRUE(f.handedOver("mode:CW"));
    ASSERT_TRUE(waitUntil([&] { return f.target.frequencies.size() >= 8; }, 4000));
    expectOnlyFrequencies(f, {7.04f, 14.025f});
}

TEST(YaesuPolling, ASilentRigIsReportedAndReadAgainWhenItAnswers)
{
    RigFixture f;
    YaesuRigEmulator rig(Kind::Ft920);
    f.connect(rig, "Yaesu 920");
    ASSERT_TRUE(f.handedOver("band:14.025"));
    rig.setSilent(true);
    ASSERT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "No Response"; }, 3000));
    f.target.calls.clear();
    EXPECT_FALSE(waitUntil([&] { return !f.target.calls.isEmpty(); }, 400));
    EXPECT_TRUE(f.window().tmrGetData->isActive());
    EXPECT_TRUE(f.fx.fakes.prompt.shown().empty());

    rig.turnDial(28'500'000);
    rig.setSilent(false);
    ASSERT_TRUE(f.handedOver("band:28.500"));
    EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "28.50000"; }, 2000));
}

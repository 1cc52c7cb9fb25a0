// The rig interface polling and tuning Yaesu rigs of the binary command set
// on ptys: whole status blocks at 4,800 baud, blocks cut short, bytes
// beyond a block, silence.

#include "rig_bytes.h"
#include "rig_fixture.h"
#include "yaesu_rig_emulator.h"

#include <QLabel>

#include <algorithm>

using testing_support::RigFixture;
using testing_support::waitUntil;
using testing_support::YaesuRigEmulator;

namespace {

using Kind = YaesuRigEmulator::Kind;

using rig_bytes::hex;

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
    f.expectSilenceReportedAndPollingResumed(rig, 28'500'000, "band:28.500");
}

namespace {

/// The status-block rig types that answer with one binary block.
struct BinaryRig {
    const char* rigType;
    Kind kind;
};
constexpr BinaryRig BinaryRigs[] = {
    {"Yaesu 890", Kind::Ft890}, {"Yaesu 920", Kind::Ft920}, {"Yaesu 990", Kind::Ft990},
    {"Yaesu 1000 D", Kind::Ft990}, {"Yaesu 1000", Kind::Ft1000},
};

/// Every mode handed over is one the rig was in (or none, before the
/// first reading).
void expectOnlyModes(const QStringList& calls, const QStringList& modes)
{
    for (const QString& call : calls)
        if (call.startsWith("mode:") && call != "mode:")
            EXPECT_TRUE(modes.contains(call.mid(5))) << call.toStdString();
}

}  // namespace

TEST(YaesuPolling, ALateAnswerAtTheDefaultRateIsReadACycleLater)
{
    // A slow interface: each block starts 300 ms after its poll, after the
    // read tick of the same cycle and close to the next question.
    RigFixture f;
    YaesuRigEmulator rig(Kind::Ft990);
    rig.setAnswerDelay(300, 300);
    f.connect(rig, "Yaesu 990", f.window().optPollMed);
    ASSERT_TRUE(f.handedOver("band:14.025", 6000));
    ASSERT_TRUE(f.handedOver("mode:CW"));
    rig.turnDial(7'040'000);
    rig.switchMode("LSB");
    ASSERT_TRUE(f.handedOver("band:7.040", 6000));
    ASSERT_TRUE(f.handedOver("mode:PH"));
    EXPECT_EQ(f.window().lblFreq->text(), "7.04000");
    expectOnlyFrequencies(f, {14.025f, 7.04f});
}

TEST(YaesuPolling, LateAnswersAtTheFastestRateAreReadWholeAndNeverShifted)
{
    // Blocks that start 60 to 90 ms after their poll: a block is often on
    // the line when the next question goes out, and a long one is still
    // coming in at the next read.
    for (const BinaryRig& r : BinaryRigs) {
        SCOPED_TRACE(r.rigType);
        RigFixture f;
        YaesuRigEmulator rig(r.kind);
        rig.setAnswerDelay(60, 90);
        f.watchFrequencyCaption();
        f.connect(rig, r.rigType);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        rig.turnDial(7'040'000);
        rig.switchMode("LSB");
        ASSERT_TRUE(f.handedOver("band:7.040"));
        ASSERT_TRUE(f.handedOver("mode:PH"));
        const int polls = rig.polls();
        ASSERT_TRUE(waitUntil([&] { return rig.polls() >= polls + 8; }, 4000));
        expectOnlyFrequencies(f, {14.025f, 7.04f});
        expectOnlyModes(f.target.calls, {"CW", "PH"});
        EXPECT_EQ(f.target.calls.last(), "mode:PH");
        EXPECT_EQ(f.window().lblFreq->text(), "7.04000");
        EXPECT_FALSE(f.shownFrequenciesFrom("14.02500").contains("No Response"))
            << f.shownFrequencies.join(" | ").toStdString();
    }
}

TEST(YaesuPolling, NoiseBeforeEachBlockIsPassedOverAndTheBlockRead)
{
    // Three random bytes come on the line with every poll, the block after
    // them: late (a silence between) or at once (run on into the block).
    struct Case {
        int delayMinMs, delayMaxMs;
    };
    const Case cases[] = {{60, 90}, {0, 0}};
    for (const Case& c : cases) {
        for (const BinaryRig& r : BinaryRigs) {
            SCOPED_TRACE(testing::Message() << r.rigType << " delay " << c.delayMinMs);
            RigFixture f;
            YaesuRigEmulator rig(r.kind);
            rig.turnDial(28'450'000);
            rig.switchMode("USB");
            rig.setNoiseBeforeBlock(3);
            rig.setAnswerDelay(c.delayMinMs, c.delayMaxMs);
            f.connect(rig, r.rigType);
            EXPECT_TRUE(f.handedOver("band:28.450"));
            ASSERT_TRUE(waitUntil([&] { return rig.polls() >= 15; }, 6000));
            expectOnlyFrequencies(f, {28.45f});
            expectOnlyModes(f.target.calls, {"PH"});
        }
    }
}

namespace {

/// Every type of the binary command set, the 757 and "Yaesu" included.
struct AnyYaesu {
    const char* rigType;
    Kind kind;
};
constexpr AnyYaesu AllYaesus[] = {
    {"Yaesu", Kind::Yaesu},         {"Yaesu 757 GX II", Kind::Ft757}, {"Yaesu 890", Kind::Ft890},
    {"Yaesu 920", Kind::Ft920},     {"Yaesu 990", Kind::Ft990},       {"Yaesu 1000 D", Kind::Ft990},
    {"Yaesu 1000", Kind::Ft1000},
};

}  // namespace

TEST(YaesuPolling, BlocksThatComeInTwoHalvesAreReadAtTheDefaultAndTheFastestRate)
{
    // A USB-serial adapter or a network serial link hands each block over
    // in two halves with a silence between them, longer than the bytes of
    // a half lie apart and, at the fastest rate, spanning poll ticks.
    for (const bool fastest : {false, true}) {
        for (const AnyYaesu& r : AllYaesus) {
            const int gapMs = fastest && r.kind == Kind::Ft757 ? 90 : 40;
            SCOPED_TRACE(testing::Message() << r.rigType << (fastest ? " fastest" : " default") << " gap "
                                            << gapMs);
            RigFixture f;
            YaesuRigEmulator rig(r.kind);
            rig.setAnswerInHalves(gapMs);
            f.watchFrequencyCaption();
            f.connect(rig, r.rigType, fastest ? f.window().optPollFast : f.window().optPollMed);
            ASSERT_TRUE(f.handedOver("band:14.025", 6000));
            ASSERT_TRUE(f.handedOver("mode:CW"));
            rig.turnDial(28'400'000);
            rig.switchMode("USB");
            ASSERT_TRUE(f.handedOver("band:28.400", 6000));
            ASSERT_TRUE(f.handedOver("mode:PH"));
            const int polls = rig.polls();
            ASSERT_TRUE(waitUntil([&] { return rig.polls() >= polls + 4; }, 6000));
            EXPECT_EQ(f.window().lblFreq->text(), "28.40000");
            EXPECT_EQ(f.target.calls.last(), "mode:PH");
            expectOnlyFrequencies(f, {14.025f, 28.4f});
            expectOnlyModes(f.target.calls, {"CW", "PH"});
            // A block still coming in is no silence.
            EXPECT_FALSE(f.shownFrequenciesFrom("14.02500").contains("No Response"))
                << f.shownFrequencies.join(" | ").toStdString();
        }
    }
}

TEST(YaesuPolling, ARigInRttyOrPacketIsStillFollowedAndItsModeLeftAsItWas)
{
    // The mode values of RTTY and packet are the ones the set-mode command
    // itself sends. The logger has no contest mode for them: the frequency
    // is handed over and the mode stays what it was; the 920 alone calls
    // every mode but CW phone.
    for (const AnyYaesu& r : AllYaesus) {
        if (r.kind == Kind::Ft757)
            continue;  // no RTTY or packet on the 757
        SCOPED_TRACE(r.rigType);
        const QString modeAfter = r.kind == Kind::Ft920 ? "PH" : "CW";
        RigFixture f;
        YaesuRigEmulator rig(r.kind);
        f.connect(rig, r.rigType, f.window().optPollMed);
        ASSERT_TRUE(f.handedOver("band:14.025"));
        ASSERT_TRUE(f.handedOver("mode:CW"));
        rig.turnDial(7'085'000);
        rig.switchMode("RTTY");
        ASSERT_TRUE(f.handedOver("band:7.085"));
        EXPECT_TRUE(waitUntil([&] { return f.window().lblFreq->text() == "7.08500"; }, 2000));
        rig.turnDial(21'030'000);
        rig.switchMode("PKT");
        ASSERT_TRUE(f.handedOver("band:21.030"));
        expectOnlyFrequencies(f, {14.025f, 7.085f, 21.03f});
        expectOnlyModes(f.target.calls, {"CW", modeAfter});
        EXPECT_EQ(f.window().lblMode->text(), modeAfter);

        // The program's own RTTY command puts the rig there, and it is
        // still followed.
        QString rtty = QStringLiteral("RTTY");
        f.radio->ChangeMode(0, rtty);
        rig.turnDial(14'080'000);
        ASSERT_TRUE(f.handedOver("band:14.080"));
        EXPECT_EQ(rig.mode(), "RTTY");
    }
}

// The poll loop's state without a port: what a send tick sends for each rig
// type, how replies that come in pieces are read, and mode from frequency.

#include "radio/poll_loop.h"
#include "radio/rig_models.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

PollLoop loopFor(const char* rigType)
{
    PollLoop loop;
    loop.setRigType(QString::fromLatin1(rigType));
    const RigModel* m = findRigModel(QString::fromLatin1(rigType));
    loop.rig.frequencyQuery = QString::fromLatin1(m->frequencyQuery);
    loop.rig.modeQuery = QString::fromLatin1(m->modeQuery);
    loop.rig.convertToHex = m->queriesInHex;
    return loop;
}

}  // namespace

TEST(RigModels, ListInOrderWithDefaults)
{
    const char* const names[] = {"None",         "Elecraft",        "Icom",           "Icom 735",
                                 "Kenwood",      "Kenwood 2",       "Ten Tec Omni VI", "Ten Tec Orion",
                                 "Ten Tec Fnt Pnl", "Ten Tec Pegasus", "Yaesu",       "Yaesu 757 GX II",
                                 "Yaesu 890",    "Yaesu 920",       "Yaesu 990",      "Yaesu 1000 D",
                                 "Yaesu 1000",   "Yaesu FTdx9000",  "Other"};
    ASSERT_EQ(rigModels().size(), std::size(names));
    for (std::size_t i = 0; i < std::size(names); ++i)
        EXPECT_STREQ(rigModels()[i].name, names[i]);
    EXPECT_EQ(findRigModel("kenwood"), nullptr);
    const RigModel* elecraft = findRigModel("Elecraft");
    EXPECT_EQ(elecraft->setFrequencyPauseMs[0] + elecraft->setFrequencyPauseMs[1], 1205);
    EXPECT_EQ(findRigModel("Yaesu 1000")->setFrequencyPauseMs[0], 10);
    EXPECT_STREQ(findRigModel("Yaesu 990")->closeBytes, "0000000080");
    EXPECT_STREQ(findRigModel("Yaesu FTdx9000")->closeBytes, "");
}

TEST(PollLoop, SendTicksByRigType)
{
    PollLoop kenwood = loopFor("Kenwood");
    EXPECT_EQ(kenwood.sendTickBytes(), QByteArray("FA;MD;"));
    EXPECT_EQ(kenwood.sendTickBytes(), QByteArray("FA;MD;"));

    PollLoop ftdx = loopFor("Yaesu FTdx9000");
    EXPECT_EQ(ftdx.sendTickBytes(), QByteArray("FA;"));
    EXPECT_EQ(ftdx.QueryToggle, 1);
    EXPECT_EQ(ftdx.sendTickBytes(), QByteArray("MD0;"));
    EXPECT_EQ(ftdx.QueryToggle, 0);

    PollLoop none = loopFor("None");
    EXPECT_EQ(none.sendTickBytes(), QByteArray());

    PollLoop other = loopFor("Other");
    other.rig.frequencyQuery = QStringLiteral("3F 41 0D");
    other.rig.modeQuery = QStringLiteral("ZZ");
    other.rig.convertToHex = true;
    // A query that is not hexadecimal is not sent; the other one is.
    EXPECT_EQ(other.sendTickBytes(), QByteArray("?A\r"));
    other.rig.convertToHex = false;
    EXPECT_EQ(other.sendTickBytes(), QByteArray("3F 41 0DZZ"));
}

TEST(PollLoop, ReplyInPiecesIsReadWhenWhole)
{
    PollLoop loop = loopFor("Kenwood");
    auto outcome = loop.readReplies("FA0001402");
    EXPECT_TRUE(outcome.answered);
    EXPECT_FALSE(outcome.frequencyRead);
    EXPECT_EQ(loop.RigFrequency, 0.0f);
    EXPECT_EQ(loop.RigReplyText, QByteArray("FA0001402"));

    outcome = loop.readReplies("5000;MD");
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FALSE(outcome.modeRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 14.025f);
    EXPECT_TRUE(loop.RigMode.isEmpty());

    outcome = loop.readReplies("3;");
    EXPECT_FALSE(outcome.frequencyRead);
    EXPECT_TRUE(outcome.modeRead);
    EXPECT_EQ(loop.RigMode, "CW");

    outcome = loop.readReplies("");
    EXPECT_FALSE(outcome.answered);
}

TEST(PollLoop, ABlockRigReadsOneWholeBlockPerQuestion)
{
    // "Yaesu": four BCD bytes of 10 Hz and a mode byte.
    PollLoop loop = loopFor("Yaesu");
    EXPECT_EQ(loop.sendTickBytes(), QByteArray::fromHex("0000000003"));
    loop.takeArrived(QByteArray::fromHex("014025"));
    EXPECT_TRUE(loop.blockArriving());  // the rest is on its way: no new question
    loop.endTick();
    auto outcome = loop.readTick();  // a tick without a byte: the part is stale
    EXPECT_FALSE(outcome.frequencyRead);
    EXPECT_EQ(loop.bufferedBytes(), 0);
    EXPECT_FALSE(loop.blockArriving());
    EXPECT_EQ(loop.questionsOpen(), 1);

    // A second block after the one answer is no answer.
    outcome = loop.readReplies(QByteArray::fromHex("0140250002" "0070000001"));
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 14.025f);
    EXPECT_EQ(loop.RigMode, "CW");
    EXPECT_EQ(loop.bufferedBytes(), 0);
    EXPECT_EQ(loop.questionsOpen(), 0);
    (void)loop.sendTickBytes();
    outcome = loop.readReplies(QByteArray::fromHex("0070000001"));
    EXPECT_FLOAT_EQ(loop.RigFrequency, 7.0f);
    EXPECT_EQ(loop.RigMode, "PH");
}

TEST(PollLoop, ABlockIsCountedFromTheStartOfItsAnswerAndASilenceResynchronises)
{
    constexpr std::int64_t Ms = 1'000'000;
    const QByteArray block = QByteArray::fromHex("0140250002");
    struct Case {
        const char* name;
        std::vector<ArrivedBytes> pieces;
        std::optional<float> frequency;
    };
    const std::int64_t t = 1000 * Ms;
    const Case cases[] = {
        {"at the line's pace, in pieces", {{t, block.left(2)}, {t + 7 * Ms, block.mid(2)}}, 14.025f},
        {"noise, a silence, the block", {{t, "\xA7\x13"}, {t + 60 * Ms, block}}, 14.025f},
        {"part of a block, a silence, the block", {{t, block.left(3)}, {t + 40 * Ms, block}}, 14.025f},
        // Noise run on into the block, or after it: one of the two ways of
        // counting gives no block of this rig's.
        {"noise run on into the block", {{t, QByteArray("\x0A\x40\x99") + block}}, 14.025f},
        {"noise after the block", {{t, block + QByteArray("\x0A\x40\x99")}}, 14.025f},
        // Read either way it gives blocks that differ: neither is taken.
        {"a block both ways", {{t, QByteArray::fromHex("0280000002") + block.right(3)}}, std::nullopt},
        {"too short", {{t, block.left(4)}}, std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PollLoop loop = loopFor("Yaesu");
        (void)loop.sendTickBytes();
        for (const ArrivedBytes& piece : c.pieces)
            loop.takeArrived(piece.bytes, piece.ns);
        const auto outcome = loop.readTick(c.pieces.back().ns + 30 * Ms);
        EXPECT_EQ(outcome.frequencyRead, c.frequency.has_value());
        if (c.frequency)
            EXPECT_FLOAT_EQ(loop.RigFrequency, *c.frequency);
    }
}

TEST(PollLoop, ABlockThatComesACycleLateIsStillRead)
{
    // The second question goes out before the first is answered; nothing
    // that arrived is thrown away for it.
    PollLoop loop = loopFor("Yaesu 990");
    (void)loop.sendTickBytes();
    EXPECT_FALSE(loop.readReplies({}).answered);
    loop.endTick();
    (void)loop.sendTickBytes();
    EXPECT_EQ(loop.questionsOpen(), 2);
    QByteArray block(16, char(0x99));
    block.replace(1, 3, QByteArray::fromHex("0AAE60"));
    block[7] = 0x42;
    loop.takeArrived(block.left(9));  // comes in around the send tick
    loop.endTick();
    loop.takeArrived(block.mid(9));
    EXPECT_FALSE(loop.readTick().frequencyRead);  // not known to be over yet
    const auto outcome = loop.readTick();       // a tick in silence
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 7.0f);
    EXPECT_EQ(loop.RigMode, "CW");
    EXPECT_EQ(loop.questionsOpen(), 1);
}

TEST(PollLoop, ChoosingAnotherRigForgetsTheOldOne)
{
    PollLoop loop = loopFor("Kenwood");
    (void)loop.readReplies("FA00014025000;MD3;FA000");
    EXPECT_GT(loop.bufferedBytes(), 0);
    loop.setRigType("Kenwood");  // the same type again changes nothing
    EXPECT_FLOAT_EQ(loop.RigFrequency, 14.025f);
    loop.setRigType("Elecraft");
    EXPECT_EQ(loop.RigFrequency, 0.0f);
    EXPECT_TRUE(loop.RigMode.isEmpty());
    EXPECT_EQ(loop.bufferedBytes(), 0);
}

TEST(PollLoop, ModeFromFrequency)
{
    struct Case {
        float mhz;
        const char* before;
        const char* after;
    };
    const Case cases[] = {
        {14.2f, "CW", "PH"},   {14.1f, "PH", "CW"},  {1.84f, "CW", "CW"},  {1.84f, "", ""},
        {3.55f, "PH", "CW"},   {3.8f, "CW", "PH"},   {10.12f, "PH", "CW"}, {7.125f, "PH", "PH"},
        {28.4f, "CW", "PH"},   {50.05f, "PH", "CW"}, {144.2f, "CW", "PH"}, {432.1f, "CW", "CW"},
    };
    for (const Case& c : cases) {
        PollLoop loop;
        loop.RigFrequency = c.mhz;
        loop.RigMode = QString::fromLatin1(c.before);
        loop.ModeFromFrequency();
        EXPECT_EQ(loop.RigMode, QString::fromLatin1(c.after)) << c.mhz;
    }
}

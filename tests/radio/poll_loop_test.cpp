// The poll loop's state without a port: what a send tick sends for each rig
// type, how replies that come in pieces are read, and mode from frequency.

#include "radio/poll_loop.h"
#include "radio/rig_models.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <vector>

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

namespace {

constexpr std::int64_t Ms = 1'000'000;

/// A "Yaesu 990" status block: 10 Hz binary in bytes 2 to 4, the mode in
/// the low nibble of byte 8, filler elsewhere.
QByteArray block990(qint64 hz, int modeNibble = 2)
{
    QByteArray b(16, char(0x99));
    const qint64 tens = hz / 10;
    b[1] = char(tens >> 16);
    b[2] = char(tens >> 8);
    b[3] = char(tens);
    b[7] = char(0x40 | modeNibble);
    return b;
}

}  // namespace

TEST(PollLoop, ABlockIsReadWholeOncePerQuestion)
{
    // "Yaesu": four BCD bytes of 10 Hz and a mode byte.
    PollLoop loop = loopFor("Yaesu");
    EXPECT_EQ(loop.sendTickBytes(1000 * Ms), QByteArray::fromHex("0000000003"));
    loop.takeArrived(QByteArray::fromHex("014025"), 1010 * Ms);
    EXPECT_TRUE(loop.questionWaits(1100 * Ms));  // the rest may follow
    EXPECT_FALSE(loop.readTick().frequencyRead);
    // However long the silence, until the next question it is one answer.
    loop.takeArrived(QByteArray::fromHex("0002"), 1400 * Ms);
    EXPECT_TRUE(loop.questionWaits(1401 * Ms));  // more may stream in
    EXPECT_FALSE(loop.readTick(1401 * Ms).frequencyRead);
    EXPECT_FALSE(loop.questionWaits(1430 * Ms));
    auto outcome = loop.readTick(1430 * Ms);
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 14.025f);
    EXPECT_EQ(loop.RigMode, "CW");
    EXPECT_EQ(loop.questionsOpen(), 0);

    // A second block after the one answer is no answer.
    (void)loop.sendTickBytes();
    outcome = loop.readReplies(QByteArray::fromHex("0070000001" "0140250002"));
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 7.0f);
    EXPECT_EQ(loop.RigMode, "PH");
    EXPECT_EQ(loop.bufferedBytes(), 0);
    EXPECT_EQ(loop.questionsOpen(), 0);

    // Part of a block when the next question goes out is dropped with it.
    (void)loop.sendTickBytes();
    loop.takeArrived(QByteArray::fromHex("01402500"));
    (void)loop.sendTickBytes();
    EXPECT_EQ(loop.bufferedBytes(), 0);
    EXPECT_FALSE(loop.readReplies(QByteArray::fromHex("01")).frequencyRead);
}

TEST(PollLoop, TheNextQuestionWaitsForTheRestOfABlockButNotForEver)
{
    PollLoop loop = loopFor("Yaesu 990");
    const QByteArray block = block990(7'000'000);
    EXPECT_FALSE(loop.questionWaits(1000 * Ms));  // nothing asked
    (void)loop.sendTickBytes(1000 * Ms);
    EXPECT_FALSE(loop.questionWaits(1100 * Ms));  // nothing came yet
    loop.takeArrived(block.left(8), 1010 * Ms);
    EXPECT_TRUE(loop.questionWaits(1100 * Ms));
    EXPECT_TRUE(loop.questionWaits(2009 * Ms));
    EXPECT_FALSE(loop.questionWaits(2011 * Ms));  // a second after the last byte
    loop.takeArrived(block.mid(8, 4), 2500 * Ms);
    EXPECT_TRUE(loop.questionWaits(2600 * Ms));
    EXPECT_FALSE(loop.questionWaits(3000 * Ms));  // two seconds after the question
    // More than a block and no whole number of them: noise with it; only
    // while bytes still stream in does the question wait.
    PollLoop noisy = loopFor("Yaesu 990");
    (void)noisy.sendTickBytes(1000 * Ms);
    noisy.takeArrived(QByteArray("\x13\x77") + block, 1040 * Ms);
    EXPECT_TRUE(noisy.questionWaits(1045 * Ms));
    EXPECT_FALSE(noisy.questionWaits(1070 * Ms));
    EXPECT_FALSE(noisy.readTick().frequencyRead);  // ended by the next question
    (void)noisy.sendTickBytes(1100 * Ms);
    EXPECT_TRUE(noisy.readTick().frequencyRead);
    EXPECT_FLOAT_EQ(noisy.RigFrequency, 7.0f);

    // Noise before a block makes up a block's length while the block is
    // still coming in; read as one, it would be a frequency in range.
    PollLoop early = loopFor("Yaesu 990");
    (void)early.sendTickBytes(1000 * Ms);
    early.takeArrived(QByteArray("\x00\x05\x00", 3) + block.left(13), 1040 * Ms);
    EXPECT_TRUE(early.questionWaits(1045 * Ms));
    EXPECT_FALSE(early.readTick(1045 * Ms).frequencyRead);
    early.takeArrived(block.mid(13), 1047 * Ms);
    EXPECT_FALSE(early.readTick(1100 * Ms).frequencyRead);
    (void)early.sendTickBytes(1100 * Ms);
    EXPECT_FALSE(early.readTick(1150 * Ms).frequencyRead);  // the two ways of counting differ
    EXPECT_EQ(early.RigFrequency, 0.0f);
}

TEST(PollLoop, AnAnswerIsCountedFromItsStartAndReadWhenItsBlockCanBeTold)
{
    const QByteArray block = QByteArray::fromHex("0140250002");
    struct Case {
        const char* name;
        QByteArray answer;
        std::optional<float> frequency;
    };
    const Case cases[] = {
        {"the block", block, 14.025f},
        // Noise run on into the block, or after it: one of the two ways of
        // counting gives no block of this rig's.
        {"noise run on into the block", QByteArray("\x0A\x40\x99") + block, 14.025f},
        {"noise after the block", block + QByteArray("\x0A\x40\x99"), 14.025f},
        // Read either way it gives blocks that differ: neither is taken.
        {"a block both ways", QByteArray::fromHex("0280000002") + block.right(3), std::nullopt},
        {"too short", block.left(4), std::nullopt},
        {"noise alone", QByteArray("\xA7\x13"), std::nullopt},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        PollLoop loop = loopFor("Yaesu");
        (void)loop.sendTickBytes();
        // Byte by byte, with silences between them.
        for (char byte : c.answer)
            loop.takeArrived(QByteArrayView(&byte, 1));
        // Read at once when whole, else once the next question ends it.
        bool read = loop.readTick().frequencyRead;
        (void)loop.sendTickBytes();
        read = loop.readTick().frequencyRead || read;
        EXPECT_EQ(read, c.frequency.has_value());
        if (c.frequency)
            EXPECT_FLOAT_EQ(loop.RigFrequency, *c.frequency);
    }
}

TEST(PollLoop, ABlockThatComesAfterTheNextQuestionIsReadACycleLate)
{
    // Nothing that arrived is thrown away for a new question.
    PollLoop loop = loopFor("Yaesu 990");
    (void)loop.sendTickBytes();
    EXPECT_FALSE(loop.readTick().answered);
    (void)loop.sendTickBytes();
    EXPECT_EQ(loop.questionsOpen(), 2);
    const QByteArray block = block990(7'000'000);
    loop.takeArrived(block.left(9));
    EXPECT_FALSE(loop.readTick().frequencyRead);
    loop.takeArrived(block.mid(9));
    const auto outcome = loop.readTick();
    EXPECT_TRUE(outcome.frequencyRead);
    EXPECT_FLOAT_EQ(loop.RigFrequency, 7.0f);
    EXPECT_EQ(loop.RigMode, "CW");
    EXPECT_EQ(loop.questionsOpen(), 1);
}

namespace {

/// The rig interface's ticks over the poll loop at one poll rate, with a
/// "Yaesu 990" on a 4,800 baud line: each question is answered from the
/// dial, byte by byte at the line's pace, late, in two halves with a
/// silence between them, with noise before the block, as the case says.
/// The ticks ask, wait and read as the window does.
struct TickedRig {
    PollLoop loop = loopFor("Yaesu 990");
    std::int64_t tickNs = 0;
    int delayMs = 0;
    int halvesGapMs = 0;  ///< 0: the block in one piece
    int noiseBytes = 0;
    qint64 dialHz = 14'025'000;

    std::int64_t now = 1000 * Ms;
    std::int64_t lineFreeNs = 0;
    std::vector<ArrivedBytes> onTheLine;  ///< one byte each, in order
    std::vector<float> handedOver;
    bool silentAfterReading = false;  ///< taken for silent once it had been read
    int questions = 0;
    quint32 random = 20261211;

    static constexpr std::int64_t CharacterNs = 11 * 1'000'000'000LL / 4800;

    void send(const QByteArray& bytes, std::int64_t notBeforeNs)
    {
        std::int64_t at = std::max(notBeforeNs, lineFreeNs);
        for (char b : bytes) {
            at += CharacterNs;
            onTheLine.push_back({at, QByteArray(1, b)});
        }
        lineFreeNs = at;
    }

    void answer()
    {
        QByteArray noise;
        for (int i = 0; i < noiseBytes; ++i) {
            random = random * 1664525u + 1013904223u;
            noise += char(random >> 24);
        }
        send(noise, now);
        const QByteArray block = block990(dialHz);
        if (halvesGapMs == 0) {
            send(block, now + delayMs * Ms);
            return;
        }
        send(block.left(8), now + delayMs * Ms);
        send(block.mid(8), lineFreeNs + halvesGapMs * Ms);
    }

    void tick()
    {
        now += tickNs;
        // The port takes each byte as it comes.
        auto arrived = std::find_if(onTheLine.begin(), onTheLine.end(),
                                    [&](const ArrivedBytes& b) { return b.ns > now; });
        for (auto it = onTheLine.begin(); it != arrived; ++it)
            loop.takeArrived(it->bytes, it->ns);
        onTheLine.erase(onTheLine.begin(), arrived);
        if (loop.ReadTickNext == 0) {
            if (!loop.questionWaits(now) && !loop.sendTickBytes(now).isEmpty()) {
                ++questions;
                answer();
            }
            loop.ReadTickNext = 1;
        } else {
            if (loop.readTick(now).frequencyRead)
                handedOver.push_back(loop.RigFrequency);
            silentAfterReading = silentAfterReading || (!handedOver.empty() && loop.rigSilent());
            loop.ReadTickNext = 0;
        }
    }
};

}  // namespace

TEST(PollLoop, BlocksInPiecesLateOrWithNoiseAreReadAtTheDefaultAndTheFastestRate)
{
    struct Case {
        const char* name;
        int delayMs, halvesGapMs, noiseBytes;
    };
    const Case cases[] = {
        {"whole, at once", 0, 0, 0},
        {"two halves 40 ms apart", 0, 40, 0},
        {"two halves 90 ms apart", 0, 90, 0},
        {"two halves 40 ms apart, 75 ms late", 75, 40, 0},
        {"two halves 40 ms apart, 300 ms late", 300, 40, 0},
        {"noise, then two halves", 0, 40, 3},
        {"noise, then the block 60 ms late", 60, 0, 3},
    };
    for (const int tickMs : {250, 50}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(testing::Message() << c.name << ", ticks of " << tickMs << " ms");
            TickedRig rig;
            rig.tickNs = tickMs * Ms;
            rig.delayMs = c.delayMs;
            rig.halvesGapMs = c.halvesGapMs;
            rig.noiseBytes = c.noiseBytes;
            const int ticks = 2 * 40 * 250 / tickMs + 80;
            for (int i = 0; i < ticks; ++i) {
                if (i == ticks / 2)
                    rig.dialHz = 28'400'000;
                rig.tick();
            }
            ASSERT_FALSE(rig.handedOver.empty());
            for (float mhz : rig.handedOver)
                EXPECT_TRUE(mhz == 14.025f || mhz == 28.4f) << mhz;
            EXPECT_FLOAT_EQ(rig.handedOver.back(), 28.4f);
            // Most questions get their answer read: none is lost to the
            // silences inside it.
            const auto changed = std::find(rig.handedOver.begin(), rig.handedOver.end(), 28.4f);
            EXPECT_GE(rig.handedOver.end() - changed, 5);
            EXPECT_GE(static_cast<int>(rig.handedOver.size()) * (c.noiseBytes > 0 ? 2 : 1),
                      rig.questions * 3 / 4);
            EXPECT_EQ(rig.loop.RigMode, "CW");
            // A block still coming in is no silence.
            EXPECT_FALSE(rig.silentAfterReading);
        }
    }
}

TEST(PollLoop, PollsThatGiveNoReadingCountAsSilence)
{
    const int reported = PollLoop::UnreadPollsReported;
    const QByteArray block = block990(21'200'000);

    // A silent rig of blocks: each question unanswered at its read tick.
    PollLoop silent = loopFor("Yaesu 990");
    for (int i = 0; i < reported; ++i) {
        EXPECT_FALSE(silent.rigSilent()) << i;
        (void)silent.sendTickBytes(1000 * Ms + i * 100 * Ms);
        EXPECT_FALSE(silent.readTick(1050 * Ms + i * 100 * Ms).heard);
    }
    EXPECT_TRUE(silent.rigSilent());

    // Blocks cut short, or read both ways as different frequencies: bytes
    // on every poll, and still no reading.
    struct BlockCase {
        const char* name;
        const char* rigType;
        QByteArray answer;
    };
    const BlockCase blockCases[] = {
        {"three bytes short", "Yaesu 990", block.left(13)},
        {"three bytes extra, read both ways", "Yaesu", QByteArray::fromHex("0212000001") + QByteArray::fromHex("000001")},
    };
    for (const BlockCase& c : blockCases) {
        SCOPED_TRACE(c.name);
        PollLoop loop = loopFor(c.rigType);
        std::int64_t now = 1000 * Ms;
        for (int i = 0; i < reported; ++i) {
            EXPECT_FALSE(loop.rigSilent()) << i;
            (void)loop.sendTickBytes(now);
            loop.takeArrived(c.answer, now + 10 * Ms);
            // The answer is not decided while its question is the last.
            const auto outcome = loop.readTick(now + 50 * Ms);
            EXPECT_TRUE(outcome.answered);
            EXPECT_FALSE(outcome.heard);
            now += 100 * Ms;
        }
        EXPECT_FALSE(loop.rigSilent());
        (void)loop.sendTickBytes(now);  // ends the third answer
        EXPECT_TRUE(loop.rigSilent());
        // One reading, and the rig answers again.
        loop.takeArrived(c.rigType == QLatin1String("Yaesu") ? QByteArray::fromHex("0212000001") : block,
                         now + 10 * Ms);
        EXPECT_TRUE(loop.readTick(now + 60 * Ms).heard);
        EXPECT_FALSE(loop.rigSilent());
    }

    // Replies that end by themselves: an unfinished one waits while it may
    // still end, and one that never ends counts for every poll it held up.
    PollLoop slow = loopFor("Kenwood");
    const QByteArray reply = "FA00021200000;MD2;";
    std::int64_t now = 1000 * Ms;
    for (int poll = 0; poll < 12; ++poll) {
        // A sixth of the reply at each read tick, one every 100 ms.
        (void)slow.sendTickBytes(now);
        slow.takeArrived(reply.mid(poll % 6 * 3, 3), now + 40 * Ms);
        const auto outcome = slow.readTick(now + 50 * Ms);
        EXPECT_EQ(outcome.heard, poll % 6 == 4 || poll % 6 == 5) << poll;
        EXPECT_FALSE(slow.rigSilent()) << poll;
        now += 100 * Ms;
    }
    PollLoop cut = loopFor("Kenwood");
    now = 1000 * Ms;
    int polls = 0;
    while (!cut.rigSilent() && polls < 40) {
        (void)cut.sendTickBytes(now);
        cut.takeArrived("FA000212000M", now + 40 * Ms);
        EXPECT_FALSE(cut.readTick(now + 50 * Ms).heard);
        now += 100 * Ms;
        ++polls;
    }
    EXPECT_TRUE(cut.rigSilent());
    EXPECT_EQ(polls, 21);  // two seconds of polls, then the decision
    EXPECT_GE(cut.unreadPolls(), 21);

    // "Other" reads nothing from its answers: any answer is the rig's.
    PollLoop other = loopFor("Other");
    other.rig.frequencyQuery = QStringLiteral("ID;");
    for (int i = 0; i < 5; ++i) {
        (void)other.sendTickBytes(now);
        EXPECT_TRUE(other.readReplies("whatever").heard);
    }
    EXPECT_FALSE(other.rigSilent());
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

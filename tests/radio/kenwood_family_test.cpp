// The Kenwood-style command sets on their own: whole replies in, frequency
// and mode out, and the bytes of the set commands.

#include "radio/frame_buffer.h"
#include "radio/kenwood_family.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

RigContext queries(const char* frequency, const char* mode)
{
    RigContext rig;
    rig.frequencyQuery = QString::fromLatin1(frequency);
    rig.modeQuery = QString::fromLatin1(mode);
    return rig;
}

/// Reads every whole reply of a text the way the poll loop does.
RigReading read(const RigFamily& family, RigContext& rig, const QByteArray& text, quint8 toggle = 0)
{
    FrameBuffer buffer;
    buffer.append(text);
    RigReading reading;
    for (const QByteArray& frame : buffer.takeFrames(family))
        family.parseFrame(frame, toggle, rig, reading);
    return reading;
}

/// A Kenwood "IF" status of 38 characters: frequency, step, RIT, flags,
/// memory channel, TX/RX, then mode and VFO.
QByteArray status(const char* hz11, char mode, char vfo)
{
    return QByteArray("IF") + hz11 + "00000" + "+0000" + "000" + "00" + "0" + mode + vfo + "000" + "00" +
           "0" + ";";
}

}  // namespace

TEST(Kenwood, FrequencyAndModeReplies)
{
    struct Case {
        const char* reply;
        std::optional<float> frequency;
        std::optional<const char*> mode;
    };
    const Case cases[] = {
        {"FA00014025000;MD3;", 14.025f, "CW"},
        {"FA00007040000;MD7;", 7.04f, "CW"},
        {"FA00014250000;MD2;", 14.25f, "PH"},
        {"MD1;", std::nullopt, "PH"},
        // A stray byte before the reply does not hide it.
        {"\xff" "FA00021300000;", 21.3f, std::nullopt},
        // Digits lost on the line: the field is not read at all.
        {"FA0001402500;", std::nullopt, std::nullopt},
        // The mode digit is missing: no mode, and above all no phone.
        {"MD;", std::nullopt, std::nullopt},
        // An error reply.
        {"?;", std::nullopt, std::nullopt},
    };
    for (const Case& c : cases) {
        RigContext rig = queries("FA;", "MD;");
        const RigReading r = read(kenwood::kenwood(), rig, QByteArray(c.reply));
        SCOPED_TRACE(c.reply);
        EXPECT_EQ(r.frequency.has_value(), c.frequency.has_value());
        if (c.frequency && r.frequency)
            EXPECT_FLOAT_EQ(*r.frequency, *c.frequency);
        EXPECT_EQ(r.mode.has_value(), c.mode.has_value());
        if (c.mode && r.mode)
            EXPECT_EQ(*r.mode, QString::fromLatin1(*c.mode));
    }
}

TEST(Kenwood, ReplyNotEndedIsNotRead)
{
    // Ends right after the eleventh digit: the reply is not whole yet.
    RigContext rig = queries("FA;", "MD;");
    EXPECT_FALSE(read(kenwood::kenwood(), rig, "FA00014025000").frequency);
    EXPECT_FALSE(read(kenwood::kenwood(), rig, "FA00014025000;MD").mode);
}

TEST(Kenwood, ShortFrequencyQueryReadsNoFrequency)
{
    for (const RigFamily* f : {&kenwood::kenwood(), &kenwood::elecraft()}) {
        RigContext rig = queries("FA", "MD;");
        const RigReading r = read(*f, rig, "FA00014025000;MD3;");
        EXPECT_FALSE(r.frequency);
        EXPECT_EQ(r.mode, QStringLiteral("CW"));
    }
}

TEST(Kenwood, EditedQueryReadsAndSetsItsOwnVfo)
{
    RigContext rig = queries("FB;", "MD;");
    EXPECT_FLOAT_EQ(*read(kenwood::kenwood(), rig, "FB00003525000;").frequency, 3.525f);
    EXPECT_FALSE(read(kenwood::kenwood(), rig, "FA00003525000;").frequency);
    EXPECT_EQ(kenwood::kenwood().setFrequencyCommand(3.525f, rig), QByteArray("FB00003525000;"));
    // The Elecraft always sets VFO A.
    EXPECT_EQ(kenwood::elecraft().setFrequencyCommand(3.525f, rig), QByteArray("FA00003525000;"));
}

TEST(Kenwood, PollQueries)
{
    quint8 toggle = 0;
    const RigContext rig = queries("FA;", "MD;");
    EXPECT_EQ(kenwood::kenwood().pollQueries(rig, toggle), QByteArray("FA;MD;"));
    EXPECT_EQ(kenwood::elecraft().pollQueries(rig, toggle), QByteArray("FA;MD;"));
    EXPECT_EQ(toggle, 0);
    EXPECT_EQ(kenwood::kenwood2().pollQueries(queries("IF;", ""), toggle), QByteArray("IF;"));
}

TEST(Kenwood, SetCommands)
{
    const RigContext rig = queries("FA;", "MD;");
    EXPECT_EQ(kenwood::kenwood().setFrequencyCommand(14.025f, rig), QByteArray("FA00014025000;"));
    EXPECT_EQ(kenwood::kenwood().setFrequencyCommand(50.1f, rig), QByteArray("FA00050100000;"));
    struct ModeCase {
        const char* mode;
        std::optional<QByteArray> command;
    };
    const ModeCase modes[] = {
        {"LSB", QByteArray("MD1;")}, {"USB", QByteArray("MD2;")},  {"CW", QByteArray("MD3;")},
        {"FM", QByteArray("MD4;")},  {"AM", QByteArray("MD5;")},   {"RTTY", QByteArray("MD6;")},
        {"FSK", QByteArray("MD6;")}, {"CW-R", std::nullopt},       {"PKT", std::nullopt},
    };
    for (const RigFamily* f : {&kenwood::kenwood(), &kenwood::kenwood2(), &kenwood::elecraft()})
        for (const ModeCase& m : modes)
            EXPECT_EQ(f->setModeCommand(QString::fromLatin1(m.mode), rig), m.command) << m.mode;
}

TEST(Kenwood2, StatusReplySetsFrequencyModeAndVfo)
{
    RigContext rig = queries("IF;", "");
    ASSERT_EQ(status("00014025000", '3', '0').size(), 38);
    RigReading r = read(kenwood::kenwood2(), rig, status("00014025000", '3', '1'));
    EXPECT_FLOAT_EQ(*r.frequency, 14.025f);
    EXPECT_EQ(r.mode, QStringLiteral("CW"));
    EXPECT_EQ(rig.vfoDigit, 1);
    EXPECT_EQ(kenwood::kenwood2().setFrequencyCommand(7.04f, rig), QByteArray("FB00007040000;"));

    r = read(kenwood::kenwood2(), rig, status("00007200000", '1', '0'));
    EXPECT_EQ(r.mode, QStringLiteral("PH"));
    EXPECT_EQ(rig.vfoDigit, 0);
    EXPECT_EQ(kenwood::kenwood2().setFrequencyCommand(7.04f, rig), QByteArray("FA00007040000;"));
}

TEST(Kenwood2, VfoUnknownUntilAStatusArrivesSetsVfoA)
{
    RigContext rig = queries("IF;", "");
    EXPECT_EQ(rig.vfoDigit, 10);
    EXPECT_EQ(kenwood::kenwood2().setFrequencyCommand(21.3f, rig), QByteArray("FA00021300000;"));
}

TEST(Kenwood2, ShortStatusKeepsModeAndVfo)
{
    RigContext rig = queries("IF;", "");
    rig.vfoDigit = 1;
    const RigReading r = read(kenwood::kenwood2(), rig, "IF00014025000000;");
    EXPECT_FLOAT_EQ(*r.frequency, 14.025f);
    EXPECT_FALSE(r.mode);
    EXPECT_EQ(rig.vfoDigit, 1);
}

TEST(FTdx9000, RepliesAlternatingQueriesAndCommands)
{
    RigContext rig = queries("FA;", "MD0;");
    RigReading r = read(kenwood::ftdx9000(), rig, "FA14025000;");
    EXPECT_FLOAT_EQ(*r.frequency, 14.025f);
    r = read(kenwood::ftdx9000(), rig, "MD03;");
    EXPECT_EQ(r.mode, QStringLiteral("CW"));
    r = read(kenwood::ftdx9000(), rig, "MD0A;");
    EXPECT_EQ(r.mode, QStringLiteral("PH"));
    // A frequency field cut short is not read.
    EXPECT_FALSE(read(kenwood::ftdx9000(), rig, "FA140250;").frequency);
    EXPECT_FALSE(read(kenwood::ftdx9000(), rig, "MD0;").mode);

    quint8 toggle = 0;
    EXPECT_EQ(kenwood::ftdx9000().pollQueries(rig, toggle), QByteArray("FA;"));
    EXPECT_EQ(toggle, 1);
    EXPECT_EQ(kenwood::ftdx9000().pollQueries(rig, toggle), QByteArray("MD0;"));
    EXPECT_EQ(toggle, 0);
    // A one-character query is no command, but the turn still passes.
    RigContext shortMode = queries("FA;", "M");
    toggle = 1;
    EXPECT_EQ(kenwood::ftdx9000().pollQueries(shortMode, toggle), QByteArray());
    EXPECT_EQ(toggle, 0);

    EXPECT_EQ(kenwood::ftdx9000().setFrequencyCommand(14.025f, rig), QByteArray("FA14025000;"));
    EXPECT_EQ(kenwood::ftdx9000().setModeCommand("CW", rig), QByteArray("MD03;"));
    EXPECT_EQ(kenwood::ftdx9000().setModeCommand("CW-R", rig), QByteArray("MD07;"));
    EXPECT_EQ(kenwood::ftdx9000().setModeCommand("FSK", rig), std::nullopt);
}

TEST(FrameBuffer, RepliesSplitAcrossReadsComeOutWhole)
{
    FrameBuffer buffer;
    const RigFamily& family = kenwood::kenwood();
    buffer.append("FA000140");
    EXPECT_TRUE(buffer.takeFrames(family).empty());
    buffer.append("25000;MD");
    auto frames = buffer.takeFrames(family);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], QByteArray("FA00014025000;"));
    buffer.append("3;FA00007");
    frames = buffer.takeFrames(family);
    ASSERT_EQ(frames.size(), 1u);
    EXPECT_EQ(frames[0], QByteArray("MD3;"));
    EXPECT_EQ(buffer.pending(), QByteArray("FA00007"));
}

TEST(FrameBuffer, GarbageWithoutTerminatorIsBounded)
{
    FrameBuffer buffer;
    for (int i = 0; i < 100; ++i)
        buffer.append(QByteArray(100, 'x'));
    EXPECT_EQ(buffer.size(), FrameBuffer::Capacity);
    EXPECT_TRUE(buffer.takeFrames(kenwood::kenwood()).empty());
    buffer.append("FA00014025000;");
    const auto frames = buffer.takeFrames(kenwood::kenwood());
    ASSERT_EQ(frames.size(), 1u);
    RigContext rig = queries("FA;", "MD;");
    RigReading r;
    kenwood::kenwood().parseFrame(frames[0], 0, rig, r);
    EXPECT_FLOAT_EQ(*r.frequency, 14.025f);
}

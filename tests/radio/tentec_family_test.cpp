// The Ten-Tec command sets and the Pegasus files as the poll loop uses
// them: replies fed in the pieces the line delivers, read only when whole.

#include "rig_bytes.h"
#include "radio/poll_loop.h"
#include "radio/rig_models.h"
#include "radio/tentec_family.h"

#include <QList>
#include <gtest/gtest.h>

using namespace radio;

namespace {

using rig_bytes::hex;

struct Read {
    float frequency = 0;
    QString mode;
};

/// The poll loop of rigType after the pieces arrived on successive reads.
Read readPieces(const char* rigType, const QList<QByteArray>& pieces)
{
    PollLoop loop;
    loop.setRigType(QString::fromLatin1(rigType));
    for (const QByteArray& piece : pieces)
        (void)loop.readReplies(piece);
    return {loop.RigFrequency, loop.RigMode};
}

}  // namespace

TEST(TenTecReplies, AreReadByTheirLayoutAndOnlyWhenWhole)
{
    struct Case {
        const char* what;
        const char* rigType;
        QList<QByteArray> pieces;
        float frequency;  ///< 0: none read
        const char* mode;
    };
    const char* fp = "Ten Tec Fnt Pnl";
    const char* orion = "Ten Tec Orion";
    const Case cases[] = {
        {"front-panel frequency", fp, {hex("41 00 D6 01 28 0D")}, 14.025f, ""},
        {"in pieces", fp, {hex("41 00 D6"), hex("01 28 0D")}, 14.025f, ""},
        {"short of its end", fp, {hex("41 00 D6 01 28")}, 0, ""},
        {"three bytes", fp, {hex("41 00 D6")}, 0, ""},
        {"a 0D among the frequency bytes", fp, {hex("41 00 D6 05 0D 0D")}, 14.026f, ""},
        {"after an acknowledgement and a stray byte", fp, {hex("47 0D 55 41 00 6B 6C 00 0D")}, 7.04f, ""},
        {"a letter whose reply does not end there", fp, {hex("41 12 0D 4D 33 33 0D")}, 0, "CW"},
        {"mode CW", fp, {hex("4D 33 33 0D")}, 0, "CW"},
        {"mode phone", fp, {hex("4D 31 31 0D")}, 0, "PH"},
        {"mode unknown", fp, {hex("4D 39 39 0D")}, 0, ""},
        {"mode short of its end", fp, {hex("4D 33")}, 0, ""},
        {"Orion frequency", orion, {"@AF14025000\r"}, 14.025f, ""},
        {"text before it", orion, {"G\rxx@AF14025000\r"}, 14.025f, ""},
        {"frequency and mode in pieces", orion, {"@AF70", "40000\r@RM", "M1\r"}, 7.04f, "PH"},
        {"no line end yet", orion, {"@AF14025000"}, 0, ""},
        {"garbled digits", orion, {"@AF14O25000\r"}, 0, ""},
        {"mode 0", orion, {"@RMM0\r"}, 0, "PH"},
        {"mode 3", orion, {"@RMM3\r"}, 0, "CW"},
        {"mode 2", orion, {"@RMM2\r"}, 0, "CW"},
        {"mode without its digit", orion, {"@RMM\r"}, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const Read read = readPieces(c.rigType, c.pieces);
        EXPECT_FLOAT_EQ(read.frequency, c.frequency);
        EXPECT_EQ(read.mode, QString::fromLatin1(c.mode));
    }
}

TEST(TenTecCommands, PollsAndSetFrequencies)
{
    const RigFamily& orion = *findRigModel("Ten Tec Orion")->family;
    const RigFamily& fp = *findRigModel("Ten Tec Fnt Pnl")->family;
    RigContext rig;
    rig.frequencyQuery = "?AF";
    rig.modeQuery = "?RMM";
    quint8 toggle = 0;
    EXPECT_EQ(orion.pollQueries(rig, toggle), QByteArray("?AF\r?RMM\r"));
    EXPECT_EQ(orion.setFrequencyCommand(14.025f, rig), QByteArray("*AF14025000\r"));
    EXPECT_FALSE(orion.setModeCommand("USB", rig));

    rig.frequencyQuery = "3F 41 0D";
    rig.modeQuery = "3F 4D";  // too short: that cycle sends nothing
    EXPECT_EQ(fp.pollQueries(rig, toggle), hex("3F 41 0D"));
    EXPECT_EQ(fp.pollQueries(rig, toggle), QByteArray());
    EXPECT_EQ(fp.pollQueries(rig, toggle), hex("3F 41 0D"));
    EXPECT_EQ(fp.setFrequencyCommand(7.04f, rig), hex("2A 41 00 6B 6C 00 0D"));
    EXPECT_EQ(fp.setFrequencyCommand(14.025f, rig), hex("2A 41 00 D6 01 28 0D"));
    EXPECT_FALSE(fp.setFrequencyCommand(5000.0f, rig));  // beyond four bytes of Hz
    EXPECT_FALSE(fp.setModeCommand("CW", rig));
}

TEST(PegasusFiles, OutputFileIsReadWholeOrNotAtAll)
{
    struct Case {
        QByteArray text;
        float frequency;  ///< 0: no reading
        const char* mode;
    };
    const Case cases[] = {
        {"7.04,\"USB\"\r\n", 7.04f, "PH"},
        {"14.025\r\nCW\r\n", 14.025f, "CW"},
        {"21.3,\"\"\r\n", 21.3f, ""},
        {"3.5 , \" LSB \"", 3.5f, "PH"},
        {"", 0, ""},
        {"14.0", 0, ""},  // caught while the control program wrote it
        {"abc,USB\r\n", 0, ""},
        {"0,CW\r\n", 0, ""},
        // Numbers no single-precision frequency holds.
        {"1e300,CW\r\n", 0, ""},
        {"-1e300,CW\r\n", 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        const tentec::PegasusReading read = tentec::ParsePegasusOut(c.text);
        EXPECT_FLOAT_EQ(read.frequency.value_or(0), c.frequency);
        EXPECT_EQ(read.mode, QString::fromLatin1(c.mode));
        EXPECT_EQ(read.problem.isEmpty(), c.frequency > 0);
    }
    EXPECT_EQ(tentec::FormatPegasusIn(14.025f, " PH "), QByteArray("14.025\r\nPH\r\n"));
    EXPECT_EQ(tentec::FormatPegasusIn(7.04f, ""), QByteArray("7.04\r\n\r\n"));
}

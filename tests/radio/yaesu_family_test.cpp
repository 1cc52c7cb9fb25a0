// The Yaesu binary command sets on their own: status blocks in, frequency
// and mode out, and the five-byte set commands.

#include "rig_bytes.h"
#include "radio/frame_buffer.h"
#include "radio/yaesu_family.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

using rig_bytes::hex;

/// A block of length bytes of filler with the given bytes (from 1) set.
QByteArray block(int length, std::initializer_list<std::pair<int, const char*>> bytes)
{
    QByteArray b(length, char(0x99));
    for (const auto& [at, value] : bytes) {
        const QByteArray v = hex(value);
        b.replace(at - 1, v.size(), v);
    }
    return b;
}

/// Feeds the pieces one after the other as the poll loop does and reads the
/// whole blocks among them.
RigReading read(const RigFamily& family, std::initializer_list<QByteArray> pieces)
{
    return rig_bytes::readPieces(family, RigContext{}, pieces);
}

}  // namespace

TEST(YaesuFamily, BlocksAreReadByEachRigsLayout)
{
    struct Case {
        const char* name;
        const RigFamily* family;
        std::initializer_list<QByteArray> pieces;
        std::optional<float> frequency;
        std::optional<QString> mode;
    };
    const Case cases[] = {
        {"Yaesu CW", &yaesu::yaesu(), {hex("01 40 25 00 02")}, 14.025f, "CW"},
        {"Yaesu LSB", &yaesu::yaesu(), {hex("00 70 00 00 01")}, 7.0f, "PH"},
        {"Yaesu narrow FM", &yaesu::yaesu(), {hex("14 60 00 00 88")}, 146.0f, "PH"},
        {"Yaesu digital keeps the mode", &yaesu::yaesu(), {hex("01 40 25 00 0A")}, 14.025f, {}},
        {"Yaesu digit above 9", &yaesu::yaesu(), {hex("01 4A 25 00 02")}, {}, {}},
        {"757 AM", &yaesu::yaesu757(), {block(75, {{6, "00 25 40 01"}, {10, "04"}})}, 14.025f, "AM"},
        {"757 CW narrow", &yaesu::yaesu757(), {block(75, {{6, "00 40 10 02"}, {10, "03"}})}, 21.04f, "CW"},
        {"757 mode byte read up to its letter", &yaesu::yaesu757(), {block(75, {{6, "00 40 10 02"}, {10, "0A"}})},
         21.04f, "PH"},
        {"757 mode byte no number", &yaesu::yaesu757(), {block(75, {{6, "00 40 10 02"}, {10, "A1"}})}, 21.04f,
         {}},
        {"890 CW", &yaesu::yaesu890(), {block(19, {{3, "02 23 DA"}, {8, "42"}})}, 1.4025f, "CW"},
        // A mode the logger has no contest mode for (8 RTTY, A packet, and
        // the values above): the frequency counts, the mode stays.
        {"890 packet", &yaesu::yaesu890(), {block(19, {{3, "15 66 84"}, {8, "0A"}})}, 14.025f, {}},
        {"890 mode C", &yaesu::yaesu890(), {block(19, {{3, "15 66 84"}, {8, "4C"}})}, 14.025f, {}},
        {"990 RTTY", &yaesu::yaesu990(), {block(16, {{2, "0A AE 60"}, {8, "48"}})}, 7.0f, {}},
        {"1000 D mode F", &yaesu::yaesu990(), {block(16, {{2, "0A AE 60"}, {8, "4F"}})}, 7.0f, {}},
        {"890 below the rig's range", &yaesu::yaesu890(), {block(19, {{3, "00 03 E7"}, {8, "02"}})}, {}, {}},
        {"890 at the bottom of its range", &yaesu::yaesu890(), {block(19, {{3, "00 27 10"}, {8, "02"}})}, 0.1f,
         "CW"},
        {"990 above 30 MHz", &yaesu::yaesu990(), {block(16, {{2, "2D C6 C1"}, {8, "02"}})}, {}, {}},
        {"920 up to 56 MHz", &yaesu::yaesu920(), {block(28, {{2, "03 0D 40 00"}, {8, "02"}})}, 51.2f, "PH"},
        {"920 above 56 MHz", &yaesu::yaesu920(), {block(28, {{2, "03 56 7E 01"}, {8, "02"}})}, {}, {}},
        {"1000 mode 9", &yaesu::yaesu1000(), {block(16, {{2, "71 56 68 45"}, {8, "09"}})}, 14.025f, {}},
        {"Yaesu above 470 MHz", &yaesu::yaesu(), {hex("47 00 00 10 01")}, {}, {}},
        {"920 Hz", &yaesu::yaesu920(), {block(28, {{2, "00 D6 01 28"}, {8, "81"}})}, 14.025f, "CW"},
        {"920 any other mode it has is phone", &yaesu::yaesu920(), {block(28, {{2, "00 D6 01 28"}, {8, "07"}})},
         14.025f, "PH"},
        {"920 RTTY is phone", &yaesu::yaesu920(), {block(28, {{2, "00 D6 01 28"}, {8, "88"}})}, 14.025f, "PH"},
        {"920 mode E is phone", &yaesu::yaesu920(), {block(28, {{2, "00 D6 01 28"}, {8, "0E"}})}, 14.025f, "PH"},
        {"990", &yaesu::yaesu990(), {block(16, {{2, "0A AE 60"}, {8, "02"}})}, 7.0f, "CW"},
        {"1000 D", &yaesu::yaesu990(), {block(16, {{2, "15 66 84"}, {8, "01"}})}, 14.025f, "PH"},
        {"1000 drops the outer nibbles", &yaesu::yaesu1000(), {block(16, {{2, "71 56 68 45"}, {8, "02"}})},
         14.025f, "CW"},
        // Nothing marks a block's end: it is read once all of it is there,
        // and not a byte before.
        {"split anywhere", &yaesu::yaesu990(), {hex("99 15"), block(16, {{1, "66 84"}, {6, "82"}}).left(14)},
         14.025f, "CW"},
        {"short of its length", &yaesu::yaesu757(), {block(75, {{6, "00 25 40 01"}, {10, "02"}}).left(74)}, {},
         {}},
        {"short Yaesu", &yaesu::yaesu(), {hex("01 40 25 00")}, {}, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RigReading r = read(*c.family, c.pieces);
        EXPECT_EQ(r.frequency, c.frequency);
        EXPECT_EQ(r.mode, c.mode);
    }
}

TEST(YaesuFamily, PollAsksForTheStatusBlockOnly)
{
    RigContext rig;
    rig.frequencyQuery = QStringLiteral("00 00 00 02 10");
    rig.modeQuery = QStringLiteral("00 00 00 00 03");
    quint8 toggle = 0;
    for (int cycle = 0; cycle < 2; ++cycle)
        EXPECT_EQ(yaesu::yaesu890().pollQueries(rig, toggle), hex("00 00 00 02 10"));
    rig.frequencyQuery = QStringLiteral("00 00 00 02 1");  // 13 characters: not sent
    EXPECT_TRUE(yaesu::yaesu890().pollQueries(rig, toggle).isEmpty());
    EXPECT_TRUE(yaesu::yaesu890().answersInBlocks());
}

TEST(YaesuFamily, SetFrequencyCommands)
{
    const RigContext rig;
    struct Case {
        float mhz;
        const char* yaesu;   ///< "Yaesu"
        const char* others;  ///< the six others
    };
    const Case cases[] = {
        {14.025f, "01 40 25 00 01", "00 25 40 01 0A"},
        {7.0f, "00 70 00 00 01", "00 00 70 00 0A"},
        {50.1f, "05 01 00 00 01", "00 00 01 05 0A"},
        {432.1f, "43 21 00 00 01", "00 00 21 43 0A"},
    };
    const RigFamily* others[] = {&yaesu::yaesu757(), &yaesu::yaesu890(), &yaesu::yaesu920(), &yaesu::yaesu990(),
                                 &yaesu::yaesu1000()};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mhz);
        EXPECT_EQ(yaesu::yaesu().setFrequencyCommand(c.mhz, rig), hex(c.yaesu));
        for (const RigFamily* f : others)
            EXPECT_EQ(f->setFrequencyCommand(c.mhz, rig), hex(c.others));
    }
    // Eight digits of 10 Hz end below 1,000 MHz: 10 GHz is no command at all.
    EXPECT_EQ(yaesu::yaesu().setFrequencyCommand(10368.0f, rig), std::nullopt);
    EXPECT_EQ(yaesu::yaesu890().setFrequencyCommand(1296.0f, rig), std::nullopt);
}

TEST(YaesuFamily, SetModeCommands)
{
    const RigContext rig;
    struct Case {
        const char* mode;
        const char* yaesu;   ///< empty: nothing sent
        const char* others;
    };
    const Case cases[] = {
        {"LSB", "00 00 00 00 07", "00 00 00 00 0C"}, {"USB", "01 00 00 00 07", "00 00 00 01 0C"},
        {"CW", "02 00 00 00 07", "00 00 00 02 0C"},  {"CW-R", "", "00 00 00 03 0C"},
        {"AM", "04 00 00 00 07", "00 00 00 04 0C"},  {"FM", "08 00 00 00 07", "00 00 00 06 0C"},
        {"RTTY", "0A 00 00 00 07", "00 00 00 08 0C"}, {"DIG", "0A 00 00 00 07", ""},
        {"PKT", "0C 00 00 00 07", "00 00 00 0A 0C"},  {"FSK", "", ""},
        {"RTTY-R", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const QString mode = QString::fromLatin1(c.mode);
        const auto expect = [](const char* h) { return *h ? std::optional(hex(h)) : std::nullopt; };
        EXPECT_EQ(yaesu::yaesu().setModeCommand(mode, rig), expect(c.yaesu));
        EXPECT_EQ(yaesu::yaesu890().setModeCommand(mode, rig), expect(c.others));
        EXPECT_EQ(yaesu::yaesu757().setModeCommand(mode, rig), expect(c.others));
    }
}

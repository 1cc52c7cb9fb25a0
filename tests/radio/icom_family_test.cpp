// The Icom CI-V command set on its own: received bytes in, frequency and
// mode out, and the bytes of the set commands.

#include "rig_bytes.h"
#include "radio/frame_buffer.h"
#include "radio/icom_family.h"

#include <gtest/gtest.h>

using namespace radio;

namespace {

using rig_bytes::hex;

RigContext icomQueries(const char* frequency = "FE FE 64 E0 03 FD", const char* mode = "FE FE 64 E0 04 FD")
{
    RigContext rig;
    rig.frequencyQuery = QString::fromLatin1(frequency);
    rig.modeQuery = QString::fromLatin1(mode);
    rig.convertToHex = true;
    return rig;
}

/// Reads the whole frames of the pieces, fed one after the other as the
/// poll loop does; what is left unfinished stays in the buffer.
RigReading read(const RigFamily& family, std::initializer_list<QByteArray> pieces)
{
    return rig_bytes::readPieces(family, icomQueries(), pieces);
}

}  // namespace

TEST(IcomFamily, RepliesAreReadFromWholeFramesOnly)
{
    struct Case {
        const char* name;
        const RigFamily* family;
        std::initializer_list<QByteArray> pieces;
        std::optional<float> frequency;
        std::optional<QString> mode;
    };
    const Case cases[] = {
        {"echo then answer", &icom::icom(), {hex("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 00 FD")}, 14.025f, {}},
        {"735 four bytes", &icom::icom735(), {hex("FE FE 64 E0 03 FD FE FE E0 64 03 00 50 02 14 FD")}, 14.025f, {}},
        {"split anywhere", &icom::icom(), {hex("00 FE"), hex("FE E0 64 03 00 00 04"), hex("07 00 FD")}, 7.04f, {}},
        {"cut short before FD", &icom::icom(), {hex("FE FE E0 64 03 00 50 02")}, {}, {}},
        {"FD lost, next frame read", &icom::icom(),
         {hex("FE FE E0 64 03 00 50 FE FE E0 64 03 00 00 30 21 00 FD")}, 21.3f, {}},
        {"junk and a lone FE", &icom::icom(), {hex("12 FE 34 FE FE E0 64 03 00 00 25 18 00 FD FE FE")}, 18.25f, {}},
        // Only as many data bytes as the rig's frequency field holds.
        {"more data than the field", &icom::icom(),
         {hex("FE FE E0 04 03 00 50 02 14 50") + QByteArray(20, '\0') + hex("FD")}, {}, {}},
        {"more digits than a count holds", &icom::icom(),
         {hex("FE FE E0 64 03") + QByteArray(12, char(0x99)) + hex("FD")}, {}, {}},
        {"six bytes", &icom::icom(), {hex("FE FE E0 64 03 00 50 02 14 00 00 FD")}, {}, {}},
        {"four bytes to an Icom", &icom::icom(), {hex("FE FE E0 64 03 00 50 02 14 FD")}, {}, {}},
        {"five bytes to a 735", &icom::icom735(), {hex("FE FE E0 64 03 00 50 02 14 00 FD")}, {}, {}},
        {"not decimal", &icom::icom(), {hex("FE FE E0 64 03 00 5A 02 14 00 FD")}, {}, {}},
        {"acknowledgements say nothing", &icom::icom(), {hex("FE FE E0 64 FB FD FE FE E0 64 FA FD")}, {}, {}},
        {"echo of a set command", &icom::icom(), {hex("FE FE 64 E0 05 00 50 02 14 00 FD")}, {}, {}},
        {"mode CW", &icom::icom(), {hex("FE FE 64 E0 04 FD FE FE E0 64 04 03 01 FD")}, {}, QString("CW")},
        {"mode CW-R", &icom::omniVI(), {hex("FE FE E0 04 04 07 02 FD")}, {}, QString("CW")},
        {"mode USB", &icom::icom(), {hex("FE FE E0 64 04 01 03 FD")}, {}, QString("PH")},
        {"mode without data", &icom::icom(), {hex("FE FE E0 64 04 FD")}, {}, {}},
        {"frequency and mode", &icom::icom(),
         {hex("FE FE E0 64 03 00 00 20 14 00 FD FE FE E0 64 04 00 01 FD")}, 14.2f, QString("PH")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const RigReading r = read(*c.family, c.pieces);
        EXPECT_EQ(r.frequency, c.frequency);
        EXPECT_EQ(r.mode, c.mode);
    }
}

TEST(IcomFamily, QueriesAlternateAndShortOnesSendNothing)
{
    const RigFamily& family = icom::icom();
    RigContext rig = icomQueries();
    quint8 toggle = 0;
    EXPECT_EQ(family.pollQueries(rig, toggle), hex("FE FE 64 E0 03 FD"));
    EXPECT_EQ(toggle, 1);
    EXPECT_EQ(family.pollQueries(rig, toggle), hex("FE FE 64 E0 04 FD"));
    EXPECT_EQ(toggle, 0);
    rig.frequencyQuery = "FE FE 64 E0 03 F";  // 16 characters
    EXPECT_TRUE(family.pollQueries(rig, toggle).isEmpty());
    EXPECT_EQ(toggle, 1);
    EXPECT_EQ(family.pollQueries(rig, toggle), hex("FE FE 64 E0 04 FD"));
    rig.frequencyQuery = "FE FE 64 E0 0G FD";
    EXPECT_TRUE(family.pollQueries(rig, toggle).isEmpty());
}

TEST(IcomFamily, SetCommandGoldenBytes)
{
    const RigContext rig = icomQueries();
    EXPECT_EQ(icom::icom().setFrequencyCommand(14.025f, rig), hex("FE FE 64 E0 05 00 50 02 14 00 FD"));
    EXPECT_EQ(icom::icom().setFrequencyCommand(7.0f, rig), hex("FE FE 64 E0 05 00 00 00 07 00 FD"));
    EXPECT_EQ(icom::omniVI().setFrequencyCommand(144.2f, rig), hex("FE FE 64 E0 05 00 00 20 44 01 FD"));
    // The 735 is set with the four bytes it answers with.
    EXPECT_EQ(icom::icom735().setFrequencyCommand(14.025f, rig), hex("FE FE 64 E0 05 00 50 02 14 FD"));
    EXPECT_EQ(icom::icom735().setFrequencyCommand(144.2f, rig), std::nullopt);
    // The address follows the edited query.
    const RigContext edited = icomQueries("FE FE 5C E0 03 FD");
    EXPECT_EQ(icom::icom().setFrequencyCommand(14.025f, edited), hex("FE FE 5C E0 05 00 50 02 14 00 FD"));
    EXPECT_EQ(icom::icom().setModeCommand("USB", edited), hex("FE FE 5C E0 06 01 FD"));
    EXPECT_EQ(icom::icom().setFrequencyCommand(14.025f, icomQueries("FE FE")), std::nullopt);

    const struct {
        const char* mode;
        const char* bytes;
    } modes[] = {{"LSB", "00"}, {"USB", "01"}, {"AM", "02"}, {"CW", "03"},
                 {"RTTY", "04"}, {"FM", "05"}, {"CW-R", "07"}, {"RTTY-R", "08"}};
    for (const auto& m : modes)
        EXPECT_EQ(icom::omniVI().setModeCommand(m.mode, rig),
                  hex("FE FE 64 E0 06") + hex(m.bytes) + hex("FD"))
            << m.mode;
    for (const char* none : {"FSK", "DIG", "PKT"})
        EXPECT_EQ(icom::icom().setModeCommand(none, rig), std::nullopt) << none;
    EXPECT_EQ(icom::icom735().setModeCommand("CW", rig), std::nullopt);
}

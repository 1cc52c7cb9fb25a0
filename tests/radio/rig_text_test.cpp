#include "radio/rig_text.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

using namespace radio;

TEST(RigText, NibblesAndHexText)
{
    EXPECT_EQ(NibbleToHex(11), "B");
    EXPECT_EQ(NibbleToHex(7), "7");
    EXPECT_EQ(NibbleToHex(16), "");
    EXPECT_EQ(NibbleToHex(-1), "");
    EXPECT_EQ(BytesToHexText(QByteArray::fromHex("FEFEE064FBFD")), "FE FE E0 64 FB FD ");
    EXPECT_EQ(BytesToHexText(QByteArray()), "");
}

TEST(RigText, SpacedHexReadsPairsEveryThirdCharacter)
{
    EXPECT_EQ(HexTextToBytes("3F 41 0D"), QByteArray("?A\r"));
    EXPECT_EQ(HexTextToBytes("FE FE 64 E0 03 FD"), QByteArray::fromHex("FEFE64E003FD"));
    // Any separator; a pair cut short at the end is one digit.
    EXPECT_EQ(HexTextToBytes("01-02-3"), QByteArray::fromHex("010203"));
    EXPECT_EQ(HexTextToBytes(""), QByteArray());
    EXPECT_EQ(HexTextToBytes("FE ZZ"), std::nullopt);
    // The frequency test's reading: without separators the pairs are misread,
    // and a pair that is not hexadecimal sends nothing.
    EXPECT_EQ(HexPairsToBytes("FE FE 00"), QByteArray::fromHex("FEFE00"));
    EXPECT_EQ(HexPairsToBytes("FEFE"), QByteArray::fromHex("FE0E"));
    EXPECT_EQ(HexPairsToBytes("FE GG"), QByteArray());
}

TEST(RigText, PackedHex)
{
    EXPECT_EQ(PackedHexToBytes("FEFE"), QByteArray::fromHex("FEFE"));
    EXPECT_EQ(PackedHexToBytes(""), QByteArray());
    EXPECT_EQ(PackedHexToBytes("0A1"), QByteArray::fromHex("0A01"));
    EXPECT_EQ(PackedHexToBytes("0X"), std::nullopt);
}

TEST(RigText, FrequencyRoundings)
{
    // Single precision holds 14.025 as 14.0249996…: whole Hz still round right.
    EXPECT_EQ(wholeHz(14.025f), 14025000);
    EXPECT_EQ(wholeHz(7.04f), 7040000);
    EXPECT_EQ(wholeHz(50.1f), 50100000);
    EXPECT_EQ(tensOfHz(14.025f), 1402500);
    EXPECT_EQ(roundHalfEven(2.5), 2);
    EXPECT_EQ(roundHalfEven(3.5), 4);
    // A frequency beyond any count (a spot of 1e30 MHz, a product that
    // overflowed) gives a bound every command builder refuses, never a
    // conversion without a value.
    EXPECT_GT(wholeHz(1e30f), qint64{99'999'999'999});
    EXPECT_GT(tensOfHz(std::numeric_limits<float>::infinity()), qint64{99'999'999'999});
    EXPECT_LT(wholeHz(-1e30f), 0);
    EXPECT_EQ(roundHalfEven(std::nan("")), 0);
    // Hz from a rig to MHz at five decimals, a half going to the even side.
    EXPECT_FLOAT_EQ(hzToMHz(14025000), 14.025f);
    EXPECT_FLOAT_EQ(hzToMHz(14025005), 14.025f);
    EXPECT_FLOAT_EQ(hzToMHz(14025015), 14.02502f);
    EXPECT_FLOAT_EQ(hzToMHz(14025016), 14.02502f);
}

TEST(RigText, DecimalFieldsAndCaptions)
{
    EXPECT_EQ(decimalNumber("00014025000"), 14025000);
    EXPECT_EQ(decimalNumber(" 42 "), 42);
    EXPECT_EQ(decimalNumber("0001402500;"), std::nullopt);
    EXPECT_EQ(decimalNumber("1E3"), std::nullopt);
    EXPECT_EQ(decimalNumber(""), std::nullopt);
    EXPECT_EQ(zeroPadded(14025000, 11), "00014025000");
    EXPECT_EQ(frequencyCaption(14.025f), "14.02500");
    EXPECT_EQ(frequencyCaption(0.5f), ".50000");
    EXPECT_EQ(frequencyCaption(144.2f), "144.20000");
}

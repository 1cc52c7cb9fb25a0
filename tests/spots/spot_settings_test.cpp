#include "spots/spot_settings.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace spots;

TEST(SpotSettingsFile, WritesFourteenLinesAndReadsThemBack)
{
    SpotSettings s;
    s.Baud = QStringLiteral("9600");
    s.Parity = QStringLiteral("N");
    s.DataBits = QStringLiteral("8");
    s.StopBits = QStringLiteral("1");
    s.Port = 3;
    s.Power = QStringLiteral("R");
    s.ConnectionType = QStringLiteral("telnet");
    s.ConvertToHex = 1;
    s.Handshaking = 3;
    s.ListDxOnly = 1;
    s.ListDisplay = true;
    s.TncCommandHex = QStringLiteral("03");
    s.TelnetPort = QStringLiteral("7300");
    s.TelnetHost = QStringLiteral("dxc.example.org");
    const QByteArray bytes = formatSpotSettings(s);
    EXPECT_EQ(bytes, QByteArray("\"9600\"\r\n\"N\"\r\n\"8\"\r\n\"1\"\r\n3\r\n\"R\"\r\n\"telnet\"\r\n1\r\n3\r\n1\r\n"
                                "#TRUE#\r\n\"03\"\r\n\"7300\"\r\n\"dxc.example.org\"\r\n"));
    const auto back = readSpotSettings(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->ConnectionType, QStringLiteral("telnet"));
    EXPECT_EQ(back->Port, 3);
    EXPECT_EQ(back->Handshaking, 3);
    EXPECT_TRUE(back->ListDisplay);
    EXPECT_EQ(back->TelnetHost, QStringLiteral("dxc.example.org"));
    EXPECT_EQ(formatSpotSettings(*back), bytes);
}

TEST(SpotSettingsFile, AShortOrDamagedFileReadsNothing)
{
    EXPECT_FALSE(readSpotSettings("\"9600\"\r\n\"N\"\r\n").has_value());
    // A port above a byte's range.
    EXPECT_FALSE(readSpotSettings("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n300\r\n\"\"\r\n\"TNC\"\r\n0\r\n0\r\n0\r\n"
                                  "#FALSE#\r\n\"\"\r\n\"\"\r\n\"\"\r\n")
                     .has_value());
    // Text where the port belongs.
    EXPECT_FALSE(readSpotSettings("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n\"one\"\r\n\"\"\r\n\"TNC\"\r\n0\r\n0\r\n0\r\n"
                                  "#FALSE#\r\n\"\"\r\n\"\"\r\n\"\"\r\n")
                     .has_value());
    EXPECT_FALSE(readSpotSettings(QByteArray()).has_value());
}

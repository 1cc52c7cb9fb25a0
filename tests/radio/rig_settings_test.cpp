#include "radio/rig_settings.h"

#include <gtest/gtest.h>

using namespace radio;

TEST(RigSettingsFile, WritesFourteenLines)
{
    RigSettings s;
    s.Baud = fixedWidth(QStringLiteral("4800"), 5);
    s.StopBits = QStringLiteral("2");
    s.FrequencyQuery = QStringLiteral("FA;");
    s.ModeQuery = QStringLiteral("MD;");
    s.PortSettings = QStringLiteral("4800,N,8,2");
    s.Port = 3;
    s.RigType = QStringLiteral("Kenwood");
    EXPECT_EQ(formatRigSettings(s),
              QByteArray("\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n3\r\n"
                         "\"N\"\r\n\"M\"\r\n\"Kenwood\"\r\n0\r\n1\r\n1\r\n"));
}

TEST(RigSettingsFile, ReadsBackAndStopsAtTheFirstBadValue)
{
    RigSettings written;
    written.Baud = QStringLiteral("14400");
    written.Parity = QStringLiteral("E");
    written.ModeQuery = QStringLiteral("FE FE 64 E0 04 FD");
    written.RigType = QStringLiteral("Icom");
    written.ModeBy = 3;
    RigSettings read;
    EXPECT_EQ(parseRigSettings(formatRigSettings(written), read), 14);
    EXPECT_EQ(read.Baud, "14400");
    EXPECT_EQ(read.Parity, "E");
    EXPECT_EQ(read.ModeQuery, "FE FE 64 E0 04 FD");
    EXPECT_EQ(read.RigType, "Icom");
    EXPECT_EQ(read.ModeBy, 3);

    // Fixed widths are cut or filled.
    RigSettings cut;
    EXPECT_EQ(parseRigSettings("\"96\"\r\n\"None\"\r\n", cut), 2);
    EXPECT_EQ(cut.Baud, "96   ");
    EXPECT_EQ(cut.Parity, "N");

    // A port that is no number ends the reading there.
    RigSettings bad;
    const QByteArray text = "\"4800 \"\r\n\"N\"\r\n\"8\"\r\n\"2\"\r\n\"MD;\"\r\n\"FA;\"\r\n\"4800,N,8,2\"\r\n"
                            "COM3\r\n\"N\"\r\n";
    EXPECT_EQ(parseRigSettings(text, bad), 7);
    EXPECT_EQ(bad.FrequencyQuery, "FA;");
    EXPECT_EQ(bad.Port, 1);
}

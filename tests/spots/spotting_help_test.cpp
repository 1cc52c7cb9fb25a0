#include "spots/spotting_help.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using spots::spottingHelpText;

TEST(SpottingHelp, TelnetShowsItsThreeParagraphs)
{
    const QString text = spottingHelpText(QStringLiteral("telnet"));
    const QStringList parts = text.split(QStringLiteral("\r\n\r\n"));
    ASSERT_EQ(parts.size(), 4);
    EXPECT_TRUE(parts[0].startsWith(QStringLiteral("If you have an Internet connection")));
    EXPECT_TRUE(parts[1].startsWith(QStringLiteral("When you have configured your DX spotting options")));
    EXPECT_TRUE(parts[2].startsWith(QStringLiteral("If the list is being displayed on the main form")));
    EXPECT_EQ(parts[3], QString());
}

TEST(SpottingHelp, ParagraphChoiceByType)
{
    EXPECT_EQ(spottingHelpText(QStringLiteral("None")).count(QStringLiteral("\r\n\r\n")), 18);
    EXPECT_EQ(spottingHelpText(QStringLiteral("TNC")).count(QStringLiteral("\r\n\r\n")), 5);
    const QString agw = spottingHelpText(QStringLiteral("AGW Packet Engine"));
    EXPECT_EQ(agw.count(QStringLiteral("\r\n\r\n")), 11);
    EXPECT_TRUE(agw.startsWith(QStringLiteral("This program will also interface with the AGW Packet Engine.")));
    EXPECT_TRUE(agw.contains(QStringLiteral("\r\n\r\n:C Ostrel     or to disconnect :D\r\n\r\n")));
    EXPECT_FALSE(agw.contains(QStringLiteral("http")));
    EXPECT_TRUE(spottingHelpText(QString()).isEmpty());
    for (const char* type : {"None", "TNC", "Telnet", "AGW Packet Engine"})
        EXPECT_TRUE(spottingHelpText(QString::fromLatin1(type)).endsWith(QStringLiteral("\r\n\r\n")));
    EXPECT_TRUE(spottingHelpText(QStringLiteral("None")).startsWith(
        QStringLiteral("Use this form to configure your DX spotting options.  After you make")));
}

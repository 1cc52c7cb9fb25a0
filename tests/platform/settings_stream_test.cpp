#include "platform/settings_stream.h"

#include <gtest/gtest.h>

using platform::SettingsReader;
using platform::SettingsWriter;

TEST(SettingsReader, ReadsValuesAsOneStreamWhateverTheLineBreaks)
{
    SettingsReader r(QByteArray("\"a,b\",12, -3.5\r\n\r\n\"x\"\r\n.5\n#TRUE#,#FALSE#\r\n"));
    EXPECT_EQ(r.readText(), QStringLiteral("a,b"));
    EXPECT_EQ(r.readNumber(), 12.0);
    EXPECT_EQ(r.readNumber(), -3.5);
    EXPECT_EQ(r.readText(), QString());  // the blank line is one empty value
    EXPECT_EQ(r.readText(), QStringLiteral("x"));
    EXPECT_EQ(r.readNumber(), 0.5);
    EXPECT_EQ(r.readBool(), true);
    EXPECT_EQ(r.readBool(), false);
    EXPECT_TRUE(r.atEnd());
    EXPECT_EQ(r.readText(), std::nullopt);  // past the end
}

TEST(SettingsReader, NumberFailures)
{
    SettingsReader r(QByteArray("abc\r\n\"\"\r\n1e3\r\n"));
    EXPECT_EQ(r.readNumber(), std::nullopt);
    EXPECT_EQ(r.readNumber(), 0.0);  // an empty value reads as 0
    EXPECT_EQ(r.readNumber(), 1000.0);
}

TEST(SettingsReader, UnclosedQuoteEndsWithItsLine)
{
    SettingsReader r(QByteArray("\"broken\r\n\"next\"\r\n"));
    EXPECT_EQ(r.readText(), QStringLiteral("broken"));
    EXPECT_EQ(r.readText(), QStringLiteral("next"));
    EXPECT_TRUE(r.atEnd());
}

TEST(SettingsReader, BlankLinesLeftAtTheEnd)
{
    SettingsReader r(QByteArray("\"a\"\r\n\r\n  \r\n"));
    ASSERT_TRUE(r.readText());
    EXPECT_FALSE(r.atEnd());
    EXPECT_TRUE(r.onlyBlankLinesLeft());
}

TEST(SettingsWriter, WritesTheFileFormAndDropsQuotes)
{
    SettingsWriter w;
    w.text(QStringLiteral("He said \"hi\", then left")).single(7.5f).integer(255).endLine();
    w.single(7.99f).number(-0.25).boolean(true).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"He said hi, then left\",7.5,255\r\n7.99,-0.25,#TRUE#\r\n"));

    SettingsReader r(w.bytes());
    EXPECT_EQ(r.readText(), QStringLiteral("He said hi, then left"));
    EXPECT_EQ(r.readNumber(), 7.5);
    EXPECT_EQ(r.readNumber(), 255.0);
    EXPECT_EQ(static_cast<float>(*r.readNumber()), 7.99f);
}

TEST(SettingsWriter, AValueWithControlCharactersStaysOneValueOnOneLine)
{
    SettingsWriter w;
    w.text(QStringLiteral("N6BBB\r\nW1XYZ")).text(QStringLiteral("Japan\n")).text(QStringLiteral("a\tb\x01\x7f\u0085c"));
    w.endLine();
    w.text(QStringLiteral("\r")).endLine();
    EXPECT_EQ(w.bytes(), QByteArray("\"N6BBBW1XYZ\",\"Japan\",\"abc\"\r\n\"\"\r\n"));

    SettingsReader r(w.bytes());
    EXPECT_EQ(r.readText(), QStringLiteral("N6BBBW1XYZ"));
    EXPECT_EQ(r.readText(), QStringLiteral("Japan"));
    EXPECT_EQ(r.readText(), QStringLiteral("abc"));
    EXPECT_EQ(r.line(), 2);
    EXPECT_EQ(r.readText(), QString());
    EXPECT_TRUE(r.atEnd());
}

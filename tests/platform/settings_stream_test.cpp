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

TEST(SettingsReader, AQuoteInsideAValue)
{
    // A slip in a text editor: text after a value's closing quote, a quote in
    // a bare value. Blanks after the closing quote are no slip.
    const QByteArray bytes("\"Jo\"hn\",\"N6\"BB\" ,\"5\"x,\"a\"  ,N6\"B,\"\"\"\r\n\"ok\"\r\n");
    struct Expected {
        QString skipped;
        QString kept;
        bool stray;
    };
    const Expected values[] = {
        {QStringLiteral("Jo"), QStringLiteral("John"), true},
        {QStringLiteral("N6"), QStringLiteral("N6BB"), true},
        {QStringLiteral("5"), QStringLiteral("5x"), true},
        {QStringLiteral("a"), QStringLiteral("a"), false},
        {QStringLiteral("N6\"B"), QStringLiteral("N6\"B"), true},
        {QString(), QString(), true},
        {QStringLiteral("ok"), QStringLiteral("ok"), false},
    };
    SettingsReader skipped(bytes);
    SettingsReader kept(bytes, platform::TextAfterQuote::Kept);
    for (const Expected& e : values) {
        SCOPED_TRACE(e.kept.toStdString());
        EXPECT_EQ(skipped.readText(), e.skipped);
        EXPECT_EQ(skipped.lastValueHadStrayQuote(), e.stray);
        EXPECT_EQ(kept.readText(), e.kept);
        EXPECT_EQ(kept.lastValueHadStrayQuote(), e.stray);
        EXPECT_EQ(kept.line(), skipped.line());
    }
    EXPECT_TRUE(kept.atEnd());
    // A number reads up to its closing quote either way.
    SettingsReader number(QByteArray("\"5\"x\r\n"), platform::TextAfterQuote::Kept);
    EXPECT_EQ(number.readNumber(), 5.0);
}

TEST(SettingsReader, PassesOverAByteOrderMark)
{
    SettingsReader r(QByteArray("\xEF\xBB\xBF\"W6AAA\",7\r\n"));
    EXPECT_EQ(r.readText(), QStringLiteral("W6AAA"));
    EXPECT_FALSE(r.lastValueHadStrayQuote());
    // Offsets stay those of the file on disk, mark included.
    EXPECT_EQ(r.lastValueEnd(), 10);
    EXPECT_EQ(r.readNumber(), 7.0);
    EXPECT_TRUE(r.atEnd());

    SettingsReader onlyMark(QByteArray("\xEF\xBB\xBF"));
    EXPECT_TRUE(onlyMark.atEnd());
    SettingsReader markAndBlankLines(QByteArray("\xEF\xBB\xBF\r\n\r\n"));
    EXPECT_TRUE(markAndBlankLines.onlyBlankLinesLeft());
    // Only at the start: a second mark is text.
    SettingsReader twice(QByteArray("\xEF\xBB\xBF\xEF\xBB\xBFx"));
    EXPECT_EQ(twice.readText(), QStringLiteral("\u00EF\u00BB\u00BFx"));
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

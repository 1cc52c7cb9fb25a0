#include "log/contact_log.h"
#include "log_test_helpers.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace contactlog;
using namespace testing_support;

namespace {
const QByteArray fixtureLine =
    "\"N0CALL\",\"\",\"\",\"\",\"ALAMEDA\",\"\",\"\",\"\",\"\",\"\",\"012\",\"2021/10/02\",\"16:02:41\",\"CW\",\"20\","
    "0,\"\",\"\",\"7\",\"\"\r\n";

QByteArray lines(int count)
{
    QByteArray bytes;
    for (int i = 0; i < count; ++i)
        bytes += fixtureLine;
    return bytes;
}
}  // namespace

TEST(ContactLogFile, FixtureLineRoundTripsByteForByte)
{
    const LogReadResult read = parseLogFile(fixtureLine);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 1u);
    const ContactRecord& r = read.records[0];
    EXPECT_EQ(r.LogCall, "N0CALL");
    EXPECT_EQ(r.LogCountyRcvd, "ALAMEDA");
    EXPECT_EQ(r.LogSerialSent, "012");
    EXPECT_EQ(r.LogDate, "2021/10/02");
    EXPECT_EQ(r.LogTime, "16:02:41");
    EXPECT_EQ(r.LogMode, "CW");
    EXPECT_EQ(r.LogBand, "20");
    EXPECT_EQ(r.LogSpareNumber, 0.0);
    EXPECT_EQ(r.LogSerialRcvd, "7");
    EXPECT_EQ(formatContactLine(r), fixtureLine);
}

TEST(ContactLogFile, EveryFieldKeepsItsPlaceAndCommasAndNumbersSurvive)
{
    ContactRecord r;
    QString* texts[] = {&r.LogCall,       &r.LogRstSent,  &r.LogRstRcvd,   &r.LogSPC,        &r.LogCountyRcvd,
                        &r.LogState,      &r.LogCountySent, &r.LogSpare8,  &r.LogSpare9,     &r.LogSpare10,
                        &r.LogSerialSent, &r.LogDate,     &r.LogTime,      &r.LogMode,       &r.LogBand,
                        &r.LogSpare17,    &r.LogSpare18,  &r.LogSerialRcvd, &r.LogFrequency};
    int i = 0;
    for (QString* t : texts)
        *t = QStringLiteral("v%1,x").arg(++i);  // a comma inside a quoted value
    r.LogSpareNumber = 12.5;
    const QByteArray line = formatContactLine(r);
    EXPECT_TRUE(line.contains(",12.5,"));
    const LogReadResult read = parseLogFile(line + line);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[1], r);
}

TEST(ContactLogFile, DamagedAndShortFiles)
{
    struct Case {
        const char* name;
        QByteArray bytes;
        LogReadError error;
        int records;
    };
    QByteArray noFinalLineEnd = lines(2);
    noFinalLineEnd.chop(2);
    QByteArray nineteen = fixtureLine;
    nineteen.replace(",\"\"\r\n", "\r\n");  // the last value missing
    QByteArray twentyOne = fixtureLine;
    twentyOne.replace("\r\n", ",\"\"\r\n");
    const Case cases[] = {
        {"empty file", "", LogReadError::None, 0},
        {"last line without line end", noFinalLineEnd, LogReadError::None, 2},
        {"blank lines after the last record", lines(2) + "\r\n\r\n", LogReadError::None, 2},
        // A line that is not one contact never lends or borrows a value: the
        // counts adding up over two lines does not make them contacts.
        {"a line of 19 values", lines(1) + nineteen + lines(1), LogReadError::LineNotOneContact, 1},
        {"19 values, then 21", lines(2) + nineteen + twentyOne + lines(1), LogReadError::LineNotOneContact, 2},
        {"21 values, then 19", lines(1) + twentyOne + nineteen, LogReadError::LineNotOneContact, 1},
        {"a blank line between two records", lines(1) + "\r\n" + lines(1), LogReadError::LineNotOneContact, 1},
        {"one value short at the end", nineteen, LogReadError::LineNotOneContact, 0},
        {"values running out on the last line", "\"K6Q\",\"5\"", LogReadError::ShortRecord, 0},
        {"text in the number field", QByteArray(fixtureLine).replace(",0,", ",abc,"), LogReadError::None, 1},
        // A quote typed inside a value: taking the value up to it would lose
        // the rest at the next rewrite.
        {"a quote inside the call", lines(1) + QByteArray(fixtureLine).replace("\"N0CALL\"", "\"N0\"CALL\""),
         LogReadError::QuoteInsideValue, 1},
        {"a quote inside the last value", QByteArray(fixtureLine).replace(",\"\"\r\n", ",\"\"\"\r\n"),
         LogReadError::QuoteInsideValue, 0},
        {"a quote inside the number", QByteArray(fixtureLine).replace(",0,", ",0\",") + lines(1),
         LogReadError::QuoteInsideValue, 0},
        {"blanks after a closing quote", QByteArray(fixtureLine).replace("\"N0CALL\"", "\"N0CALL\"  "),
         LogReadError::None, 1},
        {"a byte-order mark", "\xEF\xBB\xBF" + lines(2), LogReadError::None, 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const LogReadResult read = parseLogFile(c.bytes);
        EXPECT_EQ(read.error, c.error);
        EXPECT_EQ(static_cast<int>(read.records.size()), c.records);
    }
    EXPECT_EQ(parseLogFile(QByteArray(fixtureLine).replace(",0,", ",abc,")).records[0].LogSpareNumber, 0.0);
}

TEST(ContactLogFile, FirstUnreadableLineIsTheLineToMend)
{
    QByteArray nineteen = fixtureLine;
    nineteen.replace(",\"\"\r\n", "\r\n");
    QByteArray twentyOne = fixtureLine;
    twentyOne.replace("\r\n", ",\"\"\r\n");
    QByteArray noFinalLineEnd = lines(2);
    noFinalLineEnd.chop(2);
    // A call with a line break in it: eight lines for seven contacts.
    const QByteArray split = lines(2) + QByteArray(fixtureLine).replace("N0CALL", "N6BBB\r\nW1XYZ") + lines(4);
    ASSERT_EQ(split.count('\n'), 8);
    EXPECT_EQ(parseLogFile(split).error, LogReadError::LineNotOneContact);

    struct Case {
        const char* name;
        QByteArray bytes;
        int line;
    };
    const Case cases[] = {
        {"one contact on every line", lines(3), 0},
        {"last line without line end", noFinalLineEnd, 0},
        {"blank lines after the last record", lines(2) + "\r\n\r\n", 0},
        {"a line break inside the third call", split, 3},
        {"the same with bare line feeds", QByteArray(split).replace("\r\n", "\n"), 3},
        {"a line of 19 values", lines(1) + nineteen + lines(1), 2},
        {"a line of 21 values", lines(1) + twentyOne + lines(1), 2},
        {"a blank line between two records", lines(1) + "\r\n" + lines(1), 2},
        {"a short last line", lines(2) + nineteen, 3},
        {"one line beyond the room", lines(ContactLog::MaxContacts + 1), ContactLog::MaxContacts + 1},
        {"a quote inside the second call", lines(1) + QByteArray(fixtureLine).replace("\"N0CALL\"", "\"N6\"BB\"") +
                                               lines(1),
         2},
        {"a quote inside the last value of the last line",
         lines(2) + QByteArray(fixtureLine).replace(",\"\"\r\n", ",\"1\"4\"\r\n"), 3},
        {"a byte-order mark", "\xEF\xBB\xBF" + lines(2), 0},
        {"a byte-order mark and a short first line", "\xEF\xBB\xBF" + nineteen + lines(1), 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(firstUnreadableLine(c.bytes), c.line);
    }
}

TEST(ContactLogFile, HoldsElevenThousandContactsAndNoMore)
{
    const LogReadResult full = parseLogFile(lines(ContactLog::MaxContacts));
    EXPECT_TRUE(full.ok());
    EXPECT_EQ(static_cast<int>(full.records.size()), ContactLog::MaxContacts);
    EXPECT_EQ(parseLogFile(lines(ContactLog::MaxContacts + 1)).error, LogReadError::TooMany);

    ContactLog log;
    log.replaceAll(full.records);
    EXPECT_TRUE(log.isFull());
    EXPECT_FALSE(log.add(logtest::contact("K6AA", "1")));
    EXPECT_EQ(log.ContactCount(), ContactLog::MaxContacts);
}

TEST(ContactLogStore, LoadSetsCountAtLoadOnlyOnceAndKeepsMemoryOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ContactLog log;
    writeBytes(path, "");
    EXPECT_EQ(LoadLog(log, path), LogReadError::None);
    EXPECT_EQ(log.ContactCountAtLoad, 0.0f);  // an empty log leaves it 0
    writeBytes(path, lines(3));
    EXPECT_EQ(LoadLog(log, path), LogReadError::None);
    EXPECT_EQ(log.ContactCountAtLoad, 3.0f);
    writeBytes(path, lines(5));
    EXPECT_EQ(LoadLog(log, path), LogReadError::None);
    EXPECT_EQ(log.ContactCount(), 5);
    EXPECT_EQ(log.ContactCountAtLoad, 3.0f);

    writeBytes(path, QByteArray(fixtureLine).left(30));
    EXPECT_EQ(LoadLog(log, path), LogReadError::ShortRecord);
    EXPECT_EQ(log.ContactCount(), 5);
    EXPECT_EQ(LoadLog(log, dir.filePath("missing.txt")), LogReadError::Missing);
}

TEST(ContactLogStore, AppendCreatesTheFileAndNeverJoinsAnUnfinishedLine)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ContactLog log = logtest::logOf({logtest::contact("K6AA", "1"), logtest::contact("W1AW", "2")});
    ASSERT_TRUE(AppendContact(log, 1, path).ok);
    EXPECT_EQ(readBytes(path), formatContactLine(log.record(1)));

    // A last line without its line end (an editor's save) gets one first.
    QByteArray cut = readBytes(path);
    cut.chop(2);
    writeBytes(path, cut);
    ASSERT_TRUE(AppendContact(log, 2, path).ok);
    const LogReadResult read = readLogFile(path);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 2u);
    EXPECT_EQ(read.records[1].LogCall, "W1AW");

    EXPECT_FALSE(AppendContact(log, 1, dir.filePath("nope/log.txt")).ok);
}

TEST(ContactLogStore, RewriteAndDelete)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ContactLog log = logtest::logOf(
        {logtest::contact("K6AA", "1"), logtest::contact("W1AW", "2"), logtest::contact("N6XX", "3")});
    ASSERT_TRUE(DeleteContact(log, 1, path).ok);
    ASSERT_EQ(log.ContactCount(), 2);
    EXPECT_EQ(log.record(1).LogCall, "W1AW");
    EXPECT_EQ(log.record(2).LogCall, "N6XX");
    EXPECT_EQ(readBytes(path), formatContactLine(log.record(1)) + formatContactLine(log.record(2)));

    // A delete that cannot be written puts the record back: memory and file agree.
    const QString unwritable = dir.filePath("nope/log.txt");
    const auto failed = DeleteContact(log, 2, unwritable);
    EXPECT_FALSE(failed.ok);
    EXPECT_FALSE(failed.error.isEmpty());
    EXPECT_EQ(log.ContactCount(), 2);
    EXPECT_EQ(log.record(2).LogCall, "N6XX");
    EXPECT_FALSE(DeleteContact(log, 3, path).ok);

    log.clear();
    ASSERT_TRUE(RewriteLog(log, path).ok);
    EXPECT_TRUE(QFile::exists(path));
    EXPECT_TRUE(readBytes(path).isEmpty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary file left
}

TEST(ContactLogStore, RecordZeroAndOutsideReadEmpty)
{
    ContactLog log = logtest::logOf({logtest::contact("K6AA", "1")});
    EXPECT_EQ(log.record(0), ContactRecord{});
    EXPECT_EQ(log.record(2), ContactRecord{});
    log.removeLast();
    ASSERT_TRUE(log.add(ContactRecord{}));
    EXPECT_EQ(log.record(1), ContactRecord{});  // a reused slot starts empty
}

// Whatever the reader accepts, an append must leave loadable: blank lines
// after the last record would otherwise end up between two records.
TEST(ContactLogStore, AppendGoesRightAfterTheLastRecord)
{
    const struct {
        const char* name;
        QByteArray before;
        int records;
    } cases[] = {
        {"one blank line", lines(2) + "\r\n", 2},
        {"several blank lines with blanks", lines(2) + "\r\n  \r\n\t\r\n", 2},
        {"bare line feeds", lines(1) + "\n\n", 1},
        {"carriage returns", lines(1) + "\r\r", 1},
        {"no line end, trailing blanks", lines(1).chopped(2) + "   ", 1},
        {"only blank lines", "\r\n\r\n", 0},
        {"a comma after the last value", lines(1).chopped(2) + ",", 1},
        {"empty", "", 0},
        {"many blank lines", lines(2) + QByteArray(4000, '\n'), 2},
        {"a byte-order mark", "\xEF\xBB\xBF" + lines(1), 1},
        {"a byte-order mark and a blank line", "\xEF\xBB\xBF" + lines(2) + "\r\n", 2},
        {"only a byte-order mark", "\xEF\xBB\xBF", 0},
        {"a last line written another way", lines(1) + "\"K6AA\", \"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"\",\"1\","
                                              "\"\",\"\",\"CW\",\"20\",0.0,\"\",\"\",\"1\",\"\"\r\n\r\n", 2},
    };
    // Records that would take their values from more or less than a line
    // are refused at the load, so no append ever follows them.
    const QByteArray notOneContactALine[] = {
        lines(2).chopped(5) + "\r\n\r\n",  // a last value that is a blank line
        "\"\",\"\",\"\",\"\"\r\n" + formatContactLine(ContactRecord{}) + QByteArray(16, '\n'),
        "\"A\",\"B\",\"C\",\"D\",\"E\",\"F\",\"G\",\"H\",\"I\",\"J\",\"K\",\"L\",\"M\",\"N\",\"O\",0,\"Q\",\"R\",\"S\",\"T\"," +
            lines(1),  // two records on one line
    };
    for (const QByteArray& bytes : notOneContactALine) {
        SCOPED_TRACE(bytes.left(40).toStdString());
        QTemporaryDir dir;
        const QString path = dir.filePath("log.txt");
        writeBytes(path, bytes);
        ContactLog log;
        EXPECT_NE(LoadLog(log, path), LogReadError::None);
        EXPECT_GT(firstUnreadableLine(bytes), 0);
    }
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        QTemporaryDir dir;
        const QString path = dir.filePath("log.txt");
        writeBytes(path, c.before);
        ContactLog log;
        ASSERT_EQ(LoadLog(log, path), LogReadError::None);
        ASSERT_EQ(log.ContactCount(), c.records);
        ASSERT_TRUE(log.add(logtest::contact("W6ZZ", "9")));
        ASSERT_TRUE(AppendContact(log, log.ContactCount(), path).ok);
        ASSERT_TRUE(log.add(logtest::contact("K6YY", "10")));
        ASSERT_TRUE(AppendContact(log, log.ContactCount(), path).ok);
        const LogReadResult read = readLogFile(path);
        ASSERT_TRUE(read.ok());
        ASSERT_EQ(static_cast<int>(read.records.size()), c.records + 2);
        EXPECT_EQ(read.records[c.records].LogCall, "W6ZZ");
        EXPECT_EQ(read.records.back().LogCall, "K6YY");
        EXPECT_TRUE(readBytes(path).endsWith("\"\"\r\n"));
    }
}

TEST(ContactLogStore, AnAppendThatFailsPartWayLeavesTheFileAsItWas)
{
    QTemporaryDir dir;
    const QString path = dir.filePath("log.txt");
    ContactLog log;
    for (int i = 0; i < 3; ++i)
        ASSERT_TRUE(log.add(logtest::contact(QStringLiteral("K6A%1").arg(i), "1")));
    writeBytes(path, formatContactLine(log.record(1)) + formatContactLine(log.record(2)) + "\r\n");
    const QByteArray before = readBytes(path);
    {
        // Room for only part of the new line.
        FileSizeLimit limit(before.size() + 20);
        const auto written = AppendContact(log, 3, path);
        EXPECT_FALSE(written.ok);
        EXPECT_EQ(written.error, QString::fromLocal8Bit(strerror(EFBIG)));
    }
    EXPECT_EQ(readBytes(path), before);

    // The disk has room again: the next append makes a whole, loadable log.
    ASSERT_TRUE(AppendContact(log, 3, path).ok);
    const LogReadResult read = readLogFile(path);
    ASSERT_TRUE(read.ok());
    ASSERT_EQ(read.records.size(), 3u);
    EXPECT_EQ(read.records[2].LogCall, "K6A2");
}

// The plain units under the connections: line assembly, the telnet
// negotiation filter, socket error texts and the AGW frame reader. The AGW
// frames here are built byte by byte from the interface's layout, not by
// the program's encoder.

#include "spots/agw_engine_address.h"
#include "spots/agw_frame.h"
#include "spots/line_assembler.h"
#include "spots/telnet_text.h"

#include <QtEndian>
#include <gtest/gtest.h>

using namespace spots;

TEST(LineAssembler, EndsLinesAtLfCrAndEitherPairJoiningSplitLines)
{
    struct Case {
        const char* name;
        QStringList pieces;
        QStringList lines;
        QString pending;
    };
    const Case cases[] = {
        {"CR LF", {"one\r\ntwo\r\n"}, {"one", "two"}, ""},
        {"LF only", {"one\ntwo\n"}, {"one", "two"}, ""},
        {"CR only", {"one\rtwo\r"}, {"one", "two"}, ""},
        {"LF CR", {"one\n\rtwo\n\r"}, {"one", "two"}, ""},
        {"blank lines", {"one\r\n\r\ntwo\n\n"}, {"one", "", "two", ""}, ""},
        {"split line", {"DX de K1", "TTT: 14025.0\r", "\nnext"}, {"DX de K1TTT: 14025.0"}, "next"},
        {"pair split over pieces", {"one\r", "\ntwo\r", "\r"}, {"one", "two", ""}, ""},
        {"prompt without end", {"login: "}, {}, "login: "},
    };
    for (const Case& c : cases) {
        LineAssembler a;
        QStringList lines;
        for (const QString& piece : c.pieces)
            lines += a.add(piece);
        EXPECT_EQ(lines, c.lines) << c.name;
        EXPECT_EQ(a.pending(), c.pending) << c.name;
    }
}

TEST(LineAssembler, ALineThatNeverEndsIsHandedOnInBoundedPieces)
{
    LineAssembler a;
    QStringList lines;
    for (int i = 0; i < 100; ++i)
        lines += a.add(QString(1000, u'x'));
    EXPECT_LE(a.pending().size(), LineAssembler::MaxLineLength);
    ASSERT_FALSE(lines.isEmpty());
    for (const QString& l : lines)
        EXPECT_EQ(l.size(), LineAssembler::MaxLineLength);
    a.clear();
    EXPECT_EQ(a.add(QStringLiteral("DX\r\n")), QStringList{QStringLiteral("DX")});
}

TEST(TelnetDecoder, RemovesNegotiationEvenWhenSplitOverBlocks)
{
    TelnetDecoder d;
    // IAC DO ECHO, IAC WILL SGA, text, IAC SB TTYPE SEND IAC SE, IAC IAC, CR NUL.
    const QByteArray block("\xff\xfd\x01\xff\xfb\x03login: \xff\xfa\x18\x01\xff\xf0" "a\xff\xff" "b\r\0c", 26);
    EXPECT_EQ(d.decode(block), QStringLiteral("login: a\u00ffb\rc"));
    // A sequence cut after its IAC, and one cut inside a sub-negotiation.
    EXPECT_EQ(d.decode(QByteArray("x\xff", 2)), QStringLiteral("x"));
    EXPECT_EQ(d.decode(QByteArray("\xfb\x01y\xff\xfa\x1f", 6)), QStringLiteral("y"));
    EXPECT_EQ(d.decode(QByteArray("\x00\x50\xff\xf0z", 5)), QStringLiteral("z"));
    d.decode(QByteArray("\xff", 1));
    d.reset();
    EXPECT_EQ(d.decode(QByteArray("\xfbq")), QStringLiteral("\u00fbq"));
}

TEST(WinsockErrorText, KnownNumbersHaveTheirTextOthersTheirNumber)
{
    EXPECT_EQ(WinsockErrorText(10061), QStringLiteral("ERROR: Connection is forcefully rejected."));
    EXPECT_EQ(WinsockErrorText(10058), WinsockErrorText(10060));
    EXPECT_EQ(WinsockErrorText(11001), QStringLiteral("ERROR: Authoritative answer: Host not found."));
    EXPECT_EQ(WinsockErrorText(10054), QStringLiteral("ERROR: The connection is reset by remote side.!"));
    EXPECT_EQ(WinsockErrorText(10013), QStringLiteral("Error number 10013"));
    EXPECT_EQ(WinsockErrorText(-1), QStringLiteral("Error number -1"));
}

namespace {

/// One AGW frame laid out by hand: 36-byte header, then the data.
QByteArray agwBytes(char kind, const QByteArray& from, const QByteArray& to, const QByteArray& data,
                    quint32 length = 0xffffffffu)
{
    QByteArray h(36, '\0');
    h[4] = kind;
    h.replace(8, from.size(), from);
    h.replace(18, to.size(), to);
    qToLittleEndian<quint32>(length == 0xffffffffu ? static_cast<quint32>(data.size()) : length, h.data() + 28);
    return h + data;
}

}  // namespace

TEST(AgwFrameReader, ReadsFramesInAnyPiecesAndEncodesTheSameLayout)
{
    const QByteArray stream = agwBytes('D', "K1TTT", "W1AW", "hello\r") + agwBytes('d', "K1TTT", "W1AW", "");
    AgwFrameReader r;
    for (const char c : stream)
        r.add(QByteArray(1, c));
    auto f = r.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, 'D');
    EXPECT_EQ(f->callFrom, QStringLiteral("K1TTT"));
    EXPECT_EQ(f->callTo, QStringLiteral("W1AW"));
    EXPECT_EQ(f->data, QByteArray("hello\r"));
    f = r.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->kind, 'd');
    EXPECT_FALSE(r.next());

    AgwFrame out;
    out.kind = 'D';
    out.pid = 0xF0;
    out.callFrom = QStringLiteral("W1AW");
    out.callTo = QStringLiteral("AB1CDEFGHIJKL");  // too long: cut so it keeps its NUL
    out.data = "hi\r";
    QByteArray expected = agwBytes('D', "W1AW", "AB1CDEFGH", "hi\r");
    expected[6] = '\xf0';
    EXPECT_EQ(encodeAgwFrame(out), expected);
}

TEST(AgwFrameReader, RefusesCallsWithoutTheirNulAndAbsurdLengthsWithoutReadingPast)
{
    AgwFrameReader r;
    // A call field of ten letters has no end: that frame is refused, the
    // next one is read as usual.
    r.add(agwBytes('D', "ABCDEFGHIJ", "W1AW", "bad") + agwBytes('D', "K1TTT", "W1AWXYZ123", "bad")
          + agwBytes('U', "K1TTT", "ID", "good"));
    EXPECT_EQ(r.refused(), 2);
    auto f = r.next();
    ASSERT_TRUE(f);
    EXPECT_EQ(f->data, QByteArray("good"));

    // A length of 4 GB: nothing is read or waited for after that header.
    r.add(agwBytes('D', "K1TTT", "W1AW", "", 0xfffffff0u) + agwBytes('D', "K1TTT", "W1AW", "later"));
    EXPECT_TRUE(r.broken());
    EXPECT_FALSE(r.next());
    r.add(agwBytes('D', "K1TTT", "W1AW", "more"));
    EXPECT_FALSE(r.next());
    r.clear();
    EXPECT_FALSE(r.broken());
}

TEST(AgwFrameReader, TheQueueIsBoundedAndKeepsTheNewest)
{
    AgwFrameReader r;
    QByteArray many;
    for (std::size_t i = 0; i < AgwFrameReader::MaxQueued + 10; ++i)
        many += agwBytes('U', "K1TTT", "ID", QByteArray::number(static_cast<qulonglong>(i)));
    r.add(many);
    EXPECT_EQ(r.queued(), AgwFrameReader::MaxQueued);
    EXPECT_EQ(r.dropped(), 10);
    EXPECT_EQ(r.next()->data, QByteArray("10"));
}

TEST(AgwEngineAddress, DefaultsToThisMachineAndTakesTheOperatorsHostAndPort)
{
    const AgwEngineAddress none = parseAgwEngineAddress(QString());
    EXPECT_EQ(none.host, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(none.port, 8000);
    const AgwEngineAddress set = parseAgwEngineAddress(
        QStringLiteral("# the shack PC\r\nhost = 192.168.1.20\r\nport=8001\r\n"));
    EXPECT_EQ(set.host, QStringLiteral("192.168.1.20"));
    EXPECT_EQ(set.port, 8001);
    EXPECT_EQ(parseAgwEngineAddress(QStringLiteral("port=99999")).port, 8000);
    EXPECT_EQ(loadAgwEngineAddress(QStringLiteral("/nonexistent/AgwEngine.txt")).port, 8000);
}

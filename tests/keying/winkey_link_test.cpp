// The driver of the keyer's host protocol against an emulated keyer on a pty.
#include "keying/winkey_emulator.h"
#include "keying/winkey_link.h"
#include "platform/events.h"
#include "platform/hardware.h"
#include "support/pty_peer.h"
#include "support/test_support.h"

#include <QTest>
#include <gtest/gtest.h>

using keying::WinKeyLink;
using testing_support::WinKeyEmulator;

namespace {

constexpr int Port = 4;

class WinKeyLinkTest : public ::testing::Test {
protected:
    WinKeyLinkTest() { testing_support::pointSerialPortAt(Port, keyer.devicePath()); }

    /// Opens the driver on the emulated keyer; the test fails when it cannot.
    void open()
    {
        int version = 0;
        ASSERT_EQ(link.wk_open(version, Port), keying::WkSuccess);
        ASSERT_EQ(version, 23);
    }

    /// Polls the status the way the sender does until it reads want.
    bool statusBecomes(long want, int timeoutMs = 2000)
    {
        return testing_support::waitUntil([&] { return link.wk_getstatus() == want; }, timeoutMs);
    }

    testing_support::ProgramFolderFixture fx;
    WinKeyEmulator keyer;
    platform::Hardware hardware;
    WinKeyLink link{hardware};
};

TEST_F(WinKeyLinkTest, OpensWithTheEchoTestAndHostOpenAndReportsTheVersion)
{
    open();
    EXPECT_TRUE(link.isOpen());
    EXPECT_EQ(link.portNumber(), Port);
    EXPECT_TRUE(keyer.state().hostOpen);
    const QByteArray sent = keyer.pty().received();
    EXPECT_TRUE(sent.startsWith(QByteArray("\x00\x04\x55\x00\x02", 5))) << sent.toHex().toStdString();
    EXPECT_EQ(link.wk_getstatus(), keying::WinKeyIdle);

    int version = 0;
    EXPECT_EQ(link.wk_open(version, Port), keying::WkAlreadyOpen);
    EXPECT_EQ(version, 0);
    EXPECT_TRUE(link.isOpen());
}

TEST_F(WinKeyLinkTest, EveryFailedOpenHasItsCodeNoVersionAndLeavesThePortClosed)
{
    struct Case {
        WinKeyEmulator::Mode mode;
        int port;
        int code;
    };
    const Case cases[] = {
        {WinKeyEmulator::Mode::Silent, Port, keying::WkNoEchoResponse},
        {WinKeyEmulator::Mode::WrongEcho, Port, keying::WkEchoMismatch},
        {WinKeyEmulator::Mode::NoOpenAnswer, Port, keying::WkNoOpenResponse},
        {WinKeyEmulator::Mode::Normal, 9, keying::WkComOpenFailed},  // not in the port table
        {WinKeyEmulator::Mode::Normal, 0, keying::WkComOpenFailed},
    };
    for (const Case& c : cases) {
        keyer.setMode(c.mode);
        int version = 99;
        EXPECT_EQ(link.wk_open(version, c.port), c.code) << c.code;
        EXPECT_EQ(version, 0) << c.code;
        EXPECT_FALSE(link.isOpen()) << c.code;
        EXPECT_FALSE(hardware.serial(c.port).isOpen()) << c.code;
        EXPECT_EQ(link.wk_getstatus(), keying::WkNotOpen) << c.code;
    }
    // A keyer that answers again opens as usual.
    keyer.setMode(WinKeyEmulator::Mode::Normal);
    open();
}

TEST_F(WinKeyLinkTest, APortAnotherWindowHoldsIsNotTakenFromIt)
{
    ASSERT_TRUE(hardware.serial(Port).open(Port, {}));
    int version = 0;
    EXPECT_EQ(link.wk_open(version, Port), keying::WkComOpenFailed);
    EXPECT_TRUE(hardware.serial(Port).isOpen());
    EXPECT_TRUE(keyer.pty().received().isEmpty());
}

TEST_F(WinKeyLinkTest, ResultCodesHaveTheStatusTextsAndOthersNone)
{
    EXPECT_EQ(keying::winKeyResultText(0), QStringLiteral("WK Success!"));
    EXPECT_EQ(keying::winKeyResultText(-1), QStringLiteral("No Echo Response"));
    EXPECT_EQ(keying::winKeyResultText(-2), QStringLiteral("Echo Mismatch"));
    EXPECT_EQ(keying::winKeyResultText(-3), QStringLiteral("No Open Response"));
    EXPECT_EQ(keying::winKeyResultText(-4), QStringLiteral("Com Open Failed"));
    EXPECT_EQ(keying::winKeyResultText(-5), QStringLiteral("Get Com ST Failed"));
    EXPECT_EQ(keying::winKeyResultText(-6), QStringLiteral("Set Com ST Failed"));
    EXPECT_EQ(keying::winKeyResultText(-8), QStringLiteral("WK Already Open"));
    EXPECT_EQ(keying::winKeyResultText(-9), QStringLiteral("WK Not Open"));
    EXPECT_FALSE(keying::winKeyResultText(-7));
    EXPECT_FALSE(keying::winKeyResultText(1));
}

TEST_F(WinKeyLinkTest, EverySettingReachesTheKeyerWithinItsRange)
{
    // Nothing goes out while the keyer is closed.
    link.wk_wpm(30);
    EXPECT_TRUE(keyer.pty().received().isEmpty());

    open();
    link.wk_wpm(30);
    link.wk_weight(60);
    link.wk_ptt_leadtail(5, 12);
    link.wk_ditdah_ratio(40);
    link.wk_pincfg(8);
    link.wk_setmode(32);
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.mode == 32; }, 2000));
    auto s = keyer.state();
    EXPECT_EQ(s.wpm, 30);
    EXPECT_EQ(s.weight, 60);
    EXPECT_EQ(s.leadIn, 5);
    EXPECT_EQ(s.tail, 12);
    EXPECT_EQ(s.ratio, 40);
    EXPECT_EQ(s.pinConfig, 8);

    // Values the keyer would not take are brought to its limits.
    link.wk_wpm(0);
    link.wk_weight(99);
    link.wk_ditdah_ratio(67);
    link.wk_setmode(48);
    ASSERT_TRUE(keyer.waitFor([](const auto& st) { return st.mode == 48; }, 2000));
    s = keyer.state();
    EXPECT_EQ(s.wpm, 5);
    EXPECT_EQ(s.weight, 90);
    EXPECT_EQ(s.ratio, 66);
    EXPECT_EQ(s.unknownCommands, 0);
}

TEST_F(WinKeyLinkTest, StatusIsBusyFromTheFirstCharacterUntilTheKeyerIsDone)
{
    open();
    keyer.setUnitScale(100);  // a letter in about 10 ms at 99 WPM
    link.wk_wpm(99);
    for (char c : QByteArray("CQ TEST"))
        EXPECT_TRUE(link.wk_char(c));
    // Busy at once, before the keyer has said anything.
    EXPECT_EQ(link.wk_getstatus(), keying::WinKeyBusy);
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.keyed == QStringLiteral("CQ TEST"); }, 3000));
    EXPECT_TRUE(statusBecomes(keying::WinKeyIdle));
}

TEST_F(WinKeyLinkTest, ANearlyFullBufferHoldsTheSenderBack)
{
    open();
    keyer.setBuffer(16, 4);
    keyer.setUnitScale(2000);  // slow enough that the buffer fills
    for (char c : QByteArray("ABCDE"))
        link.wk_char(c);
    EXPECT_TRUE(statusBecomes(keying::WinKeyFull));
    link.wk_clearbuf();
    // An emptied keyer no longer holds the sender back.
    EXPECT_LT(link.wk_getstatus(), keying::WinKeyFull);
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.clears == 1 && s.buffered.isEmpty(); }, 2000));
    EXPECT_TRUE(statusBecomes(keying::WinKeyIdle));
}

TEST_F(WinKeyLinkTest, BackspaceTakesTheLastCharacterTheKeyerHolds)
{
    open();
    keyer.setUnitScale(20000);  // the first letter takes its time
    for (char c : QByteArray("TESTX"))
        link.wk_char(c);
    link.wk_backspace();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return s.backspaces == 1; }, 2000));
    EXPECT_EQ(keyer.state().buffered, QStringLiteral("TEST"));
}

TEST_F(WinKeyLinkTest, OnlyTextReachesTheKeyerNeverACommandByte)
{
    open();
    keyer.pty().clearReceived();
    for (int code : {0x00, 0x02, 0x08, 0x0A, 0x0E, 0x1B, 0x7F, 0x80, 0xC9, 0xFF, 0x20AC})
        EXPECT_FALSE(link.wk_char(code)) << code;
    EXPECT_TRUE(link.wk_char('E'));
    ASSERT_TRUE(keyer.pty().waitForReceivedCount(1, 2000));
    platform::waitMs(50);
    EXPECT_EQ(keyer.pty().received(), QByteArray("E"));
    EXPECT_EQ(keyer.state().unknownCommands, 0);
}

TEST_F(WinKeyLinkTest, ReadsTheSpeedPotAndTheEchoedText)
{
    open();
    keyer.setUnitScale(100);
    link.wk_wpm(99);
    link.wk_setmode(0x04);  // serial echo
    keyer.turnPot(17);
    for (char c : QByteArray("DE K6AA"))
        link.wk_char(c);
    ASSERT_TRUE(testing_support::waitUntil(
        [&] {
            (void)link.wk_getstatus();
            return link.echoed() == QByteArray("DE K6AA");
        },
        3000));
    EXPECT_EQ(link.speedPot(), 17);
}

TEST_F(WinKeyLinkTest, LineNoiseIsNeitherEchoNorTheKeyerAnswering)
{
    open();
    // Bytes no keyer sends: below the blank (commands) and 0xE0 and above.
    keyer.pty().send(QByteArray("\x00\xE5\x1F" "A" "\xFF", 5));
    ASSERT_TRUE(testing_support::waitUntil(
        [&] {
            (void)link.wk_getstatus();
            return link.echoed().contains('A');
        },
        2000));
    EXPECT_EQ(link.echoed(), QByteArray("A"));

    // The keyer holds the sender back, then goes away behind a line that
    // answers each question with noise: it is noticed all the same.
    link.setAnswerTimeoutMs(200);
    keyer.setBuffer(16, 3);
    keyer.setUnitScale(100000);
    for (char c : QByteArray("ABCD"))
        link.wk_char(c);
    ASSERT_TRUE(statusBecomes(keying::WinKeyFull));
    keyer.pty().setHandler([](testing_support::PtyEmulator& pty, const QByteArray&) { pty.send("\xFF"); });
    EXPECT_TRUE(testing_support::waitUntil(
        [&] {
            (void)link.wk_getstatus();
            return link.keyerLost();
        },
        3000));
}

TEST_F(WinKeyLinkTest, CloseEndsHostModeAndThePort)
{
    open();
    link.wk_close();
    EXPECT_FALSE(link.isOpen());
    EXPECT_FALSE(hardware.serial(Port).isOpen());
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return !s.hostOpen; }, 2000));
    EXPECT_EQ(link.wk_getstatus(), keying::WkNotOpen);
    link.wk_close();  // closing twice is harmless
    // The keyer opens again afterwards.
    open();
}

TEST_F(WinKeyLinkTest, CloseEmptiesTheKeyerBeforeLeavingHostModeSoItKeysNoMore)
{
    // A keyer left in host mode with text in hand would key it all to the
    // end, the program gone.
    open();
    keyer.setUnitScale(1200);  // real time: a letter in half a second
    for (char c : QByteArray("CQ TEST K1ABC"))
        link.wk_char(c);
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return !s.keyed.isEmpty(); }, 2000));
    link.wk_close();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return !s.hostOpen; }, 2000));
    const auto closed = keyer.state();
    EXPECT_TRUE(WinKeyEmulator::clearedThenClosed(closed)) << closed.buffered.toStdString();
    QTest::qWait(1500);
    EXPECT_EQ(keyer.state().keyed, closed.keyed);
}

TEST_F(WinKeyLinkTest, AKeyerThatStopsAnsweringWhileFullIsNoticed)
{
    open();
    link.setAnswerTimeoutMs(200);
    keyer.setBuffer(16, 3);
    keyer.setUnitScale(100000);
    for (char c : QByteArray("ABCD"))
        link.wk_char(c);
    ASSERT_TRUE(statusBecomes(keying::WinKeyFull));
    keyer.setMode(WinKeyEmulator::Mode::Silent);
    // The driver asks for the status and gets no answer.
    EXPECT_TRUE(testing_support::waitUntil(
        [&] {
            (void)link.wk_getstatus();
            return link.keyerLost();
        },
        3000));

    // A keyer that keeps answering is never taken for lost.
    keyer.setMode(WinKeyEmulator::Mode::Normal);
    link.wk_close();
    open();
    link.setAnswerTimeoutMs(200);
    for (char c : QByteArray("ABCD"))
        link.wk_char(c);
    ASSERT_TRUE(statusBecomes(keying::WinKeyFull));
    (void)testing_support::waitUntil(
        [&] {
            (void)link.wk_getstatus();
            return link.keyerLost();
        },
        1200);
    EXPECT_FALSE(link.keyerLost());
    EXPECT_GE(keyer.state().statusRequests, 1);
}

}  // namespace

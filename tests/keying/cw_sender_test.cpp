#include "keying/cw_sender.h"
#include "keying/winkey_driver.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <map>

using namespace keying;

namespace {

// The sender with every hook recording into one trace; events "run" by
// calling whatever the test scheduled after the n-th character.
struct SenderFixture {
    KeyingState state;
    std::array<QString, 11> messages;
    double repeatSeconds = 0;
    QString call, serial = QStringLiteral("7"), rst, county;
    bool mirror = true;
    QString keyed;
    QStringList trace;
    QStringList dialog;
    std::map<int, std::function<void()>> afterCharacter;
    int characters = 0;
    int eventRuns = 0;
    int flagSeenWhileKeying = -1;

    CwSender sender{state, CwSenderHooks{
        [this](int i) { return messages[static_cast<std::size_t>(i)]; },
        [this] { return repeatSeconds; },
        [this] { return MacroValues{call, serial, &rst, county, nullptr}; },
        [this](QChar c) {
            keyed += c;
            flagSeenWhileKeying = state.CWSendingFlag;
            if (c == QLatin1Char('!'))
                trace << QStringLiteral("log");
        },
        [this] { trace << QStringLiteral("log"); },
        [this] { return mirror; },
        [this](const QString& t) { dialog << t; },
        [this] { trace << QStringLiteral("repeat"); },
        [this] {
            ++eventRuns;
            auto it = afterCharacter.find(characters++);
            if (it != afterCharacter.end()) {
                auto f = it->second;
                afterCharacter.erase(it);
                f();
            }
        },
        {},
        [this] { trace << QStringLiteral("repeat when the keyer is done"); },
    }};

    SenderFixture() { state.CWKeyingOption = 1; }
};

}  // namespace

TEST(CwSender, FunctionKeySendsItsExpandedMessage)
{
    SenderFixture f;
    f.messages[1] = QStringLiteral("$ * #");
    f.call = QStringLiteral("K6AA");
    f.sender.FKeyCW(113);
    EXPECT_EQ(f.keyed, QStringLiteral("K6AA 5NN 7"));
    EXPECT_EQ(f.flagSeenWhileKeying, 1);
    EXPECT_EQ(f.state.CWSendingFlag, 0);
    EXPECT_TRUE(f.state.CWSendBuffer.isEmpty());
    // The dialog line shrinks from the left, then is emptied.
    EXPECT_EQ(f.dialog.first(), QStringLiteral("6AA 5NN 7"));
    EXPECT_EQ(f.dialog.last(), QString());
}

TEST(CwSender, NothingIsSentWithoutAnInterfaceOrAMessage)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("CQ");
    f.state.CWSendBuffer = QStringLiteral("LEFT");
    f.state.CWKeyingOption = 0;
    f.sender.FKeyCW(112);
    EXPECT_TRUE(f.keyed.isEmpty());
    EXPECT_TRUE(f.state.CWSendBuffer.isEmpty()) << "the buffer is emptied whatever follows";
    f.state.CWKeyingOption = 1;
    f.sender.FKeyCW(121);
    f.sender.FKeyCW(114);
    EXPECT_TRUE(f.keyed.isEmpty());
    EXPECT_EQ(f.eventRuns, 3) << "each call lets events run once";
}

TEST(CwSender, EmptyExpansionRunsOnlyTheEndSteps)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("$$");
    f.state.KeyboardCWMode = 1;
    f.sender.FKeyCW(112);
    EXPECT_TRUE(f.keyed.isEmpty());
    EXPECT_EQ(f.dialog, QStringList{QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit.")});
}

TEST(CwSender, EscEmptiesTheBufferAndTheLoopEndsAfterTheCharacter)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("CQ TEST");
    f.afterCharacter[1] = [&] { f.state.CWSendBuffer.clear(); };
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.keyed, QStringLiteral("CQ"));
    EXPECT_EQ(f.state.CWSendingFlag, 0);
}

TEST(CwSender, NewFunctionKeyDropsTheRestAndSendsFromTheNextBoundary)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("CQ CQ");
    f.messages[1] = QStringLiteral("TU");
    int flagAfterInner = -1;
    f.afterCharacter[1] = [&] {
        f.sender.FKeyCW(113);
        flagAfterInner = f.state.CWSendingFlag;
    };
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.keyed, QStringLiteral("CQTU"));
    EXPECT_EQ(flagAfterInner, 1) << "one loop runs: the flag drops once, at the end";
    EXPECT_EQ(f.state.CWSendingFlag, 0);
    EXPECT_EQ(f.dialog.count(QString()), 2) << "the last character's mirror and the end step";
}

TEST(CwSender, TypedCharactersJoinTheRunningLoop)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("AB");
    f.afterCharacter[0] = [&] { f.state.CWSendBuffer += QStringLiteral("Z"); };
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.keyed, QStringLiteral("ABZ"));
}

TEST(CwSender, F1ArmsTheRepeatOnlyWithAPause)
{
    SenderFixture f;
    f.messages[0] = QStringLiteral("CQ");
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.state.CWRepeatArmed, 0);
    EXPECT_FALSE(f.trace.contains(QStringLiteral("repeat")));
    f.repeatSeconds = 5;
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.state.CWRepeatArmed, 1);
    EXPECT_EQ(f.trace, QStringList{QStringLiteral("repeat")}) << "the timer starts after the sending";
    f.trace.clear();
    f.sender.FKeyCW(113);  // F2 leaves an armed repeat as it is
    EXPECT_EQ(f.state.CWRepeatArmed, 1);
}

TEST(CwSender, MirrorOffLeavesTheDialogLineAlone)
{
    SenderFixture f;
    f.mirror = false;
    f.messages[0] = QStringLiteral("CQ");
    f.sender.FKeyCW(112);
    EXPECT_TRUE(f.dialog.isEmpty());
}

namespace {
struct FakeWinKey final : WinKeyDriver {
    KeyingState* state = nullptr;
    QString handed;
    QStringList* trace = nullptr;
    void WKTransmit() override
    {
        *trace << QStringLiteral("wk");
        handed += state->CWSendBuffer;
        state->CWSendBuffer.clear();
    }
    bool keyerSending() override { return false; }
    void wk_clearbuf() override {}
    void wk_wpm(int) override {}
    void loadWindow() override {}
    void showWindowModally() override {}
};
}  // namespace

TEST(CwSender, WinKeyLogsBeforeHandingTheMessageOver)
{
    SenderFixture f;
    FakeWinKey wk;
    wk.state = &f.state;
    wk.trace = &f.trace;
    f.state.winKey = &wk;
    f.state.CWKeyingOption = CwSender::WinKeyOption;
    f.repeatSeconds = 3;
    f.messages[0] = QStringLiteral("TU #!");
    f.sender.FKeyCW(112);
    EXPECT_EQ(f.trace, (QStringList{QStringLiteral("log"), QStringLiteral("wk"),
                                    QStringLiteral("repeat when the keyer is done")}));
    EXPECT_EQ(wk.handed, QStringLiteral("TU 7!"));
    EXPECT_TRUE(f.keyed.isEmpty());
    EXPECT_TRUE(f.dialog.isEmpty()) << "nothing is mirrored with the keyer";
    EXPECT_EQ(f.flagSeenWhileKeying, -1);
}

TEST(CwSender, WinKeyWithoutADriverSendsNothingAndEmptiesTheBuffer)
{
    SenderFixture f;
    f.state.CWKeyingOption = CwSender::WinKeyOption;
    f.messages[0] = QStringLiteral("CQ");
    f.sender.FKeyCW(112);
    EXPECT_TRUE(f.state.CWSendBuffer.isEmpty());
}

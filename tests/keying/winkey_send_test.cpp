// Sending through the WinKey: the window's Test, Buffer Test, typing box and
// Stop, the CW sender's WinKey path, the main windows' Esc and Backspace,
// and a keyer that stops answering, against an emulated keyer.
#include "keying/winkey_window_fixture.h"

#include "end_signal_child.h"

#include "app/out_of_state_window.h"
#include "keying/code_practice_window.h"
#include "keying/cw_window.h"
#include "keying/cw_sender.h"
#include "keying/install_cw_keying.h"

#include <QClipboard>
#include <QElapsedTimer>
#include <QRadioButton>
#include <QRegularExpression>
#include <QTimer>
#include <csignal>
#include <gtest/gtest.h>
#include <algorithm>
#include <thread>

using testing_support::WinKeyEmulator;
using testing_support::WinKeyWindowFixture;

namespace {

class WinKeySendTest : public ::testing::Test, public WinKeyWindowFixture {
protected:
    WinKeySendTest()
    {
        window().WinKeyComPort = Port;
        window().txtWKComPort->setText(QString::number(Port));
        // A letter in about 4.5 ms at 22 WPM: fast tests, still paced.
        keyer.setUnitScale(10);
    }

    bool keyed(const QString& text, int timeoutMs = 5000)
    {
        return keyer.waitFor([&](const auto& s) { return s.keyed == text; }, timeoutMs);
    }

    static QString alphabetTimesThree()
    {
        QString text;
        for (int i = 0; i < 3; ++i)
            text += QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ ");
        return text;
    }
};

TEST_F(WinKeySendTest, TestOpensAClosedKeyerAndSendsTheStationCall)
{
    WinKeyWindow& w = show();
    w.testButton->click();
    EXPECT_EQ(keying().WinKeyOpen, 23);
    EXPECT_EQ(closed, (QStringList{"ptt", "cw"}));
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    EXPECT_EQ(QApplication::focusWidget(), w.cmdDone);
    EXPECT_TRUE(keyed(QStringLiteral("VVV TEST DE K6XX")));
}

TEST_F(WinKeySendTest, ASendOnAWrongPortShowsTheFailureAndDropsTheText)
{
    window().WinKeyComPort = 9;
    keying().CWSendBuffer = QStringLiteral("CQ CQ");
    support->WKTransmit();
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    EXPECT_TRUE(prompt().anyShownWithTitle(QStringLiteral("Unable to establish connection with Winkey.")));
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_TRUE(keyer.pty().received().isEmpty());
}

TEST_F(WinKeySendTest, BufferTestIsPacedByTheKeyersStatusAndNeverOverfillsIt)
{
    // XOFF at 5 with room for 24: a sender that ignored the status would
    // overfill it many times over in this message, while an emulator thread
    // held up by a busy machine (a keyer never is) does not.
    keyer.setBuffer(24, 5);
    keyer.setUnitScale(50);  // slower than the sender hands letters over
    WinKeyWindow& w = show();
    w.bufferTestButton->click();
    // The sender returns once the keyer holds the rest.
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    ASSERT_TRUE(keyed(alphabetTimesThree(), 10000)) << keyer.state().keyed.toStdString();
    const auto s = keyer.state();
    EXPECT_TRUE(s.xoffReported);
    EXPECT_EQ(s.overflows, 0);
    EXPECT_LE(s.maxBuffered, 24);
}

TEST_F(WinKeySendTest, TestDuringASendJoinsItAndStartsNoSecondSender)
{
    keyer.setBuffer(8, 4);
    keyer.setUnitScale(50);
    WinKeyWindow& w = show();
    int transmitsAtOnce = 0;
    QTimer::singleShot(150, &w, [&] {
        // Inside the running sender's wait.
        w.testButton->click();
        transmitsAtOnce = keying().CWSendBuffer.isEmpty() ? 0 : 1;
    });
    w.bufferTestButton->click();
    EXPECT_EQ(transmitsAtOnce, 1);  // the click appended and returned at once
    EXPECT_TRUE(keyed(alphabetTimesThree() + QStringLiteral("VVV TEST DE K6XX"), 10000))
        << keyer.state().keyed.toStdString();
}

TEST_F(WinKeySendTest, TheTypingBoxSendsCapitalsButNeitherEnterBackspaceNorControlCodes)
{
    WinKeyWindow& w = show();
    w.typingBox->setFocus();
    QTest::keyClicks(w.typingBox, "cq");
    EXPECT_EQ(w.typingBox->text(), QStringLiteral("CQ"));
    QTest::keyClick(w.typingBox, Qt::Key_Return);
    QTest::keyClick(w.typingBox, Qt::Key_Backspace);
    // Ctrl+N types code 14, the keyer's mode command: it must never go raw.
    QTest::keyClick(w.typingBox, Qt::Key_N, Qt::ControlModifier);
    QTest::keyClick(w.typingBox, Qt::Key_Escape);
    QTest::keyClicks(w.typingBox, "a");
    EXPECT_TRUE(keyed(QStringLiteral("CQA"))) << keyer.state().keyed.toStdString();
    // A paste is sent as typing it would be, and shows as typed text does.
    QApplication::clipboard()->setText(QStringLiteral(" de\r\nk6"));
    QTest::keyClick(w.typingBox, Qt::Key_V, Qt::ControlModifier);
    // The pasted text is typed once the paste is over.
    EXPECT_TRUE(QTest::qWaitFor([&] { return w.typingBox->text().endsWith(QStringLiteral("A DEK6")); }, 3000))
        << w.typingBox->text().toStdString();
    EXPECT_TRUE(keyed(QStringLiteral("CQA DEK6"))) << keyer.state().keyed.toStdString();
    const auto s = keyer.state();
    EXPECT_EQ(s.mode, 0);
    EXPECT_EQ(s.unknownCommands, 0);
    EXPECT_EQ(s.backspaces, 0);
}

TEST_F(WinKeySendTest, StopClearsTheKeyerAndEndsTheSend)
{
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(2000);
    WinKeyWindow& w = show();
    QTimer::singleShot(200, &w, [&] { w.cmdStop->click(); });
    QElapsedTimer t;
    t.start();
    w.bufferTestButton->click();
    EXPECT_LT(t.elapsed(), 3000);
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.clears >= 1 && s.buffered.isEmpty(); }, 2000));
    EXPECT_LT(keyer.state().keyed.size(), 4);
}

TEST_F(WinKeySendTest, AKeyerThatStopsAnsweringEndsTheMessageWithAClearMessage)
{
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(2000);
    WinKeyWindow& w = show();
    support->keyer().setAnswerTimeoutMs(300);
    QTimer::singleShot(150, &w, [&] { keyer.setMode(WinKeyEmulator::Mode::Silent); });
    QElapsedTimer t;
    t.start();
    keying().CWSendBuffer = QStringLiteral("CQ CQ CQ DE K6XX K6XX");
    support->WKTransmit();
    EXPECT_LT(t.elapsed(), 5000);
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    ASSERT_TRUE(prompt().anyShownWithTitle(QStringLiteral("WinKey not answering")));
    EXPECT_TRUE(prompt().shown().back().text.contains(QStringLiteral("com port 4")));
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("Closed"));
}

TEST_F(WinKeySendTest, TheCwSendersWinKeyPathLogsFirstAndKeysTheMessage)
{
    keying().CWKeyingOption = keying::CwSender::WinKeyOption;
    int logged = 0;
    QString keyedWhenLogged = QStringLiteral("unset");
    keying::CwSenderHooks hooks;
    hooks.message = [](int index) { return index == 0 ? QStringLiteral("TU $ 5NN !") : QString(); };
    hooks.macroValues = [] {
        keying::MacroValues v;
        v.call = QStringLiteral("K6AA");
        return v;
    };
    hooks.logStep = [&] {
        ++logged;
        keyedWhenLogged = keyer.state().keyed + keyer.state().buffered;
    };
    keying::CwSender sender(keying(), hooks);
    sender.FKeyCW(112);
    EXPECT_EQ(logged, 1);
    EXPECT_EQ(keyedWhenLogged, QString());  // before anything was handed over
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    EXPECT_EQ(keying().CWSendingFlag, 0);
    EXPECT_TRUE(keyed(QStringLiteral("TU K6AA 5NN ")));
}

TEST_F(WinKeySendTest, TheCwWindowsSeamSetsTheSpeedAndLoadsTheWindowHidden)
{
    {
        // A support of its own, whose window does not exist yet.
        WinKeyWindowFixture other;
        other.support->loadWindow();
        ASSERT_NE(other.support->existing(), nullptr);
        EXPECT_FALSE(other.support->existing()->isVisible());
        WinKeyWindow* loaded = other.support->existing();
        other.support->loadWindow();
        EXPECT_EQ(other.support->existing(), loaded);
    }

    openKeyer();
    support->wk_wpm(31);
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.wpm == 31; }, 2000));
}

TEST_F(WinKeySendTest, TheVoiceKeyerTakingThePortAndExitCloseTheKeyer)
{
    WinKeyWindow& w = show();
    openKeyer();
    ASSERT_EQ(keying().WinKeyOpen, 23);
    keying::KeyerPortClosers::run(keying().closePort.winKey);
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_EQ(w.lblOpenStatus->text(), QStringLiteral("Closed"));
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return !s.hostOpen; }, 2000));

    openKeyer();
    ASSERT_EQ(keying().WinKeyOpen, 23);
    services.releaseKeyingAndPorts();
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_FALSE(support->keyer().isOpen());
}

// ----- the main window's keys ----------------------------------------------

class WinKeyMainWindowTest : public WinKeySendTest {
protected:
    WinKeyMainWindowTest()
    {
        fx.copyShipped(QStringLiteral("county2.txt"));
        auto& p = fx.state.prefs;
        p.MyCall = QStringLiteral("K6XX");
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.FormSizePercent = 100;
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = 1;
        p.RigType = QStringLiteral("None");
        p.MyCounty = QStringLiteral("Alameda");
        keying().CWKeyingOption = keying::CwSender::WinKeyOption;
        prompt().answer(platform::MsgResult::Yes);
        main = std::make_unique<OutOfStateWindow>(fx.state, services);
        main->onLoad();
        main->show();
        main->activateWindow();
        (void)QTest::qWaitForWindowActive(main.get());
        main->txtCall->setFocus();
        openKeyer();
    }
    ~WinKeyMainWindowTest() override { main.reset(); }

    /// Hands text to the keyer, which then holds it for a good while.
    void keyerBusyWith(const QString& text)
    {
        keyer.setUnitScale(20000);
        keying().CWSendBuffer = text;
        support->WKTransmit();
        ASSERT_TRUE(keyer.waitFor([&](const auto& s) { return s.buffered == text; }, 2000));
    }

    std::unique_ptr<MainWindowBase> main;
};

TEST_F(WinKeyMainWindowTest, EscWithTheKeyerBusyClearsItAndLeavesTheEntryAlone)
{
    main->txtCall->setFocus();
    QTest::keyClicks(main->txtCall, "K6AA");
    keyerBusyWith(QStringLiteral("CQ TEST"));
    QTest::keyClick(main->txtCall, Qt::Key_Escape);
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.clears == 1 && s.buffered.isEmpty(); }, 2000));
    EXPECT_EQ(main->txtCall->text(), QStringLiteral("K6AA"));

    // With the keyer idle, Esc clears the entry.
    ASSERT_TRUE(testing_support::waitUntil([&] { return support->keyer().wk_getstatus() == 0; }, 2000));
    QTest::keyClick(main->txtCall, Qt::Key_Escape);
    EXPECT_EQ(main->txtCall->text(), QString());
    EXPECT_EQ(keyer.state().clears, 1);
}

TEST_F(WinKeyMainWindowTest, EscDuringAHeldBackSendEndsIt)
{
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(2000);
    QTimer::singleShot(150, main.get(), [&] { QTest::keyClick(main->txtCall, Qt::Key_Escape); });
    keying().CWSendBuffer = QStringLiteral("ABCDEFGHIJ");
    support->WKTransmit();
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.clears == 1; }, 2000));
    EXPECT_FALSE(keyer.pty().received().contains('J'));
}

TEST_F(WinKeyMainWindowTest, BackspaceInKeyboardCwTakesTheKeyersLastCharacter)
{
    keyerBusyWith(QStringLiteral("TESTX"));
    keying().KeyboardCWMode = 1;
    QTest::keyClick(main->txtCall, Qt::Key_Backspace);
    EXPECT_GT(keying().WinKeyStatus, 0);
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return s.buffered == QStringLiteral("TEST"); }, 2000));
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
}

TEST_F(WinKeyMainWindowTest, TheF1RepeatPauseCountsFromTheKeyersEndOfSending)
{
    // The keyer takes "CQ" at once and needs about 360 ms to send it; the
    // operator listens for 300 ms after each CQ.
    auto cwKeyer = keying::installCwKeying(services, fx.state, [this] { return main.get(); });
    CwWindow& cw = cwKeyer->window();
    cw.keyLineWinKey->click();
    cw.messageBoxesF1ToF9[0]->setText(QStringLiteral("CQ"));
    cw.txtCWLoop->setText(QStringLiteral("0.3"));
    cw.tmrRepeat->setInterval(300);
    keyer.setUnitScale(400);
    main->txtCall->setFocus();
    QTest::keyClick(main->txtCall, Qt::Key_F1);
    EXPECT_EQ(keying().CWRepeatArmed, 1);
    ASSERT_TRUE(testing_support::waitUntil([&] { return keyer.state().keyed.size() >= 6; }, 10000))
        << keyer.state().keyed.toStdString();
    QTest::keyClick(main->txtCall, Qt::Key_A);
    EXPECT_EQ(keying().CWRepeatArmed, 0);

    const auto s = keyer.state();
    EXPECT_TRUE(s.keyed.startsWith(QStringLiteral("CQCQCQ")));
    ASSERT_GE(s.arrivedAt.size(), 6u);
    ASSERT_GE(s.keyedAt.size(), 6u);
    for (std::size_t next = 2; next < 6; next += 2) {
        // From the keyer's last character of one CQ to the first of the next.
        const auto pause =
            std::chrono::duration_cast<std::chrono::milliseconds>(s.arrivedAt[next] - s.keyedAt[next - 1]).count();
        EXPECT_GE(pause, 300) << "CQ " << next / 2;
    }
}

TEST_F(WinKeyMainWindowTest, EscInTheCwWindowClearsTheBusyKeyerAndKeepsTheWindowOpen)
{
    auto cwKeyer = keying::installCwKeying(services, fx.state, [this] { return main.get(); });
    CwWindow& cw = cwKeyer->window();
    cw.keyLineWinKey->click();
    cw.messageBoxesF1ToF9[8]->setText(QStringLiteral("VVV DE K6XX"));
    keyer.setUnitScale(20000);
    cw.show();
    cw.activateWindow();
    (void)QTest::qWaitForWindowActive(&cw);
    cw.testButton->click();
    ASSERT_TRUE(keyer.waitFor([](const auto& st) { return !st.buffered.isEmpty(); }, 2000));
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
    EXPECT_TRUE(cw.isVisible());
    EXPECT_TRUE(keyer.waitFor([](const auto& st) { return st.clears == 1 && st.buffered.isEmpty(); }, 2000));
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
}

TEST_F(WinKeyMainWindowTest, ClosingTheMainWindowClosesTheKeyer)
{
    ASSERT_EQ(keying().WinKeyOpen, 23);
    main->close();
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_FALSE(support->keyer().isOpen());
    EXPECT_TRUE(keyer.waitFor([](const auto& s) { return !s.hostOpen; }, 2000));
}

// Every way the keyer is let go while it keys a message: it is emptied
// first, so that it stops with the program and keys nothing more.
class WinKeyWayOutTest;
struct WayOut {
    const char* name;
    void (*take)(WinKeyWayOutTest&);
};

void PrintTo(const WayOut& way, std::ostream* os) { *os << way.name; }

class WinKeyWayOutTest : public WinKeyMainWindowTest, public ::testing::WithParamInterface<WayOut> {
public:
    void closeMainWindow() { main->close(); }
    void exitFromTheFileMenu() { main->mnuExit->trigger(); }
    void closeTheKeyerInItsWindow() { window().cmdCloseWinkey->click(); }
};

TEST_P(WinKeyWayOutTest, TheKeyerIsEmptiedBeforeItLeavesHostModeAndKeysNoMore)
{
    keyer.setUnitScale(1200);  // real time, as the transmitter keys it
    keying().CWSendBuffer = QStringLiteral("CQ TEST K1ABC K1ABC TEST");
    support->WKTransmit();
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return !s.keyed.isEmpty(); }, 3000));
    GetParam().take(*this);
    EXPECT_EQ(keying().WinKeyOpen, 0);
    ASSERT_TRUE(keyer.waitFor([](const auto& s) { return !s.hostOpen; }, 2000));
    const auto closed = keyer.state();
    EXPECT_TRUE(WinKeyEmulator::clearedThenClosed(closed)) << closed.buffered.toStdString();
    QTest::qWait(1200);
    EXPECT_EQ(keyer.state().keyed, closed.keyed);
}

INSTANTIATE_TEST_SUITE_P(
    WaysOut, WinKeyWayOutTest,
    ::testing::Values(
        WayOut{"ClosingTheMainWindow", [](WinKeyWayOutTest& t) { t.closeMainWindow(); }},
        WayOut{"FileExit", [](WinKeyWayOutTest& t) { t.exitFromTheFileMenu(); }},
        WayOut{"TheKeyerWindowsClose", [](WinKeyWayOutTest& t) { t.closeTheKeyerInItsWindow(); }}),
    [](const ::testing::TestParamInfo<WayOut>& info) { return std::string(info.param.name); });

// A long paste into the typing box is queued whole, so every way of
// stopping a send ends it: nothing the paste brought is keyed afterwards,
// and nothing opens the keyer again once the program is ending.
class WinKeyPasteStopTest;
struct PasteStop {
    const char* name;
    void (*take)(WinKeyPasteStopTest&);
    bool endsTheProgram;
};

void PrintTo(const PasteStop& way, std::ostream* os) { *os << way.name; }

class WinKeyPasteStopTest : public WinKeyMainWindowTest, public ::testing::WithParamInterface<PasteStop> {
public:
    WinKeyPasteStopTest() { fx.state.endProgram = [this] { ended = true; }; }

    void stop() { window().cmdStop->click(); }
    void done() { window().cmdDone->click(); }
    void titleBarClose() { window().close(); }
    void escInTheMainWindow() { QTest::keyClick(main->txtCall, Qt::Key_Escape); }
    void closeMainWindow() { main->close(); }
    void exitFromTheFileMenu() { main->mnuExit->trigger(); }
    void endSignal() { app::endOnSignal(services, fx.state, main.get()); }

    static int hostOpens(const WinKeyEmulator::State& s)
    {
        return static_cast<int>(std::count(s.commands.begin(), s.commands.end(), 0x102));
    }

    bool ended = false;
};

TEST_P(WinKeyPasteStopTest, NothingThePasteBroughtIsKeyedAfterwards)
{
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(100);
    WinKeyWindow& w = window();
    w.show();
    w.activateWindow();
    (void)QTest::qWaitForWindowActive(&w);
    w.typingBox->setFocus();
    QString paste;
    for (int i = 0; i < 2000; ++i)
        paste += QChar(u'A' + i % 26);
    QApplication::clipboard()->setText(paste);

    // Everything below happens inside the sender's waits, as it does for
    // the operator: the paste is being keyed when the way out is taken.
    WinKeyEmulator::State atStop;
    WinKeyEmulator::State later;
    bool over = false;
    QTimer::singleShot(300, &w, [&] {
        GetParam().take(*this);
        (void)keyer.waitFor([](const auto& s) { return s.buffered.isEmpty(); }, 2000);
        atStop = keyer.state();
    });
    QTimer::singleShot(1300, &w, [&] {
        later = keyer.state();
        over = true;
    });
    QTest::keyClick(w.typingBox, Qt::Key_V, Qt::ControlModifier);
    ASSERT_TRUE(QTest::qWaitFor([&] { return over; }, 60000));

    EXPECT_FALSE(atStop.keyed.isEmpty()) << "the paste was being keyed when the way out was taken";
    EXPECT_LT(atStop.keyed.size(), 100);
    EXPECT_GE(atStop.clears, 1) << "the keyer was not emptied";
    EXPECT_EQ(later.keyed, atStop.keyed) << "the paste went on being keyed";
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    if (GetParam().endsTheProgram) {
        EXPECT_TRUE(ended);
        EXPECT_FALSE(later.hostOpen) << "the keyer was opened again while the program ended";
        EXPECT_EQ(hostOpens(later), 1);
        EXPECT_EQ(keying().WinKeyOpen, 0);
    }
}

INSTANTIATE_TEST_SUITE_P(
    WaysToStop, WinKeyPasteStopTest,
    ::testing::Values(PasteStop{"Stop", [](WinKeyPasteStopTest& t) { t.stop(); }, false},
                      PasteStop{"Done", [](WinKeyPasteStopTest& t) { t.done(); }, false},
                      PasteStop{"TitleBarClose", [](WinKeyPasteStopTest& t) { t.titleBarClose(); }, false},
                      PasteStop{"EscInTheMainWindow", [](WinKeyPasteStopTest& t) { t.escInTheMainWindow(); }, false},
                      PasteStop{"ClosingTheMainWindow", [](WinKeyPasteStopTest& t) { t.closeMainWindow(); }, true},
                      PasteStop{"FileExit", [](WinKeyPasteStopTest& t) { t.exitFromTheFileMenu(); }, true},
                      PasteStop{"EndSignal", [](WinKeyPasteStopTest& t) { t.endSignal(); }, true}),
    [](const ::testing::TestParamInfo<PasteStop>& info) { return std::string(info.param.name); });

// Code practice typed through the keyer: Stop and closing the practice
// window empty what is still to be handed over and the keyer itself, which
// a paste leaves holding up to a buffer's worth.
TEST_F(WinKeyMainWindowTest, APasteIntoCodePracticeThroughTheKeyerStopsAtStopAndAtClosing)
{
    auto cwKeyer = keying::installCwKeying(services, fx.state, [this] { return main.get(); });
    CwWindow& cw = cwKeyer->window();
    cw.keyLineWinKey->click();
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(100);
    const std::pair<const char*, void (*)(CodePracticeWindow&)> ways[] = {
        {"Stop", [](CodePracticeWindow& p) { p.stopButton->click(); }},
        {"closing the window", [](CodePracticeWindow& p) { p.close(); }},
    };
    for (const auto& [name, take] : ways) {
        SCOPED_TRACE(name);
        CodePracticeWindow practice(fx.state, cw);
        practice.onLoad();
        practice.show();
        practice.typingBox->setFocus();
        QApplication::clipboard()->setText(QString(2000, QLatin1Char('e')));
        const int clearsBefore = keyer.state().clears;
        WinKeyEmulator::State atStop;
        WinKeyEmulator::State later;
        bool over = false;
        QTimer::singleShot(300, &practice, [&, take = take] {
            take(practice);
            (void)keyer.waitFor([](const auto& s) { return s.buffered.isEmpty(); }, 2000);
            atStop = keyer.state();
        });
        QTimer::singleShot(1300, &practice, [&] {
            later = keyer.state();
            over = true;
        });
        QTest::keyClick(practice.typingBox, Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return over; }, 60000));
        EXPECT_FALSE(atStop.keyed.isEmpty()) << "the paste was being keyed";
        EXPECT_GT(atStop.clears, clearsBefore) << "the keyer was not emptied";
        EXPECT_EQ(later.keyed, atStop.keyed) << "the paste went on being keyed";
        EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    }
    cwKeyer->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

// The child's part of the signal test below: F1 hands a CQ to the keyer,
// which keys it in real time until the signal ends the program; then the
// keyer's side is printed.
TEST_F(WinKeyMainWindowTest, DISABLED_EndSignalChildSendsACq)
{
    if (testing_support::endSignalChildMode().isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    bool ended = false;
    fx.state.endProgram = [&ended] { ended = true; };
    auto cwKeyer = keying::installCwKeying(services, fx.state, [this] { return main.get(); });
    CwWindow& cw = cwKeyer->window();
    cw.keyLineWinKey->click();
    cw.messageBoxesF1ToF9[0]->setText(QStringLiteral("CQ TEST K1ABC K1ABC TEST"));
    keyer.setUnitScale(1200);
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    app::endProgramOnSignals(endSignals, services, fx.state, [this] { return main.get(); });
    main->txtCall->setFocus();
    QTest::keyClick(main->txtCall, Qt::Key_F1);
    testing_support::printReady();
    if (!QTest::qWaitFor([&ended] { return ended; }, 20000))
        std::printf("ZQP NOT ENDED\n");
    (void)keyer.waitFor([](const auto& st) { return !st.hostOpen; }, 2000);
    const auto closed = keyer.state();
    // The program has ended: what the keyer does now, it does on its own.
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    std::printf("ZQP WINKEY %d %d %d\n", WinKeyEmulator::clearedThenClosed(closed) ? 1 : 0,
                static_cast<int>(closed.keyed.size()), static_cast<int>(keyer.state().keyed.size()));
    std::fflush(stdout);
}

// The same with a long paste into the typing box being keyed when the
// signal comes: the program must end, and the keyer stay closed.
TEST_F(WinKeyMainWindowTest, DISABLED_EndSignalChildPastesIntoTheTypingBox)
{
    if (testing_support::endSignalChildMode().isEmpty())
        GTEST_SKIP() << "the child of the end-signal test";
    bool ended = false;
    fx.state.endProgram = [&ended] { ended = true; };
    keyer.setBuffer(8, 3);
    keyer.setUnitScale(1200);
    platform::EndSignals endSignals;
    ASSERT_TRUE(endSignals.installed());
    app::endProgramOnSignals(endSignals, services, fx.state, [this] { return main.get(); });
    WinKeyWindow& w = show();
    w.typingBox->setFocus();
    QString paste;
    for (int i = 0; i < 2000; ++i)
        paste += QChar(u'A' + i % 26);
    QApplication::clipboard()->setText(paste);
    QTimer::singleShot(0, &w, [] { testing_support::printReady(); });
    QTest::keyClick(w.typingBox, Qt::Key_V, Qt::ControlModifier);
    if (!QTest::qWaitFor([&ended] { return ended; }, 20000))
        std::printf("ZQP NOT ENDED\n");
    (void)keyer.waitFor([](const auto& st) { return !st.hostOpen; }, 2000);
    const auto closed = keyer.state();
    std::this_thread::sleep_for(std::chrono::milliseconds(1500));
    std::printf("ZQP WINKEY %d %d %d\n", WinKeyEmulator::clearedThenClosed(keyer.state()) ? 1 : 0,
                static_cast<int>(closed.keyed.size()), static_cast<int>(keyer.state().keyed.size()));
    std::fflush(stdout);
}

}  // namespace

TEST_F(WinKeySendTest, ACwPortBoxOnTheKeyersPortIsRefusedAndTheKeyerKeepsSending)
{
    auto cwKeyer = keying::installCwKeying(services, fx.state, [] { return nullptr; });
    CwWindow& cw = cwKeyer->window();
    cw.runModal = [](QDialog&) {};
    openKeyer();
    ASSERT_EQ(keying().WinKeyOpen, 23);
    const quint64 keyerConnection = fx.state.hardware.serial(Port).connection();

    // The operator types the keyer's port into the CW window's box and
    // leaves it, then sets it back to 0.
    cw.show();
    cw.activateWindow();
    (void)QTest::qWaitForWindowActive(&cw);
    for (const QString& text : {QString::number(Port), QStringLiteral("0")}) {
        cw.serialPortBox->setFocus();
        QApplication::processEvents();
        cw.serialPortBox->setText(text);
        cw.speedBox->setFocus();
        QApplication::processEvents();
    }
    EXPECT_EQ(prompt().countShownWithTitle(QStringLiteral("Invalid port.")), 1);
    EXPECT_TRUE(prompt().shown().back().text.endsWith(QStringLiteral("  Serial port 4 is in use by the WinKey keyer.")))
        << prompt().shown().back().text.toStdString();
    EXPECT_EQ(fx.state.hardware.serial(Port).connection(), keyerConnection);
    EXPECT_EQ(window().lblOpenStatus->text(), QStringLiteral("WK Success!"));

    keying().CWSendBuffer = QStringLiteral("TEST");
    support->WKTransmit();
    EXPECT_TRUE(keyed(QStringLiteral("TEST")));
    cw.hide();
    cwKeyer->unload();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}

TEST_F(WinKeySendTest, APortClosedUnderTheKeyerIsReportedAtTheNextSend)
{
    openKeyer();
    ASSERT_EQ(keying().WinKeyOpen, 23);
    // Something else closes the port and opens it for itself.
    platform::SerialLink& link = fx.state.hardware.serial(Port);
    link.close();
    ASSERT_TRUE(link.open(Port, {}));
    const quint64 other = link.connection();

    keying().CWSendBuffer = QStringLiteral("CQ CQ");
    support->WKTransmit();
    EXPECT_TRUE(keying().CWSendBuffer.isEmpty());
    ASSERT_TRUE(prompt().anyShownWithTitle(QStringLiteral("WinKey not answering")));
    EXPECT_TRUE(prompt().shown().back().text.contains(QStringLiteral("Com port 4 of the WinKey was closed")))
        << prompt().shown().back().text.toStdString();
    EXPECT_EQ(keying().WinKeyOpen, 0);
    EXPECT_EQ(window().lblOpenStatus->text(), QStringLiteral("Closed"));
    // The keyer neither wrote to nor closed the connection that is not its own.
    EXPECT_EQ(link.connection(), other);
    QTest::qWait(100);
    EXPECT_TRUE(keyer.state().keyed.isEmpty());
    link.close();
}

TEST(WinKeyEndSignal, ASignalEmptiesTheKeyerBeforeTheProgramEndsSoItKeysNoMore)
{
    const auto run = testing_support::runChildAndSignal(
        QStringLiteral("WinKeyMainWindowTest.DISABLED_EndSignalChildSendsACq"), "winkey", SIGTERM, 1000);
    ASSERT_TRUE(run.ready) << run.output.toStdString();
    EXPECT_TRUE(run.exitedNormally) << run.output.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    const auto m = QRegularExpression(QStringLiteral("ZQP WINKEY (\\d) (\\d+) (\\d+)")).match(run.output);
    ASSERT_TRUE(m.hasMatch()) << run.output.toStdString();
    EXPECT_EQ(m.captured(1), QStringLiteral("1")) << "the keyer was not emptied before host close";
    EXPECT_GT(m.captured(2).toInt(), 0) << "the keyer was keying when the signal came";
    EXPECT_EQ(m.captured(3), m.captured(2)) << "the keyer went on keying after the program ended";
}

TEST(WinKeyEndSignal, ASignalDuringALongPasteEndsTheProgramWithTheKeyerClosed)
{
    const auto run = testing_support::runChildAndSignal(
        QStringLiteral("WinKeyMainWindowTest.DISABLED_EndSignalChildPastesIntoTheTypingBox"), "winkey", SIGTERM, 1000);
    ASSERT_TRUE(run.ready) << run.output.toStdString();
    EXPECT_TRUE(run.exitedNormally) << run.output.toStdString();
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_FALSE(run.output.contains(QStringLiteral("ZQP NOT ENDED"))) << run.output.toStdString();
    const auto m = QRegularExpression(QStringLiteral("ZQP WINKEY (\\d) (\\d+) (\\d+)")).match(run.output);
    ASSERT_TRUE(m.hasMatch()) << run.output.toStdString();
    EXPECT_EQ(m.captured(1), QStringLiteral("1")) << "the keyer was left open or holding text";
    EXPECT_GT(m.captured(2).toInt(), 0) << "the paste was being keyed when the signal came";
    EXPECT_EQ(m.captured(3), m.captured(2)) << "the keyer went on keying after the program ended";
}

// Sending from the main window's keys through the CW window and the keying
// engine onto the parallel port's control register (recorded, no device):
// the element pattern, "!" logging, Esc, a new function key, the repeat,
// closing while sending, the port report and code practice.

#include "cw_fixture.h"

#include "keying/code_practice_window.h"
#include "keying/morse.h"
#include "platform/events.h"

#include <QClipboard>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <functional>
#include <gtest/gtest.h>

using testing_support::CwFixture;

namespace {

/// The key-down edges a text keys.
int downsOf(const QString& text)
{
    int n = 0;
    for (QChar c : text)
        n += static_cast<int>(keying::morseUnits(c).split(QLatin1Char('0'), Qt::SkipEmptyParts).size());
    return n;
}

void setMessage(CwFixture& f, int index, const QString& text)
{
    if (index < 9)
        f.cw().messageBoxesF1ToF9[static_cast<std::size_t>(index)]->setText(text);
}

}  // namespace

TEST(CwSending, FunctionKeyKeysTheMessageWithMorseTiming)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("TE"));
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.controlValues(), (std::vector<int>{3, 2, 3, 2}));
    const auto& e = f.recorder.events();
    ASSERT_GE(e.size(), 4u);
    // 99 WPM: 12.12 ms units; T is down 3 units, then 3 up before E.
    const double unit = keying::unitMs(99);
    const double tDown = static_cast<double>(e[1].monotonicNs - e[0].monotonicNs) / 1e6;
    const double gap = static_cast<double>(e[2].monotonicNs - e[1].monotonicNs) / 1e6;
    // Never cut short by more than half a unit, however busy the machine.
    EXPECT_GE(tDown, 2.5 * unit - 0.5);
    EXPECT_GE(gap, 2.5 * unit - 0.5);
    EXPECT_EQ(e[0].device.toUpper(), QStringLiteral("&H378")) << "the default address";
    EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);
    EXPECT_TRUE(f.window->lblDialog->text().isEmpty());
}

TEST(CwSending, EventsAtACharacterBoundaryDoNotDelayTheNextCharacter)
{
    // Events that take a while (a redraw, a spot arriving) run at each
    // character boundary. They run while the gap after the character is
    // being timed, so the next character still starts on the message's
    // timeline.
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("EEEE"));
    QTimer busy;
    busy.setInterval(0);
    int runs = 0;
    QObject::connect(&busy, &QTimer::timeout, [&runs] {
        ++runs;
        platform::waitMs(20);
    });
    busy.start();
    f.key(Qt::Key_F1);
    busy.stop();
    std::vector<std::int64_t> downs;
    for (const auto& e : f.recorder.events())
        if (e.kind == platform::LineEvent::Kind::ParallelControl && e.value == 3)
            downs.push_back(e.monotonicNs);
    ASSERT_EQ(downs.size(), 4u);
    EXPECT_GE(runs, 3);
    // "E" is one unit down and three up: 4 units from key-down to key-down.
    // Had the 20 ms of events been added to the gap, every interval would be
    // at least 4 units + 20 ms; the shortest shows it, even if the busy
    // machine held one edge up.
    const double unit = keying::unitMs(99);
    double shortest = 1e9;
    for (std::size_t i = 1; i < downs.size(); ++i)
        shortest = std::min(shortest, static_cast<double>(downs[i] - downs[i - 1]) / 1e6);
    EXPECT_GE(shortest, 4 * unit - 0.5 * unit);
    EXPECT_LT(shortest, 4 * unit + 0.5 * unit);
}

TEST(CwSending, WordSpacesAndProsignsAreKeyed)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    f.cw().txtSpace->setText(QStringLiteral("-8"));
    setMessage(f, 0, QStringLiteral("E E[("));
    const std::int64_t t0 = platform::monotonicNs();
    f.key(Qt::Key_F1);
    const double elapsed = static_cast<double>(platform::monotonicNs() - t0) / 1e6;
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("EE[")));
    // E, E and AR: 4 + 4 + 16 units; the blank keys nothing at -8 and "(" takes no time.
    EXPECT_GE(elapsed, 24 * keying::unitMs(99) - 1);
    EXPECT_LT(elapsed, 32 * keying::unitMs(99) + 200);
}

TEST(CwSending, ExclamationLogsTheContactWhenTheSenderReachesIt)
{
    CwFixture f;
    OutOfStateWindow& w = f.open();
    f.usePrinter();
    setMessage(f, 1, QStringLiteral("TU #!"));
    // An empty call box: keyed in full, nothing logged.
    f.key(Qt::Key_F2);
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("TU 1")));
    EXPECT_EQ(f.fx.state.log.contacts.ContactCount(), 0);

    f.recorder.clear();
    f.type(QStringLiteral("k6abc5"));
    f.type(QStringLiteral("ala"));
    f.key(Qt::Key_F2);
    EXPECT_EQ(f.fx.state.log.contacts.ContactCount(), 1);
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("TU 1")));
    EXPECT_TRUE(w.txtCall->text().isEmpty());
    EXPECT_EQ(w.nextSerialLabel->text(), QStringLiteral("002"));
}

TEST(CwSending, CallAndReportWildcardsComeFromTheEntry)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 1, QStringLiteral("$ *"));
    f.type(QStringLiteral("k6t"));
    f.key(Qt::Key_F2);
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("K6T 5NN")));
    EXPECT_EQ(f.fx.state.log.RstSentText, QStringLiteral("5NN"));
}

TEST(CwSending, EscStopsAfterTheCurrentCharacterWithTheLineUp)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("CQ CQ"));
    f.postKey(Qt::Key_Escape);
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("C")));
    EXPECT_EQ(f.controlValues().back(), 2);
    EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);
    EXPECT_TRUE(f.fx.state.keying.CWSendBuffer.isEmpty());
    EXPECT_TRUE(f.window->lblDialog->text().isEmpty());
}

TEST(CwSending, NewFunctionKeyCutsTheMessageBeingSent)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("CQ CQ"));
    setMessage(f, 1, QStringLiteral("TU"));
    f.postKey(Qt::Key_F2);
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("CTU")));
    EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);
}

TEST(CwSending, ClosingTheMainWindowWhileSendingIsRefused)
{
    CwFixture f;
    OutOfStateWindow& w = f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("CQ CQ"));
    QMetaObject::invokeMethod(&w, [&w] { w.close(); }, Qt::QueuedConnection);
    f.key(Qt::Key_F1);
    EXPECT_TRUE(w.isVisible());
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("C"))) << "the refusal still stops the sending";
}

TEST(CwSending, F1RepeatsUntilAKeyIsPressed)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    setMessage(f, 0, QStringLiteral("E"));
    cw.txtCWLoop->setText(QStringLiteral("0.05"));
    cw.tmrRepeat->setInterval(50);
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.fx.state.keying.CWRepeatArmed, 1);
    for (int i = 0; i < 300 && f.keyDowns() < 3; ++i)
        QTest::qWait(10);
    EXPECT_GE(f.keyDowns(), 3);
    f.type(QStringLiteral("a"));
    EXPECT_EQ(f.fx.state.keying.CWRepeatArmed, 0);
    EXPECT_FALSE(cw.tmrRepeat->isActive());
    const int sent = f.keyDowns();
    QTest::qWait(200);
    EXPECT_EQ(f.keyDowns(), sent);
}

TEST(CwSending, CtrlCOpensTheCwWindowAndTheRepeatGoesOn)
{
    // The operator opens the CW window to change the pause while the CQ
    // repeats: the Ctrl key going down and Ctrl+C both leave it running.
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    setMessage(f, 0, QStringLiteral("E"));
    cw.txtCWLoop->setText(QStringLiteral("0.05"));
    cw.tmrRepeat->setInterval(50);
    f.key(Qt::Key_F1);
    QTest::keyClick(f.window->txtCall, Qt::Key_C, Qt::ControlModifier);
    EXPECT_TRUE(cw.isVisible());
    EXPECT_EQ(f.fx.state.keying.CWRepeatArmed, 1);
    const int sent = f.keyDowns();
    for (int i = 0; i < 300 && f.keyDowns() < sent + 2; ++i)
        QTest::qWait(10);
    EXPECT_GE(f.keyDowns(), sent + 2);
    QTest::keyClick(f.window->txtCall, Qt::Key_A);
    EXPECT_EQ(f.fx.state.keying.CWRepeatArmed, 0);
}

TEST(CwSending, TheRepeatPauseIsNeverCutShort)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    setMessage(f, 0, QStringLiteral("E"));
    cw.txtCWLoop->setText(QStringLiteral("0.5"));
    cw.tmrRepeat->setInterval(500);
    f.key(Qt::Key_F1);
    for (int i = 0; i < 800 && f.keyDowns() < 6; ++i)
        QTest::qWait(10);
    f.type(QStringLiteral("a"));
    std::vector<std::int64_t> downs;
    for (const auto& e : f.recorder.events())
        if (e.kind == platform::LineEvent::Kind::ParallelControl && e.value == 3)
            downs.push_back(e.monotonicNs);
    ASSERT_GE(downs.size(), 6u);
    // Each sending of "E" ends 4 units after its key-down; the next starts
    // no sooner than the pause after that.
    const double sendingMs = 4 * keying::unitMs(99);
    for (std::size_t i = 1; i < downs.size(); ++i) {
        const double pauseMs = static_cast<double>(downs[i] - downs[i - 1]) / 1e6 - sendingMs;
        EXPECT_GE(pauseMs, 500.0 - 0.5) << "pause " << i;
    }
}

TEST(CwSending, EscInTheCwWindowStopsTheTestMessageAndKeepsTheWindowOpen)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    cw.messageBoxesF1ToF9[8]->setText(QStringLiteral("CQ CQ"));
    cw.show();
    cw.activateWindow();
    (void)QTest::qWaitForWindowActive(&cw);
    // Esc as soon as the sending has begun: between its characters.
    QTimer esc;
    esc.setInterval(1);
    QObject::connect(&esc, &QTimer::timeout, &cw, [&] {
        if (f.keyDowns() == 0)
            return;
        esc.stop();
        QWidget* focused = QApplication::focusWidget();
        QTest::keyClick(focused ? focused : &cw, Qt::Key_Escape);
    });
    esc.start();
    cw.testButton->click();
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("C")));
    EXPECT_EQ(f.controlValues().back(), 2);
    EXPECT_TRUE(cw.isVisible());
    EXPECT_TRUE(f.fx.state.keying.CWSendBuffer.isEmpty());
    EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);

    // Esc also ends an F1 repeat, and with nothing sent it does nothing more.
    setMessage(f, 0, QStringLiteral("E"));
    cw.txtCWLoop->setText(QStringLiteral("0.05"));
    cw.tmrRepeat->setInterval(50);
    f.key(Qt::Key_F1);
    cw.activateWindow();
    (void)QTest::qWaitForWindowActive(&cw);
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : &cw, Qt::Key_Escape);
    EXPECT_EQ(f.fx.state.keying.CWRepeatArmed, 0);
    EXPECT_FALSE(cw.tmrRepeat->isActive());
    EXPECT_TRUE(cw.isVisible());
}

TEST(CwSending, UnopenablePortIsReportedOncePerMessage)
{
    CwFixture f;
    f.open();
    CwWindow& cw = f.cw();
    cw.keyLineRts->click();
    cw.serialPortBox->setText(QStringLiteral("7"));  // no such port in the port table
    setMessage(f, 0, QStringLiteral("EEE"));
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 1);
    EXPECT_EQ(f.modalShows, 1) << "the hidden window is shown so the port can be corrected";
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle(QStringLiteral("Invalid port.")), 2);
}

TEST(CwSending, TestButtonNeedsAPortForTheSerialLines)
{
    CwFixture f;
    f.open();
    CwWindow& cw = f.cw();
    cw.keyLineDtr->click();
    cw.testButton->click();
    EXPECT_EQ(f.fx.fakes.prompt.countShownWithTitle(QStringLiteral("A com port is required.")), 1);
    f.usePrinter();
    cw.messageBoxesF1ToF9[8]->setText(QStringLiteral("VVV"));
    cw.testButton->click();
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("VVV")));
    EXPECT_TRUE(cw.sendingLabel->isHidden());
}

TEST(CwSending, ExitLetsTheLineUp)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    setMessage(f, 0, QStringLiteral("E"));
    f.key(Qt::Key_F1);
    f.recorder.clear();
    f.services.releaseKeyingAndPorts();
    EXPECT_EQ(f.controlValues(), std::vector<int>{2});
}

TEST(CwSending, PortSetUpClosesTheVoiceKeyersPort)
{
    CwFixture f;
    int voiceClosed = 0;
    f.fx.state.keying.closePort.voicePttPort = [&] { ++voiceClosed; };
    CwWindow& cw = f.cw();
    cw.serialPortBox->setText(QStringLiteral("0"));
    cw.CWSetup();
    EXPECT_EQ(voiceClosed, 0);
    cw.serialPortBox->setText(QStringLiteral("5"));
    cw.CWSetup();
    EXPECT_EQ(voiceClosed, 1);
}

TEST(CodePractice, GeneratesGroupsAndSendsThemWithAnEcho)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    CodePracticeWindow practice(f.fx.state, cw);
    practice.onLoad();
    practice.show();
    EXPECT_EQ(practice.speedLabel->text(), QStringLiteral("99"));
    practice.includeLettersOnly->setChecked(true);
    practice.groupCountBox->setText(QStringLiteral("3"));
    practice.groupLengthBox->setText(QStringLiteral("4"));
    practice.onGenerateClicked();
    const QString text = practice.textToSendBox->toPlainText();
    ASSERT_EQ(text.size(), 15);
    for (int g = 0; g < 3; ++g) {
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(text[g * 5 + c].isUpper());
        EXPECT_EQ(text[g * 5 + 4], QLatin1Char(' '));
    }
    practice.groupCountBox->setText(QStringLiteral("abc"));
    practice.groupLengthBox->setText(QStringLiteral("1"));
    practice.onGenerateClicked();
    EXPECT_EQ(practice.groupCountBox->text(), QStringLiteral("10"));
    EXPECT_EQ(practice.textToSendBox->toPlainText().size(), 20);

    practice.textToSendBox->setPlainText(QStringLiteral("EE T"));
    practice.onSendClicked();
    EXPECT_EQ(practice.textSentBox->toPlainText(), QStringLiteral("EE T"));
    EXPECT_EQ(f.keyDowns(), 3);
    practice.fasterButton->click();
    EXPECT_EQ(practice.speedLabel->text(), QStringLiteral("99"));
    practice.slowerButton->click();
    EXPECT_EQ(practice.speedLabel->text(), QStringLiteral("98"));
}

TEST(CodePractice, StopEndsTheSendingAndTypingSendsAtOnce)
{
    CwFixture f;
    f.open();
    f.usePrinter();
    CwWindow& cw = f.cw();
    CodePracticeWindow practice(f.fx.state, cw);
    practice.onLoad();
    practice.show();
    practice.textToSendBox->setPlainText(QStringLiteral("EEEEEE"));
    QMetaObject::invokeMethod(&practice, [&] { practice.onStopClicked(); }, Qt::QueuedConnection);
    practice.onSendClicked();
    EXPECT_EQ(practice.textSentBox->toPlainText(), QStringLiteral("E"));

    practice.textSentBox->clear();
    practice.typingBox->setFocus();
    QTest::keyClicks(practice.typingBox, QStringLiteral("te"));
    EXPECT_TRUE(practice.typingBox->text().isEmpty());
    EXPECT_EQ(practice.textSentBox->toPlainText(), QStringLiteral("TE"));
    QTest::keyClick(practice.typingBox, Qt::Key_Backspace);
    EXPECT_EQ(practice.textSentBox->toPlainText(), QStringLiteral("T"));
    // A paste is sent as typing it would be: capitals, no line break, and
    // the typing box keeps nothing.
    QApplication::clipboard()->setText(QStringLiteral("e\r\ne"));
    QTest::keyClick(practice.typingBox, Qt::Key_V, Qt::ControlModifier);
    EXPECT_TRUE(QTest::qWaitFor([&] { return practice.textSentBox->toPlainText() == QStringLiteral("TEE"); }, 3000))
        << practice.textSentBox->toPlainText().toStdString();
    EXPECT_TRUE(practice.typingBox->text().isEmpty());
    EXPECT_TRUE(practice.onUnload());
}

// A long paste into the typing box is queued whole: Stop, closing the
// practice window and closing the main window each end it after the
// character being keyed, and nothing keys again afterwards.
TEST(CodePractice, ALongPasteIntoTheTypingBoxStopsAtEveryWayOut)
{
    struct Way {
        const char* name;
        std::function<void(CodePracticeWindow&, CwFixture&)> take;
    };
    const Way ways[] = {
        {"Stop", [](CodePracticeWindow& p, CwFixture&) { p.stopButton->click(); }},
        {"closing the practice window", [](CodePracticeWindow& p, CwFixture&) { p.close(); }},
        {"closing the main window", [](CodePracticeWindow&, CwFixture& f) { f.window->close(); }},
    };
    for (const Way& way : ways) {
        SCOPED_TRACE(way.name);
        CwFixture f;
        f.open();
        f.usePrinter();
        CodePracticeWindow practice(f.fx.state, f.cw());
        practice.onLoad();
        practice.show();
        practice.typingBox->setFocus();
        QApplication::clipboard()->setText(QString(400, QLatin1Char('e')));
        int downsAtStop = -1;
        int downsLater = -1;
        bool over = false;
        QTimer::singleShot(200, &practice, [&] {
            way.take(practice, f);
            downsAtStop = f.keyDowns();
        });
        QTimer::singleShot(800, &practice, [&] {
            downsLater = f.keyDowns();
            over = true;
        });
        QTest::keyClick(practice.typingBox, Qt::Key_V, Qt::ControlModifier);
        ASSERT_TRUE(QTest::qWaitFor([&] { return over; }, 60000));
        EXPECT_GT(downsAtStop, 0) << "the paste was being keyed";
        EXPECT_LE(downsLater, downsAtStop + 1) << "the paste went on being keyed";
        EXPECT_TRUE(f.fx.state.keying.CWSendBuffer.isEmpty());
        EXPECT_EQ(f.fx.state.keying.CWSendingFlag, 0);
    }
}

TEST(CwSending, KeyboardCwSendsTypedCharacters)
{
    CwFixture f;
    OutOfStateWindow& w = f.open();
    f.usePrinter();
    f.key(Qt::Key_F12);
    EXPECT_EQ(f.fx.state.keying.KeyboardCWMode, 1);
    f.type(QStringLiteral("te"));
    EXPECT_EQ(f.keyDowns(), downsOf(QStringLiteral("TE")));
    EXPECT_TRUE(w.txtCall->text().isEmpty()) << "typed characters go on the air, not into the call box";
    EXPECT_EQ(w.lblDialog->text(), QStringLiteral("Keyboard CW Mode is on.  Press F12 to exit."));
    f.key(Qt::Key_F12);
    f.type(QStringLiteral("k"));
    EXPECT_EQ(w.txtCall->text(), QStringLiteral("K"));
}

// The main window's own keys, pressed on the focused entry box as an
// operator would: Ctrl shortcuts, stopping a repeat, function keys by mode,
// the CW speed, keyboard CW and the layers of Esc.

#include "main_window_fixture.h"

#include <QDir>
#include <QKeyEvent>
#include <QKeySequence>
#include <QPalette>
#include <functional>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

QColor backOf(const QLabel* l) { return l->palette().color(QPalette::Window); }

struct KeysFixture : MainWindowFixture {
    MainWindowBase& w;
    explicit KeysFixture(const char* mode = "CW", int keyingOption = 1) : w(prepare(mode, keyingOption)) {}

    MainWindowBase& prepare(const char* mode, int keyingOption)
    {
        fx.state.prefs.CurrentMode = QString::fromLatin1(mode);
        fx.state.keying.CWKeyingOption = keyingOption;
        return open();
    }
    void key(Qt::Key k, Qt::KeyboardModifiers m = Qt::NoModifier)
    {
        QWidget* target = QApplication::focusWidget();
        QTest::keyClick(target ? target : w.txtCall, k, m);
    }
    keying::KeyingState& keying() { return fx.state.keying; }
};

}  // namespace

TEST(MainWindowKeys, EachCtrlShortcutOpensItsWindowAndTypesNothing)
{
    KeysFixture f;
    const std::pair<Qt::Key, const char*> table[] = {
        {Qt::Key_C, "open:CwKeyer"},     {Qt::Key_S, "open:CwKeyer"},    {Qt::Key_P, "open:VoiceKeyer"},
        {Qt::Key_D, "open:DxSpotting"},  {Qt::Key_R, "open:RigInterface"}, {Qt::Key_B, "open:SpectrumMap"},
        {Qt::Key_F, "open:Privileges"},  {Qt::Key_G, "open:RigTune"}};
    f.type(QStringLiteral("K6AB"));
    for (const auto& [key, opened] : table) {
        f.services.calls.clear();
        QDir::setCurrent(QDir::tempPath());
        f.key(key, Qt::ControlModifier);
        EXPECT_EQ(f.services.calls, QStringList{QString::fromLatin1(opened)}) << opened;
        // The windows opened read their files by bare name.
        EXPECT_EQ(QDir::currentPath(), QDir(f.fx.state.folders.ProgramFolder).canonicalPath());
    }
    EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6AB"));

    // Ctrl with Shift is no shortcut: nothing opens.
    f.services.calls.clear();
    f.key(Qt::Key_C, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_TRUE(f.services.calls.isEmpty());
}

TEST(MainWindowKeys, KeysPressedWithCtrlLeaveARepeatingMessageRunning)
{
    // The operator opens the keyer windows with Ctrl while a CQ repeats.
    // Each stroke as a desktop delivers it: the Ctrl key goes down first.
    const std::pair<Qt::Key, Qt::KeyboardModifiers> strokes[] = {
        {Qt::Key_C, Qt::ControlModifier},
        {Qt::Key_P, Qt::ControlModifier},
        {Qt::Key_Q, Qt::ControlModifier},
        {Qt::Key_X, Qt::ControlModifier | Qt::AltModifier},
        {Qt::Key_Up, Qt::ControlModifier},
    };
    KeysFixture f;
    auto& k = f.keying();
    auto arm = [&] {
        k.CWRepeatArmed = 1;
        k.VoiceRepeatArmed = 1;
        k.CWSendBuffer = QStringLiteral("CQ ZQP");
        f.services.calls.clear();
    };
    auto stillRunning = [&](const char* what) {
        EXPECT_EQ(k.CWRepeatArmed, 1) << what;
        EXPECT_EQ(k.VoiceRepeatArmed, 1) << what;
        EXPECT_EQ(k.CWSendBuffer, QStringLiteral("CQ ZQP")) << what;
        EXPECT_FALSE(f.services.calls.contains(QStringLiteral("stopCwRepeat"))) << what;
        EXPECT_FALSE(f.services.calls.contains(QStringLiteral("stopVoiceRepeat"))) << what;
    };
    for (const auto& [key, modifiers] : strokes) {
        arm();
        f.key(key, modifiers);
        stillRunning(QKeySequence(QKeyCombination(modifiers, key)).toString().toUtf8().constData());
    }
    // Ctrl, then Shift, then C: Ctrl+Shift+C is no shortcut, and no key of
    // it went down without Ctrl.
    {
        arm();
        QWidget* box = QApplication::focusWidget();
        const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
        auto send = [box](QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers m, const QString& text = {}) {
            QKeyEvent e(type, key, m, text);
            QApplication::sendEvent(box, &e);
        };
        send(QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
        send(QEvent::KeyPress, Qt::Key_Shift, Qt::ControlModifier);
        send(QEvent::KeyPress, Qt::Key_C, ctrlShift, QString(QChar(3)));
        send(QEvent::KeyRelease, Qt::Key_C, ctrlShift, QString(QChar(3)));
        send(QEvent::KeyRelease, Qt::Key_Shift, ctrlShift);
        send(QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
        stillRunning("Ctrl+Shift+C");
    }
    // A lone Ctrl tap, reported with or without its own modifier bit.
    for (Qt::KeyboardModifiers m : {Qt::KeyboardModifiers(Qt::NoModifier), Qt::KeyboardModifiers(Qt::ControlModifier)}) {
        arm();
        QWidget* box = QApplication::focusWidget();
        QTest::keyPress(box, Qt::Key_Control, m);
        QTest::keyRelease(box, Qt::Key_Control, m);
        stillRunning("Ctrl");
    }

    // The next key without Ctrl ends both.
    arm();
    f.key(Qt::Key_Shift, Qt::ShiftModifier);
    EXPECT_EQ(k.CWRepeatArmed, 0);
    EXPECT_EQ(k.VoiceRepeatArmed, 0);
    EXPECT_TRUE(k.CWSendBuffer.isEmpty());
}

TEST(MainWindowKeys, CtrlTappedAloneDoesNotSwallowTheNextLetter)
{
    KeysFixture f;
    f.key(Qt::Key_Control, Qt::ControlModifier);
    f.type(QStringLiteral("K6"));
    EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6"));
    // Ctrl+M, Enter's control character, neither logs nor types.
    f.type(QStringLiteral("ABC"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("5"));
    f.press(Qt::Key_Space);
    f.type(QStringLiteral("alam"));
    f.key(Qt::Key_M, Qt::ControlModifier);
    EXPECT_EQ(f.contacts(), 0);
}

TEST(MainWindowKeys, CtrlWithOtherModifiersStillKeepsItsControlCharacterOutOfTheEntry)
{
    // Ctrl+Shift+M and Ctrl+Alt+M type Enter's control character, whichever
    // modifier went down first.
    auto send = [](QWidget* to, QEvent::Type type, Qt::Key key, Qt::KeyboardModifiers m,
                   const QString& text = {}) {
        QKeyEvent e(type, key, m, text);
        QApplication::sendEvent(to, &e);
    };
    const auto ctrlShift = Qt::ControlModifier | Qt::ShiftModifier;
    const std::vector<std::function<void(QWidget*)>> strokes = {
        // Ctrl first, then Shift, as a desktop reports it.
        [&](QWidget* box) {
            send(box, QEvent::KeyPress, Qt::Key_Control, Qt::NoModifier);
            send(box, QEvent::KeyPress, Qt::Key_Shift, Qt::ControlModifier);
            send(box, QEvent::KeyPress, Qt::Key_M, ctrlShift, QStringLiteral("\r"));
            send(box, QEvent::KeyRelease, Qt::Key_M, ctrlShift, QStringLiteral("\r"));
            send(box, QEvent::KeyRelease, Qt::Key_Shift, ctrlShift);
            send(box, QEvent::KeyRelease, Qt::Key_Control, Qt::ControlModifier);
        },
        // Shift first, then Ctrl.
        [](QWidget* box) { QTest::keyClick(box, Qt::Key_M, Qt::ControlModifier | Qt::ShiftModifier); },
        [](QWidget* box) { QTest::keyClick(box, Qt::Key_M, Qt::ControlModifier | Qt::AltModifier); },
    };
    for (std::size_t i = 0; i < strokes.size(); ++i) {
        KeysFixture f;
        f.type(QStringLiteral("K6ABC"));
        f.press(Qt::Key_Space);
        f.type(QStringLiteral("5"));
        f.press(Qt::Key_Space);
        f.type(QStringLiteral("alam"));
        const QString county = f.w.txtSec->text();
        strokes[i](QApplication::focusWidget());
        EXPECT_EQ(f.contacts(), 0) << i;
        EXPECT_EQ(f.w.txtSec->text(), county) << i;
        // The next plain letter is typed as usual.
        f.w.txtCall->setFocus();
        f.w.txtCall->end(false);
        f.type(QStringLiteral("d"));
        EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6ABCD")) << i;
    }
}

TEST(MainWindowKeys, EveryKeyStopsARepeatingMessage)
{
    KeysFixture f;
    auto& k = f.keying();
    const std::pair<Qt::Key, Qt::KeyboardModifiers> keys[] = {
        {Qt::Key_Apostrophe, Qt::NoModifier}, {Qt::Key_Semicolon, Qt::NoModifier},
        {Qt::Key_BracketLeft, Qt::NoModifier}, {Qt::Key_Equal, Qt::NoModifier},
        {Qt::Key_Exclam, Qt::ShiftModifier},  {Qt::Key_CapsLock, Qt::NoModifier},
        {Qt::Key_Eacute, Qt::NoModifier}};
    for (const auto& [key, modifiers] : keys) {
        k.CWRepeatArmed = 1;
        k.VoiceRepeatArmed = 1;
        f.key(key, modifiers);
        EXPECT_EQ(k.CWRepeatArmed, 0) << key;
        EXPECT_EQ(k.VoiceRepeatArmed, 0) << key;
    }
}

TEST(MainWindowKeys, AnyKeyStopsBothRepeatsAndEmptiesTheWinKey)
{
    KeysFixture f;
    auto& k = f.keying();
    k.CWRepeatArmed = 1;
    k.VoiceRepeatArmed = 1;
    k.WinKeyOpen = 23;
    k.CWSendBuffer = QStringLiteral("CQ");
    f.type(QStringLiteral("K"));
    EXPECT_EQ(f.services.calls,
              (QStringList{QStringLiteral("wk_clearbuf"), QStringLiteral("stopCwRepeat"),
                           QStringLiteral("stopVoiceRepeat")}));
    EXPECT_EQ(k.CWRepeatArmed, 0);
    EXPECT_EQ(k.VoiceRepeatArmed, 0);
    EXPECT_TRUE(k.CWSendBuffer.isEmpty());
    EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K"));  // the key itself goes on

    // F1 while repeating: the repeat stops, then F1 is sent again.
    f.services.calls.clear();
    k.CWRepeatArmed = 1;
    k.WinKeyOpen = 0;
    f.key(Qt::Key_F1);
    EXPECT_EQ(f.services.calls, (QStringList{QStringLiteral("stopCwRepeat"), QStringLiteral("FKeyCW:112")}));
}

TEST(MainWindowKeys, FunctionKeysInPhoneModePlayVoiceMessages)
{
    KeysFixture f("ph");
    const Qt::Key keys[] = {Qt::Key_F1, Qt::Key_F5, Qt::Key_F9, Qt::Key_F10, Qt::Key_F11, Qt::Key_F12,
                            Qt::Key_Up, Qt::Key_Down};
    for (Qt::Key key : keys)
        f.key(key);
    EXPECT_EQ(f.services.calls, (QStringList{QStringLiteral("FKeyPhone:112"), QStringLiteral("FKeyPhone:116"),
                                             QStringLiteral("FKeyPhone:120")}));
    EXPECT_EQ(f.keying().KeyboardCWMode, 0);
}

TEST(MainWindowKeys, FunctionKeysAndArrowsInCwModeDriveTheCwWindow)
{
    KeysFixture f;
    f.type(QStringLiteral("K6AB"));
    f.w.txtCall->setCursorPosition(2);
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F9, Qt::Key_F10, Qt::Key_F11})
        f.key(key);
    EXPECT_EQ(f.services.calls, (QStringList{QStringLiteral("FKeyCW:112"), QStringLiteral("FKeyCW:120"),
                                             QStringLiteral("FKeyCW:124"), QStringLiteral("FKeyCW:122")}));
    f.services.calls.clear();
    f.services.speedText = QStringLiteral("14");
    f.key(Qt::Key_Up);
    EXPECT_EQ(f.w.lblDialog->text(), QStringLiteral("14 WPM"));
    f.services.speedText = QStringLiteral("13");
    f.key(Qt::Key_Down);
    EXPECT_EQ(f.w.lblDialog->text(), QStringLiteral("13 WPM"));
    EXPECT_EQ(f.services.calls, (QStringList{QStringLiteral("speedUp"), QStringLiteral("speedDown")}));
    // The arrows were the speed's, not the call box's caret's.
    EXPECT_EQ(f.w.txtCall->cursorPosition(), 2);
}

TEST(MainWindowKeys, WithoutAKeyingInterfaceCwKeysArePlainKeys)
{
    KeysFixture f("CW", 0);
    f.type(QStringLiteral("K6AB"));
    for (Qt::Key key : {Qt::Key_F1, Qt::Key_F10, Qt::Key_F12, Qt::Key_Left})
        f.key(key);
    EXPECT_TRUE(f.services.calls.isEmpty());
    EXPECT_EQ(f.keying().KeyboardCWMode, 0);
    EXPECT_EQ(f.w.txtCall->cursorPosition(), 3);  // Left moved the caret
}

TEST(MainWindowKeys, F12TogglesKeyboardCwWithEachWindowsWording)
{
    for (int outOfState : {1, 0}) {
        MainWindowFixture f;
        f.fx.state.prefs.OutOfStateFlag = static_cast<quint8>(outOfState);
        f.fx.state.keying.CWKeyingOption = 2;
        auto& w = f.open();
        f.press(Qt::Key_F12);
        EXPECT_EQ(f.fx.state.keying.KeyboardCWMode, 1);
        EXPECT_EQ(w.lblDialog->text(), outOfState ? QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit.")
                                                  : QStringLiteral("Press F12 to exit keyboard CW mode."));
        EXPECT_EQ(backOf(w.lblDialog), QColor(255, 255, 192));
        f.press(Qt::Key_F12);
        EXPECT_EQ(f.fx.state.keying.KeyboardCWMode, 0);
        EXPECT_TRUE(w.lblDialog->text().isEmpty());
        EXPECT_EQ(backOf(w.lblDialog), QColor(0, 192, 192));
        EXPECT_TRUE(f.services.calls.isEmpty());
    }
}

TEST(MainWindowKeys, KeyboardCwSendsEverythingTypedAndNothingReachesTheBoxes)
{
    KeysFixture f;
    auto& k = f.keying();
    f.key(Qt::Key_F12);
    f.type(QStringLiteral("k6a'\""));
    f.enter();
    EXPECT_EQ(k.CWSendBuffer, QStringLiteral("K6A\r"));
    EXPECT_EQ(f.services.calls.count(QStringLiteral("loop")), 4);  // quotes add nothing
    EXPECT_TRUE(f.w.txtCall->text().isEmpty());
    EXPECT_EQ(f.contacts(), 0);

    // A running port sender picks new characters up by itself; Backspace
    // withdraws the last one not keyed yet.
    f.services.calls.clear();
    k.CWSendingFlag = 1;
    k.CWSendBuffer = QStringLiteral("TU");
    f.type(QStringLiteral("5"));
    EXPECT_EQ(k.CWSendBuffer, QStringLiteral("TU5"));
    f.press(Qt::Key_Backspace);
    f.press(Qt::Key_Backspace);
    EXPECT_EQ(k.CWSendBuffer, QStringLiteral("T"));
    EXPECT_TRUE(f.services.calls.isEmpty());

    // With the sender idle Backspace is sent like any character.
    k.CWSendingFlag = 0;
    f.press(Qt::Key_Backspace);
    EXPECT_EQ(k.CWSendBuffer, QStringLiteral("T\b"));

    // A busy WinKey takes the Backspace itself.
    k.WinKeyOpen = 30;
    f.services.winKeyStatus = 1;
    f.services.calls.clear();
    f.press(Qt::Key_Backspace);
    EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("wk_backspace")});
    EXPECT_EQ(k.CWSendBuffer, QStringLiteral("T\b"));

    // Outside CW mode typing goes to the boxes again.
    f.fx.state.prefs.CurrentMode = QStringLiteral("PH");
    k.WinKeyOpen = 0;
    f.type(QStringLiteral("w1"));
    EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("W1"));
}

TEST(MainWindowKeys, EscStopsWhatRunsBeforeItClearsTheEntry)
{
    // Phone: the first Esc stops the playback, the second clears.
    {
        KeysFixture f("PH");
        f.type(QStringLiteral("K6AB"));
        f.services.playing = true;
        f.press(Qt::Key_Escape);
        EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("stopVoice")});
        EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6AB"));
        f.press(Qt::Key_Escape);
        EXPECT_TRUE(f.w.txtCall->text().isEmpty());
    }
    // A busy WinKey is emptied and the entry kept; an idle one clears.
    {
        KeysFixture f("CW", 5);
        auto& k = f.keying();
        k.WinKeyOpen = 30;
        k.CWSendBuffer = QStringLiteral("CQ");
        f.services.winKeyStatus = 2;
        f.type(QStringLiteral("K6AB"));
        f.press(Qt::Key_Escape);
        EXPECT_EQ(f.services.calls, QStringList{QStringLiteral("wk_clearbuf")});
        EXPECT_TRUE(k.CWSendBuffer.isEmpty());
        EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6AB"));
        f.press(Qt::Key_Escape);
        EXPECT_TRUE(f.w.txtCall->text().isEmpty());
    }
    // While the port sender keys, Esc ends the message and keeps the entry.
    {
        KeysFixture f;
        auto& k = f.keying();
        f.type(QStringLiteral("K6AB"));
        k.CWSendingFlag = 1;
        k.CWSendBuffer = QStringLiteral("K6AB 5NN");
        f.press(Qt::Key_Escape);
        EXPECT_TRUE(k.CWSendBuffer.isEmpty());
        EXPECT_EQ(f.w.txtCall->text(), QStringLiteral("K6AB"));
    }
}

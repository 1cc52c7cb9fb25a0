#pragma once
// Keyboard and focus events in the form the windows' handlers are written in.
//
// A window sees every key before its controls (key preview). For each key
// press the router calls, in order:
//   1. the window's KeyDown(keyCode, shift), then the control's KeyDown;
//      a handler that sets keyCode to 0 suppresses the control's own handling
//      of a non-character key (arrows, Delete, function keys);
//   2. for a key that types a character: the window's KeyPress(keyAscii),
//      then the control's KeyPress; a handler that sets keyAscii to 0 cancels
//      the character, one that changes it makes the control receive the new
//      character instead.
// Got-focus and lost-focus handlers are called for the controls registered.
// Text changes, typed or set by code, are QLineEdit::textChanged.

#include <QObject>
#include <QPointer>
#include <functional>
#include <map>

class QKeyEvent;
class QWidget;

namespace platform {

/// Key codes as the handlers compare them (the Windows virtual-key numbers).
namespace vbkey {
constexpr int Back = 8, Tab = 9, Return = 13, Shift = 16, Control = 17, Escape = 27, Space = 32,
              PageUp = 33, PageDown = 34, End = 35, Home = 36, Left = 37, Up = 38, Right = 39,
              Down = 40, Insert = 45, Delete = 46, F1 = 112, F2 = 113, F3 = 114, F4 = 115,
              F5 = 116, F6 = 117, F7 = 118, F8 = 119, F9 = 120, F10 = 121, F11 = 122, F12 = 123;
}
/// Shift-state bits passed with KeyDown.
constexpr int ShiftMask = 1, CtrlMask = 2, AltMask = 4;

/// The key code of a Qt key event; a key without a code of its own gets 255,
/// so that every key goes down through the handlers (0 only for an event
/// that is no key).
[[nodiscard]] int vbKeyCode(const QKeyEvent& event);
/// The character code a key types (Enter 13, Backspace 8, Esc 27, Ctrl+letter
/// its control code), 0 for a key that types nothing.
[[nodiscard]] int vbKeyAscii(const QKeyEvent& event);
[[nodiscard]] int vbShiftState(const QKeyEvent& event);

class KeyRouter : public QObject {
public:
    using KeyDownHandler = std::function<void(int& keyCode, int shift)>;
    using KeyPressHandler = std::function<void(int& keyAscii)>;
    using FocusHandler = std::function<void()>;

    /// Routes the keys of window and of its controls. Call attach() for
    /// controls created after construction, or attachAll() once they exist.
    explicit KeyRouter(QWidget* window);

    void setFormKeyDown(KeyDownHandler h) { m_formKeyDown = std::move(h); }
    void setFormKeyPress(KeyPressHandler h) { m_formKeyPress = std::move(h); }

    void onKeyDown(QWidget* control, KeyDownHandler h);
    void onKeyPress(QWidget* control, KeyPressHandler h);
    void onGotFocus(QWidget* control, FocusHandler h);
    void onLostFocus(QWidget* control, FocusHandler h);

    /// Puts the router in front of every focusable child of the window.
    void attachAll();
    void attach(QWidget* control);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct ControlHandlers {
        KeyDownHandler keyDown;
        KeyPressHandler keyPress;
        FocusHandler gotFocus;
        FocusHandler lostFocus;
    };
    bool routeKey(QWidget* target, QKeyEvent* event);

    QPointer<QWidget> m_window;
    KeyDownHandler m_formKeyDown;
    KeyPressHandler m_formKeyPress;
    std::map<QObject*, ControlHandlers> m_controls;
    bool m_delivering = false;
    bool m_deliveringFocus = false;
    /// The control that had the focus last (null once the window is hidden).
    QPointer<QObject> m_focusedControl;

};

}  // namespace platform

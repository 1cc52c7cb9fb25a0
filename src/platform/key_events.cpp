#include "platform/key_events.h"

#include <QApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace platform {

int vbKeyCode(const QKeyEvent& e)
{
    const int k = e.key();
    if (k >= Qt::Key_A && k <= Qt::Key_Z)
        return k;  // 65..90
    if (k >= Qt::Key_0 && k <= Qt::Key_9)
        return (e.modifiers() & Qt::KeypadModifier) ? 96 + (k - Qt::Key_0) : k;
    if (k >= Qt::Key_F1 && k <= Qt::Key_F24)
        return vbkey::F1 + (k - Qt::Key_F1);
    switch (k) {
    case Qt::Key_Backspace: return vbkey::Back;
    case Qt::Key_Tab:
    case Qt::Key_Backtab: return vbkey::Tab;
    case Qt::Key_Return:
    case Qt::Key_Enter: return vbkey::Return;
    case Qt::Key_Shift: return vbkey::Shift;
    case Qt::Key_Control: return vbkey::Control;
    case Qt::Key_Escape: return vbkey::Escape;
    case Qt::Key_Space: return vbkey::Space;
    case Qt::Key_PageUp: return vbkey::PageUp;
    case Qt::Key_PageDown: return vbkey::PageDown;
    case Qt::Key_End: return vbkey::End;
    case Qt::Key_Home: return vbkey::Home;
    case Qt::Key_Left: return vbkey::Left;
    case Qt::Key_Up: return vbkey::Up;
    case Qt::Key_Right: return vbkey::Right;
    case Qt::Key_Down: return vbkey::Down;
    case Qt::Key_Insert: return vbkey::Insert;
    case Qt::Key_Delete: return vbkey::Delete;
    case Qt::Key_Alt:
    case Qt::Key_AltGr: return 18;
    case Qt::Key_Pause: return 19;
    case Qt::Key_CapsLock: return 20;
    case Qt::Key_Print: return 44;
    case Qt::Key_Meta: return 91;
    case Qt::Key_Menu: return 93;
    case Qt::Key_NumLock: return 144;
    case Qt::Key_ScrollLock: return 145;
    default: break;
    }
    // The keypad's operators have keys of their own.
    if (e.modifiers() & Qt::KeypadModifier) {
        switch (k) {
        case Qt::Key_Asterisk: return 106;
        case Qt::Key_Plus: return 107;
        case Qt::Key_Minus: return 109;
        case Qt::Key_Period:
        case Qt::Key_Comma: return 110;
        case Qt::Key_Slash: return 111;
        default: break;
        }
    }
    // Punctuation, shifted or not, by the key it is on (US layout).
    switch (k) {
    case Qt::Key_Semicolon:
    case Qt::Key_Colon: return 186;
    case Qt::Key_Equal:
    case Qt::Key_Plus: return 187;
    case Qt::Key_Comma:
    case Qt::Key_Less: return 188;
    case Qt::Key_Minus:
    case Qt::Key_Underscore: return 189;
    case Qt::Key_Period:
    case Qt::Key_Greater: return 190;
    case Qt::Key_Slash:
    case Qt::Key_Question: return 191;
    case Qt::Key_QuoteLeft:
    case Qt::Key_AsciiTilde: return 192;
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft: return 219;
    case Qt::Key_Backslash:
    case Qt::Key_Bar: return 220;
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight: return 221;
    case Qt::Key_Apostrophe:
    case Qt::Key_QuoteDbl: return 222;
    case Qt::Key_ParenRight: return '0';
    case Qt::Key_Exclam: return '1';
    case Qt::Key_At: return '2';
    case Qt::Key_NumberSign: return '3';
    case Qt::Key_Dollar: return '4';
    case Qt::Key_Percent: return '5';
    case Qt::Key_AsciiCircum: return '6';
    case Qt::Key_Ampersand: return '7';
    case Qt::Key_Asterisk: return '8';
    case Qt::Key_ParenLeft: return '9';
    default: break;
    }
    // Every other key still goes down: the window's handler must see each
    // key, if only to stop a repeating message.
    return k == 0 || k == Qt::Key_unknown ? 0 : 255;
}

int vbKeyAscii(const QKeyEvent& e)
{
    switch (e.key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter: return 13;
    case Qt::Key_Backspace: return 8;
    case Qt::Key_Escape: return 27;
    default: break;
    }
    // An Alt combination types nothing; it belongs to the menus.
    if ((e.modifiers() & Qt::AltModifier) && !(e.modifiers() & Qt::ControlModifier))
        return 0;
    const QString t = e.text();
    if (t.isEmpty())
        return 0;
    const char16_t c = t.at(0).unicode();
    if ((e.modifiers() & Qt::ControlModifier) && e.key() >= Qt::Key_A && e.key() <= Qt::Key_Z)
        return e.key() - Qt::Key_A + 1;
    if (c == 127)
        return 0;  // Delete types nothing
    return c;
}

int vbShiftState(const QKeyEvent& e)
{
    int s = 0;
    if (e.modifiers() & Qt::ShiftModifier)
        s |= ShiftMask;
    if (e.modifiers() & Qt::ControlModifier)
        s |= CtrlMask;
    if (e.modifiers() & Qt::AltModifier)
        s |= AltMask;
    return s;
}

KeyRouter::KeyRouter(QWidget* window) : QObject(window), m_window(window)
{
    window->installEventFilter(this);
}

void KeyRouter::attach(QWidget* control)
{
    if (!control || control == m_window)
        return;
    control->removeEventFilter(this);
    control->installEventFilter(this);
    m_controls.try_emplace(control);
}

void KeyRouter::attachAll()
{
    for (QWidget* w : m_window->findChildren<QWidget*>())
        if (w->focusPolicy() != Qt::NoFocus)
            attach(w);
}

void KeyRouter::onKeyDown(QWidget* control, KeyDownHandler h)
{
    attach(control);
    m_controls[control].keyDown = std::move(h);
}

void KeyRouter::onKeyPress(QWidget* control, KeyPressHandler h)
{
    attach(control);
    m_controls[control].keyPress = std::move(h);
}

void KeyRouter::onGotFocus(QWidget* control, FocusHandler h)
{
    attach(control);
    m_controls[control].gotFocus = std::move(h);
}

void KeyRouter::onLostFocus(QWidget* control, FocusHandler h)
{
    attach(control);
    m_controls[control].lostFocus = std::move(h);
}

bool KeyRouter::eventFilter(QObject* watched, QEvent* event)
{
    switch (event->type()) {
    case QEvent::KeyPress: {
        if (m_delivering)
            return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w)
            return false;
        // A key that a control ignores travels on to the window: it was
        // routed at the control already.
        if (w == m_window) {
            QWidget* focus = m_window->focusWidget();
            if (focus && focus != w && m_controls.count(focus))
                return false;
        }
        return routeKey(w, static_cast<QKeyEvent*>(event));
    }
    case QEvent::Hide:
        // A window shown again gives its focused control the focus anew.
        if (watched == m_window)
            m_focusedControl = nullptr;
        return false;
    case QEvent::FocusIn:
    case QEvent::FocusOut: {
        auto it = m_controls.find(watched);
        if (it == m_controls.end() || m_deliveringFocus)
            return false;
        // The window losing the focus to another window or a menu, and
        // getting it back on the control that had it, is no move between
        // its controls. The first control to get the focus as the window
        // opens does get it.
        const auto reason = static_cast<QFocusEvent*>(event)->reason();
        const bool inWindowMove = reason != Qt::ActiveWindowFocusReason && reason != Qt::PopupFocusReason;
        if (event->type() == QEvent::FocusIn) {
            const bool newControl = m_focusedControl != watched;
            m_focusedControl = watched;
            if (!inWindowMove && !newControl)
                return false;
        } else if (!inWindowMove) {
            return false;
        }
        const FocusHandler h =
            event->type() == QEvent::FocusIn ? it->second.gotFocus : it->second.lostFocus;
        if (!h)
            return false;
        // The control takes or gives up the focus first (its caret, its
        // selection), then the handler runs: a handler that moves the focus
        // on leaves no caret behind.
        QPointer<QObject> alive(watched);
        m_deliveringFocus = true;
        QApplication::sendEvent(watched, event);
        m_deliveringFocus = false;
        if (alive)
            h();
        return true;
    }
    default:
        return false;
    }
}

namespace {

bool isTextEditingKey(const QWidget* target, const QKeyEvent& event)
{
    if (!qobject_cast<const QLineEdit*>(target))
        return false;
    for (const auto key : {QKeySequence::Paste, QKeySequence::Cut, QKeySequence::Copy, QKeySequence::SelectAll,
                           QKeySequence::Undo, QKeySequence::Redo})
        if (event.matches(key))
            return true;
    return false;
}

}  // namespace

bool KeyRouter::routeKey(QWidget* target, QKeyEvent* event)
{
    // Tab moves the focus and is never seen by the key handlers.
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab)
        return false;
    QPointer<QWidget> guard(target);
    const auto it = m_controls.find(target);
    ControlHandlers handlers = it != m_controls.end() ? it->second : ControlHandlers{};

    int keyCode = vbKeyCode(*event);
    const int shift = vbShiftState(*event);
    bool suppressed = false;
    if (keyCode != 0) {
        if (m_formKeyDown)
            m_formKeyDown(keyCode, shift);
        if (keyCode != 0 && handlers.keyDown && guard)
            handlers.keyDown(keyCode, shift);
        suppressed = keyCode == 0;
    }
    if (!guard)
        return true;

    const int original = vbKeyAscii(*event);
    if (original == 0) {
        // A key that types nothing here must not type in the control either.
        const bool altText = (event->modifiers() & Qt::AltModifier) && !event->text().isEmpty();
        return suppressed || altText;
    }
    int keyAscii = original;
    if (m_formKeyPress)
        m_formKeyPress(keyAscii);
    if (!guard || keyAscii == 0)
        return true;
    // A text box's own editing keys (paste, cut, copy, select all, undo,
    // redo) type no character: the box's typing rules are not theirs, and
    // the box edits as in any other program (what a paste brings goes
    // through its paste filter). The window's handler has had its say.
    if (keyAscii == original && isTextEditingKey(target, *event))
        return false;
    if (handlers.keyPress)
        handlers.keyPress(keyAscii);
    if (!guard || keyAscii == 0)
        return true;
    if (keyAscii == original)
        return suppressed && original < 32;
    // Deliver the changed character in place of the typed one.
    const QString text(QChar(static_cast<char16_t>(keyAscii)));
    QKeyEvent replacement(QEvent::KeyPress, Qt::Key_unknown, Qt::NoModifier, text);
    m_delivering = true;
    QApplication::sendEvent(target, &replacement);
    m_delivering = false;
    return true;
}

}  // namespace platform

// The window's own keys, seen before the focused entry box: the Ctrl
// shortcuts to the station windows, the keyers' function keys, Up and Down
// for the CW speed, F12 for keyboard CW, and Esc, which stops whatever runs
// before it clears the entry. What these handlers leave goes on to the
// entry box's own keystroke rules.

#include "app/main_window_base.h"
#include "app/main_window_colors.h"

#include "app/app_state.h"
#include "keying/repeat_keys.h"
#include "log/key_filters.h"
#include "platform/key_events.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>

namespace {

using namespace platform::vbkey;

constexpr int WinKeyOption = 5;

bool modeIs(const QString& mode, const char* name)
{
    return mode.compare(QLatin1String(name), Qt::CaseInsensitive) == 0;
}

}  // namespace

void MainWindowBase::onKeyDown(int& KeyCode, int Shift)
{
    if ((Shift & platform::CtrlMask) != 0) {
        // The control character of a Ctrl combination never reaches a field:
        // Ctrl+M would otherwise be an Enter that logs the contact. That
        // holds with Shift or Alt pressed too, in whichever order the
        // modifiers went down.
        m_suppressNextKeyPress = true;
    } else {
        // A Ctrl tapped on its own types nothing; the character of the next
        // key without Ctrl is the operator's and must not be lost.
        m_suppressNextKeyPress = false;
    }
    if (Shift == platform::CtrlMask) {
        // Windows opened here read their files by bare name.
        QDir::setCurrent(m_state.folders.ProgramFolder);
        if (openShortcutWindow(KeyCode) || editFocusedBox(KeyCode)) {
            KeyCode = 0;
            return;
        }
    }

    if (keying::keyStopsRepeats(KeyCode, Shift))
        stopRepeats();

    const QString& mode = m_state.prefs.CurrentMode;
    if (modeIs(mode, "PH")) {
        if (KeyCode == F10)
            KeyCode = 0;
        else if (KeyCode >= F1 && KeyCode <= F9)
            m_services.FKeyPhone(KeyCode);
    } else if (modeIs(mode, "CW") && m_state.keying.CWKeyingOption != 0) {
        cwKeyDown(KeyCode);
    }
}

bool MainWindowBase::openShortcutWindow(int KeyCode)
{
    using app::ShortcutWindow;
    ShortcutWindow which;
    switch (KeyCode) {
    case 'C':
    case 'S': which = ShortcutWindow::CwKeyer; break;
    case 'P': which = ShortcutWindow::VoiceKeyer; break;
    case 'D': which = ShortcutWindow::DxSpotting; break;
    case 'R': which = ShortcutWindow::RigInterface; break;
    case 'B': which = ShortcutWindow::SpectrumMap; break;
    case 'F': which = ShortcutWindow::Privileges; break;
    case 'G': which = ShortcutWindow::RigTune; break;
    default: return false;
    }
    m_services.open(*this, which);
    return true;
}

bool MainWindowBase::editFocusedBox(int KeyCode)
{
    // The entry boxes' editing keys, as in any other program. The control
    // character never reaches the box (the window drops it); the edit is
    // made here, and a paste goes through the box's paste filter, so it
    // gives what typing the same characters gives.
    auto* box = qobject_cast<QLineEdit*>(focusWidget());
    if (!box)
        return false;
    switch (KeyCode) {
    case 'V': box->paste(); return true;
    case 'X': box->cut(); return true;
    case 'A': box->selectAll(); return true;
    case 'Z': box->undo(); return true;
    default: return false;
    }
}

void MainWindowBase::stopRepeats()
{
    keying::KeyingState& k = m_state.keying;
    if (k.CWRepeatArmed != 0) {
        if (k.WinKeyOpen != 0)
            m_services.wk_clearbuf();
        k.CWRepeatArmed = 0;
        k.CWSendBuffer.clear();
        m_services.stopCwRepeatTimer();
    }
    if (k.VoiceRepeatArmed != 0) {
        k.VoiceRepeatArmed = 0;
        m_services.stopVoiceRepeatTimer();
    }
}

void MainWindowBase::cwKeyDown(int& KeyCode)
{
    if (KeyCode == Down || KeyCode == Up) {
        if (KeyCode == Down)
            m_services.cwSpeedDown();
        else
            m_services.cwSpeedUp();
        lblDialog->setText(m_services.cwSpeedText() + QStringLiteral(" WPM"));
        KeyCode = 0;
        return;
    }
    if (KeyCode < F1 || KeyCode > F12)
        return;
    // The CW window knows its F10 message under the next free code; the
    // key goes on to the focused box under that code too.
    if (KeyCode == F10)
        KeyCode = 124;
    if (KeyCode == F12)
        toggleKeyboardCW();
    else
        m_services.FKeyCW(KeyCode);
}

QString MainWindowBase::keyboardCWText() const
{
    return m_kind == contactlog::WindowKind::InState
               ? QStringLiteral("Press F12 to exit keyboard CW mode.")
               : QStringLiteral("Keyboard CW mode is ON!  Press F12 to exit.");
}

void MainWindowBase::toggleKeyboardCW()
{
    int& mode = m_state.keying.KeyboardCWMode;
    if (mode == 0) {
        mode = 1;
        lblDialog->setText(keyboardCWText());
        app::setBackColor(lblDialog, app::DialogPaleYellow);
    } else {
        mode = 0;
        lblDialog->clear();
        app::setBackColor(lblDialog, app::DialogTeal);
    }
}

void MainWindowBase::onKeyPress(int& KeyAscii)
{
    keying::KeyingState& k = m_state.keying;
    if (m_suppressNextKeyPress) {
        m_suppressNextKeyPress = false;
        KeyAscii = 0;
        return;
    }
    const QString& mode = m_state.prefs.CurrentMode;

    // Esc first stops what can be heard: the voice message, then a busy
    // WinKey, then the port sender; only an idle station clears the entry.
    if (modeIs(mode, "PH") && KeyAscii == Escape && m_services.voicePlaying()) {
        m_services.stopVoicePlayback();
        KeyAscii = 0;
        return;
    }
    contactlog::DropQuoteKey(KeyAscii);
    if (KeyAscii == Escape && k.CWKeyingOption == WinKeyOption && k.WinKeyOpen != 0) {
        k.WinKeyStatus = m_services.wk_getstatus();
        if (k.WinKeyStatus > 0) {
            m_services.wk_clearbuf();
            k.CWSendBuffer.clear();
            KeyAscii = 0;
            return;
        }
    }
    if (KeyAscii == Escape) {
        if (k.CWSendingFlag == 0)
            ClearEntryFields();
        else
            // The running sender stops after the character it is keying.
            k.CWSendBuffer.clear();
        KeyAscii = 0;
    }

    if (k.WinKeyOpen != 0)
        k.WinKeyStatus = m_services.wk_getstatus();
    if (KeyAscii == Back && k.KeyboardCWMode == 1) {
        if (k.WinKeyStatus > 0) {
            m_services.wk_backspace();
            KeyAscii = 0;
            return;
        }
        // Withdraws the last character not keyed yet.
        if (k.CWSendingFlag == 1 && !k.CWSendBuffer.isEmpty()) {
            k.CWSendBuffer.chop(1);
            KeyAscii = 0;
            return;
        }
    }

    // Keyboard CW: everything typed is sent, Enter and Backspace included,
    // and nothing reaches the entry boxes. A running port sender picks the
    // new character up by itself.
    if (modeIs(mode, "CW") && k.KeyboardCWMode == 1 && KeyAscii != 0) {
        contactlog::UpperCaseKey(KeyAscii);
        k.CWSendBuffer.append(QChar(static_cast<char16_t>(KeyAscii)));
        KeyAscii = 0;
        if (k.CWSendingFlag == 0)
            m_services.LoopThroughCWBuffer();
    }
}

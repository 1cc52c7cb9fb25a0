// The entry boxes: their keystroke rules, focus behaviour and the mirrors
// the keyers read. A fast operator types a whole contact without the mouse
// or Tab: a digit after a complete call moves on into the serial box, a
// letter in the serial box moves on into the next box of the exchange,
// Space moves on, Enter logs, and the county box completes county names.

#include "app/main_window_base.h"

#include "app/app_state.h"
#include "platform/key_events.h"
#include "app/contact_list_model.h"
#include "log/key_filters.h"
#include "log/recent_contacts.h"

#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace {

// The caret as the rules see it: the start of the selection when there is
// one, so a completed name with its rest selected has the caret after the
// typed part.
int caretOf(const QLineEdit* box)
{
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

}  // namespace

void MainWindowBase::sizeDupeLine(double designPoints)
{
    // The line's font follows the screen width and the window's size.
    const double points = m_state.services.screen.metrics().widthTwips * designPoints / 9600 *
                          m_state.prefs.FormSizePercent / 100;
    if (points > 0) {
        QFont f = lblDupe->font();
        f.setPointSizeF(points);
        lblDupe->setFont(f);
    }
}

void MainWindowBase::onCallKeyPress(int& KeyAscii)
{
    auto& log = m_state.log;
    const bool in = m_kind == contactlog::WindowKind::InState;
    const bool enter = KeyAscii == 13;

    sizeDupeLine(9);

    const QString text = txtCall->text();
    if (text.size() < 2 && (in || !enter)) {
        txtCntry->clear();
        continentLabel->clear();
        bearingLabel->clear();
        distanceLabel->clear();
    }
    if (KeyAscii == '"')
        KeyAscii = 0;

    // A digit typed after a complete call (a digit after the first
    // character, letters at the end) starts the serial number.
    int digits = 0;
    int lastDigit = -1;
    bool below0 = false;
    for (int i = 1; i < text.size(); ++i) {
        const char16_t c = text.at(i).unicode();
        if (c >= u'0' && c <= u'9') {
            ++digits;
            lastDigit = i;
        }
        if (c < u'0')
            below0 = true;
    }
    if (KeyAscii >= '0' && KeyAscii <= '9' && text.size() > 2 && digits > 0 &&
        lastDigit != text.size() - 1 && !below0 && !txtCall->hasSelectedText() &&
        txtCall->cursorPosition() == text.size()) {
        log.CarriedKeyText = QString::number(KeyAscii);
        log.KeyCarryState = 4;
        txtRSTR->setFocus();
        onSerialKeyPress(KeyAscii);
        KeyAscii = 0;
    }

    if (text.size() < 3 && log.TimedOnFlag == 1 && (in || !enter))
        lblDialog->setText(QStringLiteral(" "));
    if (log.TimedOnFlag == 0) {
        lblDialog->setText(QStringLiteral("Click Log \"Time On\"!"));
        m_state.services.beeper.beep();
    }
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    }
    if (KeyAscii == 32) {
        KeyAscii = 0;
        txtRSTR->setFocus();
    }
    contactlog::UpperCaseKey(KeyAscii);
    // A key consumed above (Enter, Space, a digit handed on) leaves the
    // lines alone: the logging routine's message, or the warning given on
    // leaving the call box, must stay readable.
    if (KeyAscii != 0)
        PartialCallCheck(KeyAscii);
    if (in && log.DupeFlag == 1)
        contactlog::HoldAfterDupe(log, m_state.services.clock);
}

void MainWindowBase::onSerialKeyPress(int& KeyAscii)
{
    auto& log = m_state.log;
    if (KeyAscii > '9') {
        // A letter ends the serial and starts the next box of the exchange.
        log.CarriedKeyText = QString::number(KeyAscii);
        log.KeyCarryState = 3;
        handKeyOnFromSerial(KeyAscii);
        KeyAscii = 32;
    }
    if (log.KeyCarryState == 4)
        KeyAscii = log.CarriedKeyText.toInt();
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else {
        if (KeyAscii == 32)
            afterSerialBox()->setFocus();
        contactlog::DigitsOnlyKey(KeyAscii);
    }
    if (log.KeyCarryState == 4) {
        txtRSTR->setText(QString(QChar(static_cast<char16_t>(KeyAscii))));
        txtRSTR->setCursorPosition(1);
        log.KeyCarryState = 0;
    }
}

void MainWindowBase::onCountyKeyPress(int& KeyAscii)
{
    auto& log = m_state.log;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (log.KeyCarryState == 3)
        KeyAscii = log.CarriedKeyText.toInt();

    if (KeyAscii == 13) {
        KeyAscii = 0;
        Mains();
    } else if (KeyAscii == 32) {
        const QString text = txtSec->text();
        const int caret = caretOf(txtSec);
        const int after = static_cast<int>(text.size()) - caret;
        const bool nameGoesOn = after >= 2 && text.at(caret) == u' ';
        const bool sanPrefix = caret == 3 && text.startsWith(QStringLiteral("San"), Qt::CaseInsensitive);
        if (after == 0 || (after >= 2 && !nameGoesOn && !sanPrefix)) {
            // Space accepts the county (completed or not) and moves on.
            KeyAscii = 0;
            tabFrom(txtSec);
        }
    }

    if (KeyAscii > 0) {
        const int caretBefore = caretOf(txtSec);
        if (KeyAscii != 32 && caretBefore == 0)
            txtSec->clear();
        const QString text = txtSec->text();
        const int caret = caretOf(txtSec);
        if (text.isEmpty() || (caret > 0 && caret < text.size() && text.at(caret - 1) == u' '))
            contactlog::UpperCaseKey(KeyAscii);
        const QString prefix = text.left(caret) + QChar(static_cast<char16_t>(KeyAscii));
        const auto& rows = m_state.counties.rows;
        for (auto it = rows.rbegin(); it != rows.rend(); ++it) {
            if (!it->CountyName.startsWith(prefix, Qt::CaseInsensitive))
                continue;
            // The name shows as the table spells it, the typed part too.
            const QString& completed = it->CountyName;
            txtSec->setText(completed);
            txtSec->setSelection(static_cast<int>(prefix.size()),
                                 static_cast<int>(completed.size() - prefix.size()));
            KeyAscii = 0;
            log.KeyCarryState = 0;
            break;
        }
    }

    if (log.KeyCarryState == 3) {
        // The key handed on from the serial box completed nothing: it starts
        // the county as typed.
        const int key = KeyAscii != 0 ? KeyAscii : log.CarriedKeyText.toInt();
        txtSec->setText(QString(QChar(static_cast<char16_t>(key))));
        txtSec->setCursorPosition(1);
        log.KeyCarryState = 0;
    }
}

void MainWindowBase::tabFrom(QWidget* box)
{
    for (QWidget* w = box->nextInFocusChain(); w && w != box; w = w->nextInFocusChain()) {
        if (qobject_cast<QLineEdit*>(w) && w->isVisible() && w->isEnabled() &&
            (w->focusPolicy() & Qt::TabFocus) && w->window() == this) {
            w->setFocus(Qt::OtherFocusReason);
            return;
        }
    }
}

void MainWindowBase::onCallGotFocus()
{
    showEditButtons(false);
    if (txtCall->text().isEmpty()) {
        txtRSTS->clear();
        txtRSTR->clear();
    }
    if (m_state.prefs.VoiceNavLevel >= 1)
        m_services.BlindKeyPhone(QStringLiteral("Call"));
    // The list was given over to one call's earlier contacts: back to the
    // recent contacts.
    const int rows = m_listModel->rowCount();
    if (txtCall->text().isEmpty() && rows < m_state.log.contacts.ContactCount() && rows < 18)
        ListRecentContacts();
}

void MainWindowBase::onCallLostFocus()
{
    if (!txtCall->text().isEmpty())
        DupCheck2();
    afterCallLeft();
}

void MainWindowBase::onSerialGotFocus()
{
    if (m_state.prefs.VoiceNavLevel >= 2)
        m_services.BlindKeyPhone(QStringLiteral("SerNum"));
}

void MainWindowBase::onCallChanged()
{
    m_state.log.CurrentCallText = txtCall->text();
    afterCallChange();
}

void MainWindowBase::onRstSentChanged() { m_state.log.RstSentText = txtRSTS->text(); }

void MainWindowBase::onNextSerialChanged()
{
    QString text = nextSerialLabel->text().trimmed();
    bool numeric = false;
    const double value = text.toDouble(&numeric);
    if (numeric && contactlog::isNumericText(text))
        text = QString::number(static_cast<qint64>(std::floor(value)));
    m_state.log.NextSerialText = text;
}

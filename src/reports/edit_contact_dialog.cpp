#include "reports/edit_contact_dialog.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/paste_filter.h"
#include "platform/scaling.h"
#include "reports/county_check.h"
#include "reports/log_date_time.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <algorithm>

using platform::ControlKind;
using platform::makeControl;

namespace {

double rowTop(int row) { return 480 + row * 390; }

constexpr double BoxLeft = 2040;

// Ctrl+V, Ctrl+X, Ctrl+C, Ctrl+A, Ctrl+Z: the line edit's own editing keys.
// They type nothing, so the boxes' keystroke rules (which would drop them in
// the date and time boxes, or let a county box empty itself) leave them to
// the box; what a paste brings in goes through the box's paste filter. Backspace
// and Enter keep their rules.
bool isEditingShortcut(int KeyAscii) { return KeyAscii >= 1 && KeyAscii <= 26 && KeyAscii != 8 && KeyAscii != 13; }

}  // namespace

EditContactDialog::EditContactDialog(app::AppState& state, MainWindowBase& owner, int recordIndex, const char* name,
                       double designWidth, double designHeight)
    : QDialog(&owner), m_state(state), m_owner(owner), m_index(recordIndex), m_designWidth(designWidth)
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QStringLiteral("Edit Contact Entry"));
    platform::setWindowTwipSize(this, designWidth, designHeight);
    m_countyNames.reserve(state.counties.rows.size());
    for (const auto& row : state.counties.rows)
        m_countyNames.push_back(row.CountyName);

    lblEditTitle = makeControl<QLabel>(this, "lblEditTitle", ControlKind::Label, QRectF(1020, 120, 1500, 255),
                                       {QStringLiteral("MS Sans Serif"), 8.25, true});
    lblEditTitle->setText(QStringLiteral("Edit Contact:"));

    dupeLabel = makeControl<QLabel>(this, "dupeLabel", ControlKind::Label, QRectF(60, rowTop(0), 900, 285));
    reports::styleInvalidMark(dupeLabel);
    dupeLabel->setText(QStringLiteral("  Dupe!"));

    deleteDupeButton = makeControl<QPushButton>(this, "deleteDupeButton", ControlKind::CommandButton,
                                             QRectF(60, rowTop(1), 900, 330));
    deleteDupeButton->setText(QStringLiteral("Delete Dupe"));
    deleteDupeButton->hide();
    doneButton = makeControl<QPushButton>(this, "doneButton", ControlKind::CommandButton, QRectF(0, 0, 1000, 375));
    doneButton->setText(QStringLiteral("Done"));
    for (QPushButton* b : {deleteDupeButton, doneButton}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(doneButton, &QPushButton::clicked, this, [this] { onDoneClicked(); });
    connect(deleteDupeButton, &QPushButton::clicked, this, [this] { onDeleteDupeClicked(); });
    m_keys = new platform::KeyRouter(this);
}

QLineEdit* EditContactDialog::addRow(int row, const char* labelName, const char* caption, const char* boxName)
{
    auto* label = makeControl<QLabel>(this, labelName, ControlKind::Label, QRectF(1020, rowTop(row) + 30, 1000, 255));
    label->setText(QString::fromLatin1(caption));
    return makeControl<QLineEdit>(this, boxName, ControlKind::TextBox,
                                  QRectF(BoxLeft, rowTop(row), m_designWidth - BoxLeft - 120, 285));
}

QLabel* EditContactDialog::addMark(int row, const char* name)
{
    auto* mark = makeControl<QLabel>(this, name, ControlKind::Label, QRectF(60, rowTop(row), 900, 285));
    reports::styleInvalidMark(mark);
    return mark;
}

void EditContactDialog::finishControls(const std::vector<QLineEdit*>& tabOrder, int rowCount)
{
    platform::setTwipGeometry(doneButton, QRectF(BoxLeft, rowTop(rowCount) + 60, 1000, 375));
    QWidget* previous = nullptr;
    for (QLineEdit* box : tabOrder) {
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, doneButton);
    setTabOrder(doneButton, deleteDupeButton);

    for (QLineEdit* box : {callBox, serialReceivedBox, serialSentBox, modeBox, bandBox}) {
        m_keys->onKeyPress(box, [this](int& k) { plainKeyPress(k); });
        filterPastes(box, reports::EditBoxKeys::Plain);
    }
    filterPastes(dateBox, reports::EditBoxKeys::Date);
    filterPastes(timeBox, reports::EditBoxKeys::Time);
    m_keys->onKeyPress(dateBox, [this](int& k) { digitsKeyPress(k, '/'); });
    m_keys->onKeyPress(timeBox, [this](int& k) { digitsKeyPress(k, ':'); });
    m_keys->onLostFocus(modeBox, [this] {
        if (leaveChecksRun() && !checkMode())
            refocus(modeBox);
    });
    m_keys->onLostFocus(bandBox, [this] {
        if (leaveChecksRun() && !checkBand())
            refocus(bandBox);
    });
    m_keys->onLostFocus(dateBox, [this] {
        if (leaveChecksRun() && !checkDate())
            refocus(dateBox);
    });
    m_keys->onLostFocus(timeBox, [this] {
        if (leaveChecksRun() && !checkTime())
            refocus(timeBox);
    });
    callBox->setFocus();
}

void EditContactDialog::onLoad()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    const contactlog::ContactRecord& r = m_state.log.contacts.record(m_index);
    callBox->setText(r.LogCall);
    serialReceivedBox->setText(r.LogSerialRcvd);
    serialSentBox->setText(r.LogSerialSent);
    dateBox->setText(r.LogDate);
    timeBox->setText(r.LogTime);
    modeBox->setText(r.LogMode);
    bandBox->setText(r.LogBand);
    loadBoxes(r);
    callBox->setFocus();
}

void EditContactDialog::filterPastes(QLineEdit* box, reports::EditBoxKeys keys)
{
    platform::filterPastes(box, reports::editBoxKeyRule(keys));
}

void EditContactDialog::capitalizeKey(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void EditContactDialog::beep() { m_state.services.beeper.beep(); }

bool EditContactDialog::leaveChecksRun() const { return isVisible() && !m_leaving && !m_refocusing; }

void EditContactDialog::refocus(QLineEdit* box)
{
    // The focus is still on its way to the next box; it comes back once it
    // has arrived. While it comes back, the box it leaves is not checked, so
    // two boxes that both fail never throw the focus back and forth.
    if (m_refocusing)
        return;
    m_refocusing = true;
    QTimer::singleShot(0, this, [this, box] {
        if (isVisible() && !m_leaving)
            box->setFocus();
        m_refocusing = false;
    });
}

bool EditContactDialog::checkCounty(QLineEdit* box, QLabel* mark, bool emptyPasses)
{
    const bool valid = (emptyPasses && box->text().isEmpty()) || m_state.counties.contains(box->text());
    m_state.log.CountyInvalidFlag = valid ? 0 : 1;
    return showCheck(valid, mark);
}

bool EditContactDialog::showCheck(bool valid, QLabel* mark)
{
    mark->setVisible(!valid);
    if (!valid)
        beep();
    return valid;
}

bool EditContactDialog::checkBand()
{
    return showCheck(reports::isEditBand(bandBox->text()), bandInvalidMark);
}

bool EditContactDialog::checkMode()
{
    return showCheck(reports::isEditMode(modeBox->text()), modeInvalidMark);
}

bool EditContactDialog::checkDate()
{
    if (reports::readLogDate(dateBox->text()))
        return true;
    beep();
    m_state.services.prompt.message(QStringLiteral("You have entered an invalid date format!"),
                                    QStringLiteral("Invalid Date Format!"));
    return false;
}

bool EditContactDialog::checkTime()
{
    if (reports::readLogTime(timeBox->text()))
        return true;
    beep();
    m_state.services.prompt.message(QStringLiteral("You have entered an invalid time format!"),
                                    QStringLiteral("Invalid Time Format!"));
    return false;
}

QString EditContactDialog::dateToStore() const
{
    const auto d = reports::readLogDate(dateBox->text());
    return d ? reports::logDateText(*d) : dateBox->text();
}

QString EditContactDialog::timeToStore() const { return reports::logTimeText(timeBox->text().trimmed()); }

void EditContactDialog::onDoneClicked()
{
    beforeChecks();
    if (!checkTime()) {
        focusFromDone(timeBox);
        return;
    }
    if (!checkDate()) {
        focusFromDone(dateBox);
        return;
    }
    // Every check that leaving a box runs runs again here: Enter in a box,
    // or a click on Done, must not store what leaving the box refuses.
    std::vector<QLineEdit*> failed = [this] {
        QLineEdit* own = checkOwnBoxes();
        std::vector<QLineEdit*> f;
        if (own)
            f.push_back(own);
        return f;
    }();
    if (!checkMode())
        failed.push_back(modeBox);
    if (!checkBand())
        failed.push_back(bandBox);
    if (!failed.empty()) {
        // The failed box nearest the top gets the focus.
        auto top = std::min_element(failed.begin(), failed.end(), [](QLineEdit* a, QLineEdit* b) {
            return a->geometry().top() < b->geometry().top();
        });
        focusFromDone(*top);
        return;
    }

    const std::vector<int> dupes = reports::editDuplicates(m_state.log.contacts, m_index, dupeKey());
    for (std::size_t i = 0; i < dupes.size(); ++i) {
        dupeLabel->show();
        deleteDupeButton->show();
        beep();
    }
    if (dupes.empty())
        dupeLabel->hide();
    const bool passes = afterScanChecks();
    if (!dupes.empty() || !passes)
        return;

    if (m_index >= 1 && m_index <= m_state.log.contacts.ContactCount())
        writeBack(m_state.log.contacts.recordForEdit(m_index));
    m_leaving = true;
    hide();
}

void EditContactDialog::focusFromDone(QLineEdit* box)
{
    // Done has checked already: the box the focus leaves is not checked again.
    const bool was = m_refocusing;
    m_refocusing = true;
    box->setFocus();
    m_refocusing = was;
}

void EditContactDialog::onDeleteDupeClicked()
{
    m_leaving = true;
    hide();
    m_owner.onDeleteClicked();
}

void EditContactDialog::plainKeyPress(int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        onDoneClicked();
    }
    capitalizeKey(KeyAscii);
}

void EditContactDialog::digitsKeyPress(int& KeyAscii, char separator)
{
    // The date and time boxes take digits and their one separator.
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        onDoneClicked();
    }
    if (KeyAscii != 8 && KeyAscii != separator && !(KeyAscii >= '0' && KeyAscii <= '9'))
        KeyAscii = 0;
}

namespace {

void applyCompletion(QLineEdit* box, const reports::NameCompletion& edit)
{
    if (!edit.replaceText)
        return;
    box->setText(edit.text);
    if (edit.selectionLength > 0)
        box->setSelection(edit.selectionStart, edit.selectionLength);
    else
        box->setCursorPosition(edit.selectionStart);
}

int caretOf(const QLineEdit* box)
{
    return box->hasSelectedText() ? box->selectionStart() : box->cursorPosition();
}

}  // namespace

void EditContactDialog::countyKeyPress(QLineEdit* box, int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        onDoneClicked();
        return;
    }
    applyCompletion(box, reports::completeCounty(m_countyNames, box->text(), caretOf(box), KeyAscii));
}

void EditContactDialog::countryKeyPress(QLineEdit* box, int& KeyAscii, const std::vector<QString>& names)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        onDoneClicked();
        return;
    }
    applyCompletion(box, reports::completeCountry(names, box->text(), caretOf(box), KeyAscii));
}

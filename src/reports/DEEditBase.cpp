#include "reports/DEEditBase.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "platform/controls.h"
#include "platform/key_events.h"
#include "platform/scaling.h"
#include "reports/county_check.h"
#include "reports/log_date_time.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>
#include <QValidator>
#include <algorithm>

using platform::ControlKind;
using platform::makeControl;

namespace {

double rowTop(int row) { return 480 + row * 390; }

constexpr double BoxLeft = 2040;

// Ctrl+V, Ctrl+X, Ctrl+C, Ctrl+A, Ctrl+Z: the line edit's own editing keys.
// They type nothing, so the boxes' keystroke rules (which would drop them in
// the date and time boxes, or let a county box empty itself) leave them to
// the box; what a paste brings in goes through PastedTextFilter. Backspace
// and Enter keep their rules.
bool isEditingShortcut(int KeyAscii) { return KeyAscii >= 1 && KeyAscii <= 26 && KeyAscii != 8 && KeyAscii != 13; }

// Keeps of what reaches a box other than by a typed key (Ctrl+V,
// Shift+Insert, the context menu, the middle button, a drop) only what the
// box's keystroke rules let through: a line break pasted into a call would
// otherwise split its contact over two lines of the log. A line edit hands
// every change of its text to its validator, which may rewrite it. The part
// that differs from the text accepted before is what arrived, and only that
// part is filtered: what the box held stays as it was.
class PastedTextFilter final : public QValidator {
public:
    PastedTextFilter(QLineEdit* box, reports::EditBoxKeys keys)
        : QValidator(box), m_keys(keys), m_accepted(box->text())
    {
    }

    State validate(QString& input, int& pos) const override
    {
        if (input == m_accepted)
            return Acceptable;
        const qsizetype before = m_accepted.size();
        const qsizetype after = input.size();
        qsizetype head = 0;
        while (head < before && head < after && m_accepted.at(head) == input.at(head))
            ++head;
        qsizetype tail = 0;
        while (tail < before - head && tail < after - head &&
               m_accepted.at(before - 1 - tail) == input.at(after - 1 - tail))
            ++tail;
        const QString arrived = input.mid(head, after - head - tail);
        const QString kept = reports::pastedText(m_keys, arrived, head == 0);
        if (kept != arrived) {
            input = input.left(head) + kept + input.right(tail);
            // The caret keeps its place after, or within, what arrived.
            if (pos >= head + arrived.size())
                pos -= static_cast<int>(arrived.size() - kept.size());
            else if (pos > head)
                pos = static_cast<int>(head + std::min<qsizetype>(pos - head, kept.size()));
        }
        m_accepted = input;
        return Acceptable;
    }

private:
    reports::EditBoxKeys m_keys;
    mutable QString m_accepted;
};

}  // namespace

DEEditBase::DEEditBase(app::AppState& state, MainWindowBase& owner, int recordIndex, const char* name,
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

    Label1 = makeControl<QLabel>(this, "Label1", ControlKind::Label, QRectF(60, rowTop(0), 900, 285));
    reports::styleInvalidMark(Label1);
    Label1->setText(QStringLiteral("  Dupe!"));

    cmdDeleteDupe = makeControl<QPushButton>(this, "cmdDeleteDupe", ControlKind::CommandButton,
                                             QRectF(60, rowTop(1), 900, 330));
    cmdDeleteDupe->setText(QStringLiteral("Delete Dupe"));
    cmdDeleteDupe->hide();
    cmdDone = makeControl<QPushButton>(this, "cmdDone", ControlKind::CommandButton, QRectF(0, 0, 1000, 375));
    cmdDone->setText(QStringLiteral("Done"));
    for (QPushButton* b : {cmdDeleteDupe, cmdDone}) {
        b->setAutoDefault(false);
        b->setDefault(false);
    }
    connect(cmdDone, &QPushButton::clicked, this, [this] { cmdDone_Click(); });
    connect(cmdDeleteDupe, &QPushButton::clicked, this, [this] { cmdDeleteDupe_Click(); });
    m_keys = new platform::KeyRouter(this);
}

QLineEdit* DEEditBase::addRow(int row, const char* labelName, const char* caption, const char* boxName)
{
    auto* label = makeControl<QLabel>(this, labelName, ControlKind::Label, QRectF(1020, rowTop(row) + 30, 1000, 255));
    label->setText(QString::fromLatin1(caption));
    return makeControl<QLineEdit>(this, boxName, ControlKind::TextBox,
                                  QRectF(BoxLeft, rowTop(row), m_designWidth - BoxLeft - 120, 285));
}

QLabel* DEEditBase::addMark(int row, const char* name)
{
    auto* mark = makeControl<QLabel>(this, name, ControlKind::Label, QRectF(60, rowTop(row), 900, 285));
    reports::styleInvalidMark(mark);
    return mark;
}

void DEEditBase::finishControls(const std::vector<QLineEdit*>& tabOrder, int rowCount)
{
    platform::setTwipGeometry(cmdDone, QRectF(BoxLeft, rowTop(rowCount) + 60, 1000, 375));
    QWidget* previous = nullptr;
    for (QLineEdit* box : tabOrder) {
        if (previous)
            setTabOrder(previous, box);
        previous = box;
    }
    setTabOrder(previous, cmdDone);
    setTabOrder(cmdDone, cmdDeleteDupe);

    for (QLineEdit* box : {txtEditCall, txtEditCk, txtEditNum, txtEditBnd, Text1}) {
        m_keys->onKeyPress(box, [this](int& k) { plainKeyPress(k); });
        filterPastes(box, reports::EditBoxKeys::Plain);
    }
    filterPastes(txtEditDate, reports::EditBoxKeys::Date);
    filterPastes(txtEditTime, reports::EditBoxKeys::Time);
    m_keys->onKeyPress(txtEditDate, [this](int& k) { dateKeyPress(k); });
    m_keys->onKeyPress(txtEditTime, [this](int& k) { timeKeyPress(k); });
    m_keys->onLostFocus(txtEditBnd, [this] {
        if (leaveChecksRun() && !checkMode())
            refocus(txtEditBnd);
    });
    m_keys->onLostFocus(Text1, [this] {
        if (leaveChecksRun() && !checkBand())
            refocus(Text1);
    });
    m_keys->onLostFocus(txtEditDate, [this] {
        if (leaveChecksRun() && !checkDate())
            refocus(txtEditDate);
    });
    m_keys->onLostFocus(txtEditTime, [this] {
        if (leaveChecksRun() && !checkTime())
            refocus(txtEditTime);
    });
    txtEditCall->setFocus();
}

void DEEditBase::Form_Load()
{
    platform::ResizeForm(this, m_state.services.screen, m_state.services.prompt);
    const contactlog::ContactRecord& r = m_state.log.contacts.record(m_index);
    txtEditCall->setText(r.LogCall);
    txtEditCk->setText(r.LogSerialRcvd);
    txtEditNum->setText(r.LogSerialSent);
    txtEditDate->setText(r.LogDate);
    txtEditTime->setText(r.LogTime);
    txtEditBnd->setText(r.LogMode);
    Text1->setText(r.LogBand);
    loadBoxes(r);
    for (const auto& [box, keys] : m_pasteRules)
        box->setValidator(new PastedTextFilter(box, keys));
    txtEditCall->setFocus();
}

void DEEditBase::filterPastes(QLineEdit* box, reports::EditBoxKeys keys) { m_pasteRules.emplace_back(box, keys); }

void DEEditBase::Cap2(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

void DEEditBase::beep() { m_state.services.beeper.beep(); }

bool DEEditBase::leaveChecksRun() const { return isVisible() && !m_leaving && !m_refocusing; }

void DEEditBase::refocus(QLineEdit* box)
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

bool DEEditBase::checkCounty(QLineEdit* box, QLabel* mark, bool emptyPasses)
{
    const bool valid = (emptyPasses && box->text().isEmpty()) || m_state.counties.contains(box->text());
    m_state.log.CountyInvalidFlag = valid ? 0 : 1;
    return showCheck(valid, mark);
}

bool DEEditBase::showCheck(bool valid, QLabel* mark)
{
    mark->setVisible(!valid);
    if (!valid)
        beep();
    return valid;
}

bool DEEditBase::checkBand()
{
    return showCheck(reports::isEditBand(Text1->text()), Label6);
}

bool DEEditBase::checkMode()
{
    return showCheck(reports::isEditMode(txtEditBnd->text()), Label3);
}

bool DEEditBase::checkDate()
{
    if (reports::readLogDate(txtEditDate->text()))
        return true;
    beep();
    m_state.services.prompt.message(QStringLiteral("You have entered an invalid date format!"),
                                    QStringLiteral("Invalid Date Format!"));
    return false;
}

bool DEEditBase::checkTime()
{
    if (reports::readLogTime(txtEditTime->text()))
        return true;
    beep();
    m_state.services.prompt.message(QStringLiteral("You have entered an invalid time format!"),
                                    QStringLiteral("Invalid Time Format!"));
    return false;
}

QString DEEditBase::dateToStore() const
{
    const auto d = reports::readLogDate(txtEditDate->text());
    return d ? reports::logDateText(*d) : txtEditDate->text();
}

QString DEEditBase::timeToStore() const { return reports::logTimeText(txtEditTime->text().trimmed()); }

void DEEditBase::cmdDone_Click()
{
    beforeChecks();
    if (!checkTime()) {
        focusFromDone(txtEditTime);
        return;
    }
    if (!checkDate()) {
        focusFromDone(txtEditDate);
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
        failed.push_back(txtEditBnd);
    if (!checkBand())
        failed.push_back(Text1);
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
        Label1->show();
        cmdDeleteDupe->show();
        beep();
    }
    if (dupes.empty())
        Label1->hide();
    const bool passes = afterScanChecks();
    if (!dupes.empty() || !passes)
        return;

    if (m_index >= 1 && m_index <= m_state.log.contacts.ContactCount())
        writeBack(m_state.log.contacts.recordForEdit(m_index));
    m_leaving = true;
    hide();
}

void DEEditBase::focusFromDone(QLineEdit* box)
{
    // Done has checked already: the box the focus leaves is not checked again.
    const bool was = m_refocusing;
    m_refocusing = true;
    box->setFocus();
    m_refocusing = was;
}

void DEEditBase::cmdDeleteDupe_Click()
{
    m_leaving = true;
    hide();
    m_owner.onDeleteClicked();
}

void DEEditBase::plainKeyPress(int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    Cap2(KeyAscii);
}

void DEEditBase::dateKeyPress(int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    if (KeyAscii != 8 && KeyAscii != '/' && !(KeyAscii >= '0' && KeyAscii <= '9'))
        KeyAscii = 0;
}

void DEEditBase::timeKeyPress(int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
    }
    if (KeyAscii != 8 && KeyAscii != ':' && !(KeyAscii >= '0' && KeyAscii <= '9'))
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

void DEEditBase::countyKeyPress(QLineEdit* box, int& KeyAscii)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
        return;
    }
    applyCompletion(box, reports::completeCounty(m_countyNames, box->text(), caretOf(box), KeyAscii));
}

void DEEditBase::countryKeyPress(QLineEdit* box, int& KeyAscii, const std::vector<QString>& names)
{
    if (isEditingShortcut(KeyAscii))
        return;
    if (KeyAscii == '"')
        KeyAscii = 0;
    if (KeyAscii == 13) {
        KeyAscii = 0;
        cmdDone_Click();
        return;
    }
    applyCompletion(box, reports::completeCountry(names, box->text(), caretOf(box), KeyAscii));
}

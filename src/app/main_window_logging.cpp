// Showing a logging attempt, clearing the entry, and the window side of the
// duplicate checks.

#include "app/main_window_base.h"
#include "app/main_window_colors.h"

#include "app/app_state.h"
#include "app/contact_list_model.h"
#include "platform/events.h"
#include "platform/fresh_text.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>

namespace {

QColor buttonFace() { return QApplication::palette().color(QPalette::Button); }

}  // namespace

contactlog::LoggingContext MainWindowBase::loggingContext() const
{
    contactlog::LoggingContext c;
    c.window = m_kind;
    c.CurrentBand = m_state.prefs.CurrentBand;
    c.CurrentMode = m_state.prefs.CurrentMode;
    c.MyCounty = m_state.prefs.MyCounty;
    c.PartyState = m_state.prefs.PartyState;
    c.UtcOffsetHours = m_state.prefs.UtcOffsetHours;
    c.counties = &m_state.counties;
    c.stateProvAbbrevs = m_stateProvAbbrevs;
    c.logPath = logPath();
    return c;
}

contactlog::EntryValues MainWindowBase::entryValues() const
{
    contactlog::EntryValues e;
    e.call = txtCall->text();
    e.serialRcvd = txtRSTR->text();
    e.county = txtSec->text();
    e.spc = txtCntry->text();
    e.nextSerial = nextSerialLabel->text();
    e.postContestShown = !txtPostConTime->isHidden();
    e.postConDate = txtPostConDate->text();
    e.postConTime = txtPostConTime->text();
    return e;
}

contactlog::DupeKey MainWindowBase::dupeKey() const
{
    return {m_kind, m_state.prefs.CurrentBand, m_state.prefs.CurrentMode, m_state.prefs.MyCounty,
            m_state.prefs.PartyState};
}

void MainWindowBase::setDialog(const QString& text, bool red)
{
    lblDialog->setText(text);
    app::setBackColor(lblDialog, red ? app::DialogRed : app::DialogTeal);
}

void MainWindowBase::resetDupeLine()
{
    app::setBackColor(lblDupe, buttonFace());
    lblDupe->clear();
}

void MainWindowBase::focusField(contactlog::EntryField field)
{
    switch (field) {
    case contactlog::EntryField::Unchanged: return;
    case contactlog::EntryField::Call: txtCall->setFocus(); return;
    case contactlog::EntryField::Serial: txtRSTR->setFocus(); return;
    case contactlog::EntryField::Spc: txtCntry->setFocus(); return;
    case contactlog::EntryField::County: txtSec->setFocus(); return;
    }
}

void MainWindowBase::showLogAttempt(const contactlog::LogAttemptResult& r)
{
    platform::Beeper& beeper = m_state.services.beeper;
    if (r.entry.postContestShown) {
        txtPostConDate->setText(r.postConDate);
        txtPostConTime->setText(r.postConTime);
    }
    if (r.postContestFailed) {
        for (const auto& notice : r.notices)
            lblDialog->setText(notice.text);
        beeper.beep();
        return;
    }
    if (r.runTimeOn && m_state.log.TimedOnFlag == 0)
        onTimeOnClicked();

    // The boxes as the checks left them: an abbreviation expanded, a box
    // filled from an earlier contact of the call.
    auto put = [](QLineEdit* box, const QString& text, bool selected) {
        if (box->text() != text)
            box->setText(text);
        if (selected)
            box->selectAll();
    };
    put(txtSec, r.entry.county, r.countySelected);
    put(txtCntry, r.entry.spc, r.spcSelected);

    for (const auto& notice : r.notices) {
        beeper.beep();
        setDialog(notice.text, notice.red);
        focusField(notice.focus);
    }
    if (r.stored == contactlog::StoreOutcome::WriteFailed)
        // The contact is not in the log: say so at once, so that no one
        // believes it was logged.
        m_state.services.prompt.message(
            QStringLiteral("The contact was NOT logged: it could not be written to log.txt in the "
                           "working directory.\n") +
                r.writeError,
            QStringLiteral("File Error"), platform::MsgIcon::Critical);

    if (r.dupeRecord > 0) {
        resetDupeLine();
        playDupePrompt();
        emptyEntryBoxes(true);
    }

    if (r.stored == contactlog::StoreOutcome::Logged) {
        setDialog(QString());
        resetDupeLine();
        ListRecentContacts();
        showStoredContact(r);
        // The boxes are emptied before the waiting events run: keys the
        // operator typed for the next contact while this one was stored go
        // into the call box, not into boxes about to be emptied.
        if (r.clearEntry)
            emptyEntryBoxes(false);
        platform::letPendingEventsRun();
        ShowScore();
    } else if (r.clearEntry) {
        emptyEntryBoxes(false);
    }

    platform::letPendingEventsRun();
    resetDupeLine();
    ShowQSORate();
}

void MainWindowBase::emptyEntryBoxes(bool focusFirst)
{
    if (focusFirst)
        txtCall->setFocus();
    // Emptied for good: Ctrl+Z brings back nothing of the contact just
    // logged, so Enter cannot log it a second time.
    for (QLineEdit* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec})
        platform::setTextAfresh(box);
    continentLabel->clear();
    bearingLabel->clear();
    distanceLabel->clear();
    if (m_kind == contactlog::WindowKind::InState)
        lblStation[4]->setEnabled(false);
    if (!focusFirst)
        txtCall->setFocus();
}

void MainWindowBase::forgetEntryEdits()
{
    for (QLineEdit* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec})
        platform::forgetEdits(box);
}

void MainWindowBase::ClearEntryFields()
{
    for (QLineEdit* box : {txtRSTS, txtCntry, txtCall, txtRSTR, txtSec})
        platform::setTextAfresh(box);
    app::setBackColor(lblDupe, buttonFace());
    app::setBackColor(lblDialog, app::DialogTeal);
    for (QLabel* l : {lblDupe, lblDialog, continentLabel, bearingLabel, distanceLabel})
        l->clear();
    if (m_kind == contactlog::WindowKind::InState)
        lblStation[4]->setEnabled(false);
    txtCall->setFocus();
}

void MainWindowBase::playDupePrompt()
{
    m_services.BlindKeyPhone(QStringLiteral("Dupe"));
    // The wait is bounded: a prompt that cannot play, or never reports its
    // end, does not hold the window.
    if (m_state.prefs.VoiceNavLevel > 0)
        contactlog::waitWhilePlaying([this] { return m_services.navigationPromptPlaying(); },
                                     m_state.services.clock);
}

void MainWindowBase::DupCheck2()
{
    const bool listPrevious = mnuListPrevious->isChecked();
    const auto r = contactlog::DupCheck2(m_state.log, {txtCall->text(), txtSec->text(), txtCntry->text()},
                                         dupeKey(), listPrevious, m_state.services.clock);
    if (listPrevious) {
        m_listModel->clearRows();
        for (int n : r.listRows)
            m_listModel->appendRecord(n);
    }
    if (r.countyFilled) {
        txtSec->setText(r.entry.county);
        txtSec->selectAll();
    }
    if (r.spcFilled) {
        txtCntry->setText(r.entry.spc);
        txtCntry->selectAll();
    }
    if (r.blocking && r.blocking->isDupe()) {
        setDialog(r.blocking->message, true);
        resetDupeLine();
        m_state.services.beeper.beep();
        playDupePrompt();
        emptyEntryBoxes(true);
        return;
    }
    if (r.warningRecord > 0) {
        setDialog(r.warning, true);
        app::setBackColor(lblDupe, buttonFace());
        if (m_kind == contactlog::WindowKind::InState)
            lblDupe->clear();
        for (int i = 0; i < r.warningBeeps; ++i)
            m_state.services.beeper.beep();
    }
}

void MainWindowBase::PartialCallCheck(int KeyAscii)
{
    const auto r = contactlog::PartialCallCheck(m_state.log, txtCall->text(), KeyAscii, dupeKey());
    app::setBackColor(lblDialog, app::DialogTeal);
    lblDupe->setText(r.dupeList);
    app::setBackColor(lblDupe, r.dupeList.isEmpty() ? buttonFace() : app::DialogTeal);
    if (r.dialog)
        lblDialog->setText(*r.dialog);
    if (r.beep)
        m_state.services.beeper.beep();
}

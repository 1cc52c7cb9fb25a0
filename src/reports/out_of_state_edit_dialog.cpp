#include "reports/edit_contact_dialogs.h"

#include "app/app_state.h"
#include "log/contest_bands.h"
#include "app/main_window_base.h"
#include "platform/key_events.h"

#include <QLabel>
#include <QLineEdit>
#include <memory>

OutOfStateEditDialog::OutOfStateEditDialog(app::AppState& state, MainWindowBase& owner, int recordIndex)
    : EditContactDialog(state, owner, recordIndex, "OutOfStateEditDialog", 3255, 4500)
{
    callBox = addRow(0, "lblCall", "Callsign", "callBox");
    serialReceivedBox = addRow(1, "lblCk", "Ser Rec", "serialReceivedBox");
    countyBox = addRow(2, "lblPre", "County", "countyBox");
    countyInvalidMark = addMark(2, "countyInvalidMark");
    serialSentBox = addRow(3, "lblNum", "Ser Sent", "serialSentBox");
    dateBox = addRow(4, "lblDate", "Date", "dateBox");
    timeBox = addRow(5, "lblTime", "Time", "timeBox");
    modeBox = addRow(6, "lblMode", "Mode", "modeBox");
    modeInvalidMark = addMark(6, "modeInvalidMark");
    bandBox = addRow(7, "lblBand", "Band", "bandBox");
    bandInvalidMark = addMark(7, "bandInvalidMark");
    finishControls({callBox, serialReceivedBox, countyBox, serialSentBox, dateBox, timeBox, modeBox, bandBox},
                   8);

    m_keys->onKeyPress(countyBox, [this](int& k) { countyKeyPress(countyBox, k); });
    filterPastes(countyBox, reports::EditBoxKeys::County);
    m_keys->onLostFocus(countyBox, [this] {
        if (leaveChecksRun() && !checkCounty(countyBox, countyInvalidMark, false))
            refocus(countyBox);
    });
}

void OutOfStateEditDialog::loadBoxes(const contactlog::ContactRecord& r) { countyBox->setText(r.LogCountyRcvd); }

QLineEdit* OutOfStateEditDialog::checkOwnBoxes() { return checkCounty(countyBox, countyInvalidMark, false) ? nullptr : countyBox; }

reports::EditDupeKey OutOfStateEditDialog::dupeKey() const
{
    reports::EditDupeKey k;
    k.call = callBox->text();
    k.band = bandBox->text();
    k.mode = modeBox->text();
    k.countyRcvd = countyBox->text();
    return k;
}

void OutOfStateEditDialog::writeBack(contactlog::ContactRecord& r)
{
    r.LogCall = callBox->text().trimmed();
    r.LogSerialSent = serialSentBox->text().trimmed();
    // A county is stored as the table spells it, whatever the case typed.
    r.LogCountyRcvd = m_state.counties.spelling(countyBox->text().trimmed());
    r.LogSerialRcvd = serialReceivedBox->text().trimmed();
    r.LogDate = dateToStore();
    r.LogTime = timeToStore();
    r.LogMode = modeBox->text();
    // A frequency of the old band would contradict the new one.
    r.LogFrequency = contactlog::frequencyAfterBandChange(r.LogFrequency, r.LogBand, bandBox->text());
    r.LogBand = bandBox->text();
}

namespace reports {

void showEditDialog(app::AppState& state, MainWindowBase& window, int recordIndex)
{
    if (recordIndex < 1 || recordIndex > state.log.contacts.ContactCount())
        return;
    std::unique_ptr<EditContactDialog> dialog;
    if (window.kind() == contactlog::WindowKind::InState)
        dialog = std::make_unique<InStateEditDialog>(state, window, recordIndex);
    else
        dialog = std::make_unique<OutOfStateEditDialog>(state, window, recordIndex);
    dialog->onLoad();
    if (window.runModal)
        window.runModal(*dialog);
    else
        dialog->exec();
    dialog.reset();
    window.activateWindow();
}

}  // namespace reports

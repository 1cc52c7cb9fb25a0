#include "reports/edit_contact_dialogs.h"

#include "app/app_state.h"
#include "log/contest_bands.h"
#include "log/instate_score.h"
#include "platform/key_events.h"

#include <QLabel>
#include <QLineEdit>

InStateEditDialog::InStateEditDialog(app::AppState& state, MainWindowBase& owner, int recordIndex)
    : EditContactDialog(state, owner, recordIndex, "InStateEditDialog", 3450, 4950)
{
    callBox = addRow(0, "lblCall", "Callsign", "callBox");
    serialReceivedBox = addRow(1, "lblCk", "Ser Rec", "serialReceivedBox");
    countyBox = addRow(2, "lblSec", "County", "countyBox");
    countyInvalidMark = addMark(2, "countyInvalidMark");
    spcBox = addRow(3, "lblPre", "SPC", "spcBox");
    spcInvalidMark = addMark(3, "spcInvalidMark");
    serialSentBox = addRow(4, "lblNum", "Ser Snt", "serialSentBox");
    dateBox = addRow(5, "lblDate", "Date", "dateBox");
    timeBox = addRow(6, "lblTime", "Time", "timeBox");
    modeBox = addRow(7, "lblMode", "Mode", "modeBox");
    modeInvalidMark = addMark(7, "modeInvalidMark");
    bandBox = addRow(8, "lblBand", "Band", "bandBox");
    bandInvalidMark = addMark(8, "bandInvalidMark");
    countySentBox = addRow(9, "lblCountySent", "County Sent", "countySentBox");
    countySentInvalidMark = addMark(9, "countySentInvalidMark");
    finishControls({callBox, serialReceivedBox, countyBox, spcBox, serialSentBox, dateBox, timeBox,
                    modeBox, bandBox, countySentBox},
                   10);

    m_countryNames.reserve(state.countryPrefixes.rows.size());
    for (const auto& row : state.countryPrefixes.rows)
        m_countryNames.push_back(row.CountryName);

    m_keys->onKeyPress(countyBox, [this](int& k) { countyKeyPress(countyBox, k); });
    m_keys->onKeyPress(countySentBox, [this](int& k) { countyKeyPress(countySentBox, k); });
    m_keys->onKeyPress(spcBox, [this](int& k) { countryKeyPress(spcBox, k, m_countryNames); });
    filterPastes(countyBox, reports::EditBoxKeys::County);
    filterPastes(countySentBox, reports::EditBoxKeys::County);
    filterPastes(spcBox, reports::EditBoxKeys::Country);
    m_keys->onLostFocus(countyBox, [this] {
        if (leaveChecksRun() && !checkCounty(countyBox, countyInvalidMark, true))
            refocus(countyBox);
    });
    m_keys->onLostFocus(countySentBox, [this] {
        if (leaveChecksRun() && !checkCounty(countySentBox, countySentInvalidMark, false))
            refocus(countySentBox);
    });
}

void InStateEditDialog::loadBoxes(const contactlog::ContactRecord& r)
{
    countyBox->setText(r.LogCountyRcvd);
    spcBox->setText(r.LogSPC);
    countySentBox->setText(r.LogCountySent);
}

QLineEdit* InStateEditDialog::checkOwnBoxes()
{
    const bool county = checkCounty(countyBox, countyInvalidMark, true);
    const bool sent = checkCounty(countySentBox, countySentInvalidMark, false);
    // The flag tells of the county received, as leaving its box leaves it.
    m_state.log.CountyInvalidFlag = county ? 0 : 1;
    if (!county)
        return countyBox;
    return sent ? nullptr : countySentBox;
}

reports::EditDupeKey InStateEditDialog::dupeKey() const
{
    reports::EditDupeKey k;
    k.call = callBox->text();
    k.band = bandBox->text();
    k.mode = modeBox->text();
    k.countyRcvd = countyBox->text();
    k.withCountySent = true;
    k.countySent = countySentBox->text();
    return k;
}

void InStateEditDialog::beforeChecks()
{
    if (spcBox->text().size() < 4)
        spcBox->setText(spcBox->text().toUpper());
}

bool InStateEditDialog::afterScanChecks()
{
    if (reports::isEditSpc(spcBox->text(), contactlog::StateProvAbbrevs())) {
        spcInvalidMark->hide();
        return true;
    }
    spcInvalidMark->show();
    m_state.services.beeper.beep();
    return false;
}

void InStateEditDialog::writeBack(contactlog::ContactRecord& r)
{
    r.LogCall = callBox->text();
    r.LogSerialRcvd = serialReceivedBox->text();
    // A county is stored as the table spells it, whatever the case typed.
    r.LogCountyRcvd = m_state.counties.spelling(countyBox->text());
    r.LogSPC = spcBox->text();
    r.LogSerialSent = serialSentBox->text();
    r.LogDate = dateToStore();
    r.LogTime = timeToStore();
    r.LogMode = modeBox->text();
    // A frequency of the old band would contradict the new one.
    r.LogFrequency = contactlog::frequencyAfterBandChange(r.LogFrequency, r.LogBand, bandBox->text());
    r.LogBand = bandBox->text();
    r.LogCountySent = m_state.counties.spelling(countySentBox->text());
}

#include "reports/edit_contact_dialogs.h"

#include "app/app_state.h"
#include "log/instate_score.h"
#include "platform/key_events.h"

#include <QLabel>
#include <QLineEdit>

DEEditInfrm::DEEditInfrm(app::AppState& state, MainWindowBase& owner, int recordIndex)
    : DEEditBase(state, owner, recordIndex, "DEEditInfrm", 3450, 4950)
{
    txtEditCall = addRow(0, "lblCall", "Callsign", "txtEditCall");
    txtEditCk = addRow(1, "lblCk", "Ser Rec", "txtEditCk");
    txtEditSec = addRow(2, "lblSec", "County", "txtEditSec");
    Label7 = addMark(2, "Label7");
    txtEditPre = addRow(3, "lblPre", "SPC", "txtEditPre");
    Label2 = addMark(3, "Label2");
    txtEditNum = addRow(4, "lblNum", "Ser Snt", "txtEditNum");
    txtEditDate = addRow(5, "lblDate", "Date", "txtEditDate");
    txtEditTime = addRow(6, "lblTime", "Time", "txtEditTime");
    txtEditBnd = addRow(7, "lblMode", "Mode", "txtEditBnd");
    Label3 = addMark(7, "Label3");
    Text1 = addRow(8, "lblBand", "Band", "Text1");
    Label6 = addMark(8, "Label6");
    Text3 = addRow(9, "lblCountySent", "County Sent", "Text3");
    Label9 = addMark(9, "Label9");
    finishControls({txtEditCall, txtEditCk, txtEditSec, txtEditPre, txtEditNum, txtEditDate, txtEditTime,
                    txtEditBnd, Text1, Text3},
                   10);

    m_countryNames.reserve(state.countryPrefixes.rows.size());
    for (const auto& row : state.countryPrefixes.rows)
        m_countryNames.push_back(row.CountryName);

    m_keys->onKeyPress(txtEditSec, [this](int& k) { countyKeyPress(txtEditSec, k); });
    m_keys->onKeyPress(Text3, [this](int& k) { countyKeyPress(Text3, k); });
    m_keys->onKeyPress(txtEditPre, [this](int& k) { countryKeyPress(txtEditPre, k, m_countryNames); });
    filterPastes(txtEditSec, reports::EditBoxKeys::County);
    filterPastes(Text3, reports::EditBoxKeys::County);
    filterPastes(txtEditPre, reports::EditBoxKeys::Country);
    m_keys->onLostFocus(txtEditSec, [this] {
        if (leaveChecksRun() && !checkCounty(txtEditSec, Label7, true))
            refocus(txtEditSec);
    });
    m_keys->onLostFocus(Text3, [this] {
        if (leaveChecksRun() && !checkCounty(Text3, Label9, false))
            refocus(Text3);
    });
}

void DEEditInfrm::loadBoxes(const contactlog::ContactRecord& r)
{
    txtEditSec->setText(r.LogCountyRcvd);
    txtEditPre->setText(r.LogSPC);
    Text3->setText(r.LogCountySent);
}

QLineEdit* DEEditInfrm::checkOwnBoxes()
{
    const bool county = checkCounty(txtEditSec, Label7, true);
    const bool sent = checkCounty(Text3, Label9, false);
    // The flag tells of the county received, as leaving its box leaves it.
    m_state.log.CountyInvalidFlag = county ? 0 : 1;
    if (!county)
        return txtEditSec;
    return sent ? nullptr : Text3;
}

reports::EditDupeKey DEEditInfrm::dupeKey() const
{
    reports::EditDupeKey k;
    k.call = txtEditCall->text();
    k.band = Text1->text();
    k.mode = txtEditBnd->text();
    k.countyRcvd = txtEditSec->text();
    k.withCountySent = true;
    k.countySent = Text3->text();
    return k;
}

void DEEditInfrm::beforeChecks()
{
    if (txtEditPre->text().size() < 4)
        txtEditPre->setText(txtEditPre->text().toUpper());
}

bool DEEditInfrm::afterScanChecks()
{
    if (reports::isEditSpc(txtEditPre->text(), contactlog::StateProvAbbrevs())) {
        Label2->hide();
        return true;
    }
    Label2->show();
    m_state.services.beeper.beep();
    return false;
}

void DEEditInfrm::writeBack(contactlog::ContactRecord& r)
{
    r.LogCall = txtEditCall->text();
    r.LogSerialRcvd = txtEditCk->text();
    r.LogCountyRcvd = txtEditSec->text();
    r.LogSPC = txtEditPre->text();
    r.LogSerialSent = txtEditNum->text();
    r.LogDate = dateToStore();
    r.LogTime = timeToStore();
    r.LogMode = txtEditBnd->text();
    r.LogBand = Text1->text();
    r.LogCountySent = Text3->text();
}

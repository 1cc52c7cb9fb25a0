#include "reports/edit_contact_dialogs.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "platform/key_events.h"

#include <QLabel>
#include <QLineEdit>
#include <memory>

DEEditOut::DEEditOut(app::AppState& state, MainWindowBase& owner, int recordIndex)
    : DEEditBase(state, owner, recordIndex, "DEEditOut", 3255, 4500)
{
    txtEditCall = addRow(0, "lblCall", "Callsign", "txtEditCall");
    txtEditCk = addRow(1, "lblCk", "Ser Rec", "txtEditCk");
    txtEditPre = addRow(2, "lblPre", "County", "txtEditPre");
    Label2 = addMark(2, "Label2");
    txtEditNum = addRow(3, "lblNum", "Ser Sent", "txtEditNum");
    txtEditDate = addRow(4, "lblDate", "Date", "txtEditDate");
    txtEditTime = addRow(5, "lblTime", "Time", "txtEditTime");
    txtEditBnd = addRow(6, "lblMode", "Mode", "txtEditBnd");
    Label3 = addMark(6, "Label3");
    Text1 = addRow(7, "lblBand", "Band", "Text1");
    Label6 = addMark(7, "Label6");
    finishControls({txtEditCall, txtEditCk, txtEditPre, txtEditNum, txtEditDate, txtEditTime, txtEditBnd, Text1},
                   8);

    m_keys->onKeyPress(txtEditPre, [this](int& k) { countyKeyPress(txtEditPre, k); });
    filterPastes(txtEditPre, reports::EditBoxKeys::County);
    m_keys->onLostFocus(txtEditPre, [this] {
        if (leaveChecksRun() && !checkCounty(txtEditPre, Label2, false))
            refocus(txtEditPre);
    });
}

void DEEditOut::loadBoxes(const contactlog::ContactRecord& r) { txtEditPre->setText(r.LogCountyRcvd); }

QLineEdit* DEEditOut::checkOwnBoxes() { return checkCounty(txtEditPre, Label2, false) ? nullptr : txtEditPre; }

reports::EditDupeKey DEEditOut::dupeKey() const
{
    reports::EditDupeKey k;
    k.call = txtEditCall->text();
    k.band = Text1->text();
    k.mode = txtEditBnd->text();
    k.countyRcvd = txtEditPre->text();
    return k;
}

void DEEditOut::writeBack(contactlog::ContactRecord& r)
{
    r.LogCall = txtEditCall->text().trimmed();
    r.LogSerialSent = txtEditNum->text().trimmed();
    r.LogCountyRcvd = txtEditPre->text().trimmed();
    r.LogSerialRcvd = txtEditCk->text().trimmed();
    r.LogDate = dateToStore();
    r.LogTime = timeToStore();
    r.LogMode = txtEditBnd->text();
    r.LogBand = Text1->text();
}

namespace reports {

void showEditDialog(app::AppState& state, MainWindowBase& window, int recordIndex)
{
    if (recordIndex < 1 || recordIndex > state.log.contacts.ContactCount())
        return;
    std::unique_ptr<DEEditBase> dialog;
    if (window.kind() == contactlog::WindowKind::InState)
        dialog = std::make_unique<DEEditInfrm>(state, window, recordIndex);
    else
        dialog = std::make_unique<DEEditOut>(state, window, recordIndex);
    dialog->Form_Load();
    if (window.runModal)
        window.runModal(*dialog);
    else
        dialog->exec();
    dialog.reset();
    window.activateWindow();
}

}  // namespace reports

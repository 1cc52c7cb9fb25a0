#pragma once
// The two edit-contact dialogs and how a main window shows them.
//
// InStateEditDialog (in-state window) edits ten fields of a contact: call, serial
// received, county, SPC, serial sent, date, time, mode, band and the
// operator's own county. OutOfStateEditDialog (out-of-state window) edits eight: no SPC
// and no county sent.

#include "reports/edit_contact_dialog.h"

#include <functional>

class InStateEditDialog final : public EditContactDialog {
public:
    InStateEditDialog(app::AppState& state, MainWindowBase& owner, int recordIndex);

    QLineEdit* countyBox = nullptr;  ///< county received
    QLineEdit* spcBox = nullptr;
    QLineEdit* countySentBox = nullptr;
    QLabel* countyInvalidMark = nullptr;  ///< county "   Invalid!"
    QLabel* spcInvalidMark = nullptr;  ///< SPC "   Invalid!"
    QLabel* countySentInvalidMark = nullptr;  ///< county sent "   Invalid!"

private:
    void loadBoxes(const contactlog::ContactRecord& r) override;
    QLineEdit* checkOwnBoxes() override;
    reports::EditDupeKey dupeKey() const override;
    void beforeChecks() override;
    bool afterScanChecks() override;
    void writeBack(contactlog::ContactRecord& r) override;

    std::vector<QString> m_countryNames;
};

class OutOfStateEditDialog final : public EditContactDialog {
public:
    OutOfStateEditDialog(app::AppState& state, MainWindowBase& owner, int recordIndex);

    QLineEdit* countyBox = nullptr;  ///< county received
    QLabel* countyInvalidMark = nullptr;  ///< county "   Invalid!"

private:
    void loadBoxes(const contactlog::ContactRecord& r) override;
    QLineEdit* checkOwnBoxes() override;
    reports::EditDupeKey dupeKey() const override;
    void writeBack(contactlog::ContactRecord& r) override;
};

namespace reports {

/// The main window's Edit Contact: shows the window's own edit dialog
/// modally for record recordIndex (through the window's runModal when one
/// is set) and discards it once it is hidden or closed.
void showEditDialog(app::AppState& state, MainWindowBase& window, int recordIndex);

}  // namespace reports

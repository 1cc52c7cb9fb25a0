#pragma once
// The two edit-contact dialogs and how a main window shows them.
//
// DEEditInfrm (in-state window) edits ten fields of a contact: call, serial
// received, county, SPC, serial sent, date, time, mode, band and the
// operator's own county. DEEditOut (out-of-state window) edits eight: no SPC
// and no county sent.

#include "reports/DEEditBase.h"

#include <functional>

class DEEditInfrm final : public DEEditBase {
public:
    DEEditInfrm(app::AppState& state, MainWindowBase& owner, int recordIndex);

    QLineEdit* txtEditSec = nullptr;  ///< county received
    QLineEdit* txtEditPre = nullptr;  ///< SPC
    QLineEdit* Text3 = nullptr;       ///< county sent
    QLabel* Label7 = nullptr;         ///< county "   Invalid!"
    QLabel* Label2 = nullptr;         ///< SPC "   Invalid!"
    QLabel* Label9 = nullptr;         ///< county sent "   Invalid!"

private:
    void loadBoxes(const contactlog::ContactRecord& r) override;
    QLineEdit* checkOwnBoxes() override;
    reports::EditDupeKey dupeKey() const override;
    void beforeChecks() override;
    bool afterScanChecks() override;
    void writeBack(contactlog::ContactRecord& r) override;

    std::vector<QString> m_countryNames;
};

class DEEditOut final : public DEEditBase {
public:
    DEEditOut(app::AppState& state, MainWindowBase& owner, int recordIndex);

    QLineEdit* txtEditPre = nullptr;  ///< county received
    QLabel* Label2 = nullptr;         ///< county "   Invalid!"

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

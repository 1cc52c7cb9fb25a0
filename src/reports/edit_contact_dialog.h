#pragma once
// What the two edit-contact dialogs share ("Edit Contact Entry"): the call,
// serial, date, time, mode and band boxes with their keystroke rules and
// checks, Done with its duplicate scan and write-back, and Delete Dupe.
// InStateEditDialog (in-state window) and OutOfStateEditDialog (out-of-state window) add their
// county and SPC boxes.
//
// The dialog changes only the contact log in memory; the main window that
// opened it rewrites log.txt and reloads its displays once it has closed.
// Done runs every check that leaving a box runs, so a contact is never
// written back with a band, mode, county or date the log cannot use; a
// failed check leaves the dialog open with the boxes as typed.

#include "log/contact_record.h"
#include "reports/edit_contact_rules.h"

#include <QDialog>
#include <QRectF>
#include <utility>
#include <vector>

class MainWindowBase;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

class EditContactDialog : public QDialog {
public:
    /// Fills the boxes from record EditRecordIndex and scales the dialog.
    void onLoad();

    /// Checks, duplicate scan and write-back; also run by Enter in any box.
    void onDoneClicked();
    /// Hides the dialog, then runs the owning window's Delete Contact.
    void onDeleteDupeClicked();
    /// A small letter becomes its capital; every other code is unchanged.
    static void capitalizeKey(int& KeyAscii);

    /// The record being edited.
    [[nodiscard]] int recordIndex() const { return m_index; }

    QLabel* lblEditTitle = nullptr;
    QLineEdit* callBox = nullptr;
    QLineEdit* serialReceivedBox = nullptr;
    QLineEdit* serialSentBox = nullptr;
    QLineEdit* dateBox = nullptr;
    QLineEdit* timeBox = nullptr;
    QLineEdit* modeBox = nullptr;
    QLineEdit* bandBox = nullptr;
    QPushButton* doneButton = nullptr;
    QPushButton* deleteDupeButton = nullptr;
    QLabel* dupeLabel = nullptr;  ///< "  Dupe!"
    QLabel* modeInvalidMark = nullptr;  ///< mode "   Invalid!"
    QLabel* bandInvalidMark = nullptr;  ///< band "   Invalid!"

protected:
    EditContactDialog(app::AppState& state, MainWindowBase& owner, int recordIndex, const char* name,
               double designWidth, double designHeight);

    /// One row of the dialog: its caption and box, and its mark when it has one.
    QLineEdit* addRow(int row, const char* labelName, const char* caption, const char* boxName);
    QLabel* addMark(int row, const char* name);
    /// Places Done below the last row, sets the tab order (boxes, Done,
    /// Delete Dupe) and routes the keys; called once the rows exist.
    void finishControls(const std::vector<QLineEdit*>& tabOrder, int rowCount);
    /// Text pasted or dropped into box keeps only what its keystroke rules
    /// let through; the contact's own values are shown as they are held.
    void filterPastes(QLineEdit* box, reports::EditBoxKeys keys);

    // ----- what the two dialogs do differently ------------------------------
    virtual void loadBoxes(const contactlog::ContactRecord& r) = 0;
    /// Runs the checks of leaving each box this dialog adds, all of them;
    /// returns the top-most box that failed, or null.
    virtual QLineEdit* checkOwnBoxes() = 0;
    virtual reports::EditDupeKey dupeKey() const = 0;
    /// Before the checks (the in-state SPC is upper-cased).
    virtual void beforeChecks() {}
    /// After the duplicate scan: the SPC check (in-state); true when it passes.
    virtual bool afterScanChecks() { return true; }
    virtual void writeBack(contactlog::ContactRecord& r) = 0;

    // ----- shared pieces -----------------------------------------------------
    /// County check: empty passes when emptyPasses; else the box must hold
    /// a county of the table. Sets CountyInvalidFlag, shows or hides mark.
    bool checkCounty(QLineEdit* box, QLabel* mark, bool emptyPasses);
    bool checkBand();
    bool checkMode();
    /// A box's mark follows its check: hidden when valid, else shown with a beep.
    bool showCheck(bool valid, QLabel* mark);
    /// Beep, the date (or time) message, focus back into the box.
    bool checkDate();
    bool checkTime();
    /// A check that failed on leaving its box: the focus goes back into it.
    void refocus(QLineEdit* box);
    /// Done puts the focus into a box that failed, without the check of the
    /// box the focus leaves.
    void focusFromDone(QLineEdit* box);
    /// True while leaving a box should run its check.
    [[nodiscard]] bool leaveChecksRun() const;
    /// Key rules of the boxes.
    void plainKeyPress(int& KeyAscii);
    void countyKeyPress(QLineEdit* box, int& KeyAscii);
    void countryKeyPress(QLineEdit* box, int& KeyAscii, const std::vector<QString>& names);
    /// The date (digits and "/") and time (digits and ":") boxes.
    /// The date box (separator '/') and the time box (':').
    void digitsKeyPress(int& KeyAscii, char separator);
    /// The date and time as the log holds them.
    [[nodiscard]] QString dateToStore() const;
    [[nodiscard]] QString timeToStore() const;

    app::AppState& m_state;
    MainWindowBase& m_owner;
    platform::KeyRouter* m_keys = nullptr;
    std::vector<QString> m_countyNames;

private:
    void beep();
    int m_index = 0;
    bool m_refocusing = false;
    bool m_leaving = false;
    double m_designWidth = 0;
};

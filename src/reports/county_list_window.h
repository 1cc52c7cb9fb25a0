#pragma once
// "County List": the party state's counties with their abbreviations. A
// click on a row writes the county's full name into the open main window's
// county box and closes the list; closing the window without a click leaves
// the box as it was.
//
// A main window's List menu creates the window, shows it modally
// (showModal) and discards it.

#include <QDialog>
#include <functional>

class QLineEdit;
class QTreeWidget;
class QTreeWidgetItem;

namespace app {
struct AppState;
}

class CountyListWindow : public QDialog {
public:
    /// countyBox: the open main window's county box.
    CountyListWindow(app::AppState& state, QLineEdit* countyBox, QWidget* parent = nullptr);

    /// Scales and places the window, adds the columns and one row per county.
    void onLoad();

    using ModalRunner = std::function<void(QDialog& window)>;
    static void showModal(app::AppState& state, QLineEdit* countyBox, QWidget* parent,
                          const ModalRunner& runner);

    QTreeWidget* countyList = nullptr;

    /// A click on the list: the clicked row's county into the county box.
    void onCountyListClicked(QTreeWidgetItem* item);

private:
    app::AppState& m_state;
    QLineEdit* m_countyBox;
};

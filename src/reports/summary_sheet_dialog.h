#pragma once
// "Summary Sheet Information": the entrant's details and category for the
// contest submission, and "Write Cabrillo File", which writes the Cabrillo
// file from the contact log in memory.
//
// The name, address lines, e-mail and club come back on the next run: after
// each successful write they are saved under the program's own settings and
// published to the shared preferences file. The category options start from
// their defaults at every opening.

#include <QDialog>

class MainWindowBase;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

namespace reports {
struct CabrilloEntry;
}

class SummarySheetDialog : public QDialog {
public:
    /// owner: the main window that opened the dialog, whose score it takes.
    SummarySheetDialog(app::AppState& state, MainWindowBase& owner);

    /// Scales the dialog and fills the remembered boxes.
    void onLoad();
    /// Builds, loads and shows the dialog modally (through the window's
    /// runModal when one is set), then discards it.
    static void showModal(app::AppState& state, MainWindowBase& owner);

    /// Write Cabrillo File.
    void onWriteCabrilloClicked();
    /// Done.
    void onDoneClicked();

    /// What the boxes and options say, as the writer takes it.
    [[nodiscard]] reports::CabrilloEntry entry() const;

    QLineEdit* nameBox = nullptr;
    QLineEdit* address1Box = nullptr;  ///< address line 1
    QLineEdit* address2Box = nullptr;  ///< address line 2
    QLineEdit* emailBox = nullptr;
    QLineEdit* clubBox = nullptr;
    QLineEdit* operatorsBox = nullptr;  ///< multi-op calls
    QLineEdit* soapboxBox = nullptr;
    QGroupBox* categoryGroup = nullptr;  ///< "Category"
    QGroupBox* powerGroup = nullptr;  ///< "Power"
    QGroupBox* modeGroup = nullptr;  ///< "Mode"
    QRadioButton* categorySingleOp = nullptr;  ///< Single Op
    QRadioButton* categoryMultiSingle = nullptr;  ///< Multi Single
    QRadioButton* categoryMultiMulti = nullptr;  ///< Multi Multi
    QRadioButton* categoryMobile = nullptr;  ///< Mobile
    QRadioButton* categoryClubSchool = nullptr;  ///< Club / School
    QRadioButton* categoryNoviceTech = nullptr;  ///< N/T
    QRadioButton* categoryCountyExpedition = nullptr;  ///< County Expedition
    QRadioButton* powerHigh = nullptr;  ///< High
    QRadioButton* powerLow = nullptr;  ///< Low (200W)
    QRadioButton* powerQrp = nullptr;  ///< QRP (5W)
    QRadioButton* modeMixed = nullptr;  ///< Mixed
    QRadioButton* modeSsb = nullptr;  ///< SSB
    QRadioButton* modeCw = nullptr;  ///< CW
    QCheckBox* countyAbbreviationsCheck = nullptr;  ///< county abbreviations
    QPushButton* writeCabrilloButton = nullptr;  ///< Write Cabrillo File
    QPushButton* doneButton = nullptr;  ///< Done

private:
    void buildControls();
    void onOperatorsKeyPress(int& KeyAscii);
    /// Saves the five remembered boxes; an error text when anything failed.
    [[nodiscard]] QString rememberBoxes();
    void reportFailure(const QString& description);

    app::AppState& m_state;
    MainWindowBase& m_owner;
    platform::KeyRouter* m_keys = nullptr;
};

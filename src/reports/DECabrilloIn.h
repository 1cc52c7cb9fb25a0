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

class DECabrilloIn : public QDialog {
public:
    /// owner: the main window that opened the dialog, whose score it takes.
    DECabrilloIn(app::AppState& state, MainWindowBase& owner);

    /// Scales the dialog and fills the remembered boxes.
    void Form_Load();
    /// Builds, loads and shows the dialog modally (through the window's
    /// runModal when one is set), then discards it.
    static void showModal(app::AppState& state, MainWindowBase& owner);

    /// Write Cabrillo File.
    void Command4_Click();
    /// Done.
    void Command3_Click();

    /// What the boxes and options say, as the writer takes it.
    [[nodiscard]] reports::CabrilloEntry entry() const;

    QLineEdit* Text5 = nullptr;   ///< name
    QLineEdit* Text6 = nullptr;   ///< address line 1
    QLineEdit* Text7 = nullptr;   ///< address line 2
    QLineEdit* Text8 = nullptr;   ///< e-mail
    QLineEdit* Text2 = nullptr;   ///< club
    QLineEdit* Text1 = nullptr;   ///< multi-op calls
    QLineEdit* Text11 = nullptr;  ///< soapbox
    QGroupBox* Frame1 = nullptr;  ///< "Category"
    QGroupBox* Frame2 = nullptr;  ///< "Power"
    QGroupBox* Frame3 = nullptr;  ///< "Mode"
    QRadioButton* Option6 = nullptr;   ///< Single Op
    QRadioButton* Option5 = nullptr;   ///< Multi Single
    QRadioButton* Option8 = nullptr;   ///< Multi Multi
    QRadioButton* Option2 = nullptr;   ///< Mobile
    QRadioButton* Option7 = nullptr;   ///< Club / School
    QRadioButton* Option9 = nullptr;   ///< N/T
    QRadioButton* Option16 = nullptr;  ///< County Expedition
    QRadioButton* Option4 = nullptr;   ///< High
    QRadioButton* Option3 = nullptr;   ///< Low (200W)
    QRadioButton* Option1 = nullptr;   ///< QRP (5W)
    QRadioButton* Option10 = nullptr;  ///< Mixed
    QRadioButton* Option11 = nullptr;  ///< SSB
    QRadioButton* Option12 = nullptr;  ///< CW
    QCheckBox* Check1 = nullptr;       ///< county abbreviations
    QPushButton* Command4 = nullptr;   ///< Write Cabrillo File
    QPushButton* Command3 = nullptr;   ///< Done

private:
    void buildControls();
    void Text1_KeyPress(int& KeyAscii);
    /// Saves the five remembered boxes; an error text when anything failed.
    [[nodiscard]] QString rememberBoxes();
    void reportFailure(const QString& description);

    app::AppState& m_state;
    MainWindowBase& m_owner;
    platform::KeyRouter* m_keys = nullptr;
};

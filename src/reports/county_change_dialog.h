#pragma once
// "County Change": the in-state operator's own county, sent with every
// contact. Done makes the box's county the own county and writes the
// preferences file; the rover button opens the rover county window, whose
// first listed county then comes back into the box and is taken at once.
//
// The in-state main window creates the dialog for each use, shows it
// modally (showModal) and discards it; it then shows the own county in its
// label.

#include <QDialog>
#include <functional>

class QLabel;
class QLineEdit;
class QPushButton;
class RoverCountyWindow;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

class CountyChangeDialog : public QDialog {
public:
    /// rover: the main window's rover county window, created at first use.
    CountyChangeDialog(app::AppState& state, RoverCountyWindow& rover, QWidget* parent = nullptr);

    /// Scales the window and puts the operator's county into the box.
    void onLoad();

    /// Shows a window modally: returns once the window is hidden. The default
    /// runs it with QDialog::exec; tests put a function in its place that
    /// drives the window and returns.
    using ModalRunner = std::function<void(QDialog& window)>;
    static void execModal(QDialog& window);

    /// Builds, loads and shows the dialog modally, then discards it.
    static void showModal(app::AppState& state, RoverCountyWindow& rover, QWidget* parent = nullptr,
                          const ModalRunner& runner = execModal);

    /// How the rover county window is shown from the rover button.
    ModalRunner showRoverModally = execModal;

    /// 1 when the last county check failed, 0 when it passed.
    quint8 CountyInvalidFlag = 0;

    QLabel* promptLabel = nullptr;
    QLineEdit* countyBox = nullptr;
    QLabel* countyInvalidMark = nullptr;  // "   Invalid!"
    QPushButton* doneButton = nullptr;
    QPushButton* cmdMultipleCounties = nullptr;

private:
    void buildControls();
    void wireEvents();

    void onDoneClicked();
    void onMultipleCountiesClicked();
    void onCountyGotFocus();
    void onCountyKeyPress(int& KeyAscii);
    void onCountyLostFocus();

    app::AppState& m_state;
    RoverCountyWindow& m_rover;
    platform::KeyRouter* m_keys = nullptr;
};

#pragma once
// The multiplier colours window: the in-state window draws each state and
// province multiplier in one colour while it is still needed and in another
// once it is worked. Each button opens the colour dialog for one of the two;
// the chosen colour goes straight into the preferences. Saving them and
// redrawing the main window is the opener's business, after Done.

#include <QDialog>
#include <functional>

class QLabel;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class LineControl;
}

class MultiplierColoursWindow : public QDialog {
public:
    explicit MultiplierColoursWindow(app::AppState& state, QWidget* parent = nullptr);

    /// Builds the window, loads it, shows it modally until Done (or the
    /// close box) hides it, and destroys it. The caller then saves the
    /// preferences and reloads the log so that the labels take the colours.
    /// run shows it and returns once it is hidden; by default the dialog's
    /// own modal loop.
    static void showModal(app::AppState& state, QWidget* parent = nullptr,
                          const std::function<void(QDialog&)>& run = {});

    /// Scales the window and shows the current colours.
    void onLoad();

    QLabel* workedSample = nullptr;  // drawn in the worked colour
    QLabel* remainingSample = nullptr;  // drawn in the remaining colour
    QPushButton* changeWorkedButton = nullptr;  // Change "Worked" Color
    QPushButton* changeRemainingButton = nullptr;  // Change "Remaining" Color
    QPushButton* doneButton = nullptr;  // Done
    platform::LineControl* workedDivider = nullptr;
    platform::LineControl* remainingDivider = nullptr;

private:
    void buildControls();
    void wireEvents();
    void onChangeRemainingClicked();
    void onChangeWorkedClicked();
    void onDoneClicked();

    app::AppState& m_state;
};

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

class Form6 : public QDialog {
public:
    explicit Form6(app::AppState& state, QWidget* parent = nullptr);

    /// Builds the window, loads it, shows it modally until Done (or the
    /// close box) hides it, and destroys it. The caller then saves the
    /// preferences and reloads the log so that the labels take the colours.
    /// run shows it and returns once it is hidden; by default the dialog's
    /// own modal loop.
    static void showModal(app::AppState& state, QWidget* parent = nullptr,
                          const std::function<void(QDialog&)>& run = {});

    /// Scales the window and shows the current colours.
    void Form_Load();

    QLabel* Label1 = nullptr;  // drawn in the worked colour
    QLabel* Label2 = nullptr;  // drawn in the remaining colour
    QPushButton* Command3 = nullptr;  // Change "Worked" Color
    QPushButton* Command1 = nullptr;  // Change "Remaining" Color
    QPushButton* Command6 = nullptr;  // Done
    platform::LineControl* Line1 = nullptr;
    platform::LineControl* Line2 = nullptr;

private:
    void buildControls();
    void wireEvents();
    void Command1_Click();
    void Command3_Click();
    void Command6_Click();

    app::AppState& m_state;
};

#pragma once
// The help page: the text of ReadSQSO.txt from the program folder, read
// afresh each time the window is opened from the Help menu, with a Close
// button. A missing or unreadable file gives an empty page and no message.

#include <QDialog>
#include <functional>

class QPlainTextEdit;
class QPushButton;

namespace app {
struct AppState;
}

class HelpPage : public QDialog {
public:
    explicit HelpPage(app::AppState& state, QWidget* parent = nullptr);

    /// Builds the window, loads it, shows it modally until it is hidden
    /// (Close or the close box) and destroys it, so that every opening reads
    /// the help text afresh.
    /// run shows it and returns once it is hidden; by default the dialog's
    /// own modal loop.
    static void showModal(app::AppState& state, QWidget* parent = nullptr,
                          const std::function<void(QDialog&)>& run = {});

    /// Scales the window, centres it and fills the text box. Any failure
    /// ends the loading silently; the window still opens.
    void onLoad();

    QPlainTextEdit* helpText = nullptr;
    QPushButton* closeButton = nullptr;  // Close

private:
    void buildControls();
    void wireEvents();
    bool loadSteps();
    void onCloseClicked();

    app::AppState& m_state;
};

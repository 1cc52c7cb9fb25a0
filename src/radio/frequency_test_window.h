#pragma once
// "Test Change Frequency Function": while the rig is polled, the operator
// writes a command of their own to the rig's port (as typed, or as the
// bytes its spaced hexadecimal pairs name) and sends a frequency through the
// rig interface's set-frequency operation. The rig's answer to a command
// arrives in the rig interface's input and shows at its next read. The
// rig interface opens it modally and discards it when it closes.

#include <QDialog>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class LineControl;
}

namespace radio {

class RigInterfaceWindow;

class FrequencyTestWindow : public QDialog {
public:
    FrequencyTestWindow(app::AppState& state, RigInterfaceWindow& rig, QWidget* parent = nullptr);

    /// Scales the window to the screen and fills in the frequency box.
    void onLoad();

    QLabel* commandNote = nullptr;
    QLabel* hexNote = nullptr;
    QLineEdit* commandBox = nullptr;  ///< the command
    QCheckBox* convertToHexCheck = nullptr; ///< "Convert to Hex"
    QPushButton* sendCommandButton = nullptr;
    QLabel* reportNote = nullptr;
    platform::LineControl* dividerLine = nullptr;
    QLabel* frequencyNote = nullptr;
    QLineEdit* frequencyBox = nullptr;  ///< the frequency in MHz
    QPushButton* sendFrequencyButton = nullptr;

private:
    void buildControls();
    void wireEvents();
    void onSendCommandClicked();
    void onSendFrequencyClicked();

    app::AppState& m_state;
    RigInterfaceWindow& m_rig;
};

}  // namespace radio

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

class RigControlfrm;

class frmFrequencyTest : public QDialog {
public:
    frmFrequencyTest(app::AppState& state, RigControlfrm& rig, QWidget* parent = nullptr);

    /// Scales the window to the screen and fills in the frequency box.
    void Form_Load();

    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLineEdit* Text1 = nullptr;  ///< the command
    QCheckBox* Check1 = nullptr; ///< "Convert to Hex"
    QPushButton* Command1 = nullptr;
    QLabel* Label3 = nullptr;
    platform::LineControl* Line1 = nullptr;
    QLabel* Label4 = nullptr;
    QLineEdit* Text2 = nullptr;  ///< the frequency in MHz
    QPushButton* Command2 = nullptr;

private:
    void buildControls();
    void wireEvents();
    void Command1_Click();
    void Command2_Click();

    app::AppState& m_state;
    RigControlfrm& m_rig;
};

}  // namespace radio

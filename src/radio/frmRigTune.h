#pragma once
// " Change Frequency and Mode (Ctrl G (Go))": the operator tunes the rig by
// typing a frequency, picking a band preset, stepping up or down, or
// scanning between two frequencies, and sets its mode with one click. The
// window only commands the rig interface (set frequency, set mode); it
// reads nothing back. A main window opens it modally with Ctrl+G and
// discards it when it is hidden, so each opening starts afresh.
//
// The scan is a 299 ms timer, running from the loading, that does
// something only while Scan is ticked: each tick steps the frequency box
// and tunes the rig to it. Any typed character unticks Scan; hiding or
// closing the window stops the timer.
//
// Laid out in frmRigTune.cpp; the handlers are in frmRigTune_events.cpp.

#include <QDialog>
#include <array>
#include <functional>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
class LineControl;
}  // namespace platform

namespace radio {

/// What the window commands of the rig interface.
struct RigTuneLinks {
    /// Puts the rig on a frequency in MHz, first in the band plan's sideband.
    std::function<void(float& qChangeFreq)> ChangeFrequency;
    /// Puts the rig in a mode ("CW", "USB", …).
    std::function<void(float qChangeFrequency, QString& ModeToChangeTo)> ChangeMode;
};

class frmRigTune : public QDialog {
public:
    frmRigTune(app::AppState& state, RigTuneLinks links, QWidget* parent = nullptr);
    ~frmRigTune() override;

    /// Scales the window to the screen, centres it, starts the scan timer
    /// and gives the frequency box the focus.
    void Form_Load();
    /// One scan tick (the timer runs it).
    void Timer1_Timer();
    /// Ends scanning for good: the program is ending.
    void stopScan();

    // ----- controls -------------------------------------------------------
    std::array<QPushButton*, 16> cmdBand{};
    QPushButton* cmdCW = nullptr;
    QPushButton* cmdUSB = nullptr;
    QPushButton* cmdLSB = nullptr;
    QPushButton* cmdAM = nullptr;
    QPushButton* cmdFM = nullptr;
    QPushButton* cmdRTTY = nullptr;
    QLabel* Label1 = nullptr;  ///< "Frequency in MHz:"
    QLineEdit* txtFreq = nullptr;
    QPushButton* Command1 = nullptr;  ///< Go
    QLabel* Label2 = nullptr;  ///< " UP"
    QLabel* Label3 = nullptr;  ///< " Down"
    std::array<QPushButton*, 10> cmdTune{};
    QCheckBox* chkScan = nullptr;
    QLabel* Label4 = nullptr;  ///< "From:"
    QLineEdit* txtFrom = nullptr;
    QLabel* Label5 = nullptr;  ///< "To:"
    QLineEdit* txtTo = nullptr;
    QGroupBox* Frame1 = nullptr;  ///< "Scan Steps"
    QRadioButton* Option1 = nullptr;  ///< 500 Hz
    QRadioButton* Option2 = nullptr;  ///< 100 Hz
    QRadioButton* Option3 = nullptr;  ///< 30 Hz
    QRadioButton* Option4 = nullptr;  ///< 10 Hz
    QRadioButton* Option5 = nullptr;  ///< 2.5 KHz
    QPushButton* cmdDone = nullptr;
    std::array<platform::LineControl*, 5> lines{};
    QTimer* Timer1 = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // frmRigTune.cpp
    void buildControls();
    void buildPresetsAndModes();
    void buildTuneRows();
    void buildScanLine();
    void setTabOrder();
    void wireEvents();
    /// The option buttons left to right, as the scan steps are listed.
    [[nodiscard]] std::array<QRadioButton*, 5> scanOptions() const;

    // frmRigTune_events.cpp
    void Command1_Click();
    void cmdBand_Click(int Index);
    void cmdTune_Click(int Index);
    void setMode(const char* mode);
    void txtFreq_Change();
    void txtFreq_KeyPress(int& KeyAscii);
    void boxes_KeyPress(int& KeyAscii);
    void Form_KeyPress(int& KeyAscii);
    void chkScan_Click();
    void cmdDone_Click();

    app::AppState& m_state;
    RigTuneLinks m_links;
    platform::KeyRouter* m_keys = nullptr;
    bool m_inTick = false;
};

}  // namespace radio

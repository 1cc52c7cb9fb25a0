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
// Laid out in TuneWindow.cpp; the handlers are in tune_window_events.cpp.

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

class TuneWindow : public QDialog {
public:
    TuneWindow(app::AppState& state, RigTuneLinks links, QWidget* parent = nullptr);
    ~TuneWindow() override;

    /// Scales the window to the screen, centres it, starts the scan timer
    /// and gives the frequency box the focus.
    void onLoad();
    /// One scan tick (the timer runs it).
    void onScanTick();
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
    QLabel* frequencyLabel = nullptr;  ///< "Frequency in MHz:"
    QLineEdit* txtFreq = nullptr;
    QPushButton* goButton = nullptr;  ///< Go
    QLabel* upLabel = nullptr;  ///< " UP"
    QLabel* downLabel = nullptr;  ///< " Down"
    std::array<QPushButton*, 10> cmdTune{};
    QCheckBox* chkScan = nullptr;
    QLabel* fromLabel = nullptr;  ///< "From:"
    QLineEdit* txtFrom = nullptr;
    QLabel* toLabel = nullptr;  ///< "To:"
    QLineEdit* txtTo = nullptr;
    QGroupBox* scanStepGroup = nullptr;  ///< "Scan Steps"
    QRadioButton* scanStep500Hz = nullptr;  ///< 500 Hz
    QRadioButton* scanStep100Hz = nullptr;  ///< 100 Hz
    QRadioButton* scanStep30Hz = nullptr;  ///< 30 Hz
    QRadioButton* scanStep10Hz = nullptr;  ///< 10 Hz
    QRadioButton* scanStep2500Hz = nullptr;  ///< 2.5 KHz
    QPushButton* cmdDone = nullptr;
    std::array<platform::LineControl*, 5> lines{};
    QTimer* scanTimer = nullptr;

protected:
    void hideEvent(QHideEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    // TuneWindow.cpp
    void buildControls();
    void buildPresetsAndModes();
    void buildTuneRows();
    void buildScanLine();
    void setTabOrder();
    void wireEvents();
    /// The option buttons left to right, as the scan steps are listed.
    [[nodiscard]] std::array<QRadioButton*, 5> scanOptions() const;

    // tune_window_events.cpp
    void onGoClicked();
    void onBandClicked(int Index);
    void onTuneStepClicked(int Index);
    void setMode(const char* mode);
    void onFrequencyChanged();
    void onFrequencyKeyPress(int& KeyAscii);
    void onBoxKeyPress(int& KeyAscii);
    void onKeyPress(int& KeyAscii);
    void onScanClicked();
    void onDoneClicked();

    app::AppState& m_state;
    RigTuneLinks m_links;
    platform::KeyRouter* m_keys = nullptr;
    bool m_inTick = false;
};

}  // namespace radio

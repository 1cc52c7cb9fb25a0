#pragma once
// The rig interface window " Rig Interface Setup": the operator chooses the
// transceiver type, its serial port and settings, the polling rate and the
// two query strings, tests the connection and saves it all to
// RigCntrl.txt. The window owns the rig's port and the poll timer: on
// alternate ticks it sends the queries and reads the replies, reads them
// into frequency and mode through the rig type's command set, and hands
// both to the main window through the forwarding window. It also tunes the
// rig for the other windows (ChangeFrequency, ChangeMode).
//
// Created on first use and kept, hidden when not shown, until the main
// window closes. The class is spread over several files by concern:
//   RigInterfaceWindow.cpp           construction, layout, wiring, scaling
//   rig_interface_window_settings.cpp  Test, End Test, Done, the rig list, options,
//                               RigCntrl.txt, the band plan
//   rig_interface_window_poll.cpp      opening the port, the poll tick, hand-over
//   rig_interface_window_tuning.cpp    ChangeFrequency and ChangeMode

#include "radio/band_plan.h"
#include "radio/poll_loop.h"
#include "radio/rig_port.h"
#include "radio/rig_settings.h"

#include <QDialog>
#include <array>
#include <cstdint>
#include <functional>
#include <vector>

class ForwardingWindow;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

namespace radio {

class RigWaits;

/// What the window needs of the program around it.
struct RigWindowLinks {
    /// The hidden forwarding window (null once it is gone).
    std::function<ForwardingWindow*()> forwardingWindow;
    /// Shows a window modally and returns once it is hidden.
    std::function<void(QDialog&)> runModal;
    RigWaits* waits = nullptr;
};

class RigInterfaceWindow : public QDialog {
public:
    RigInterfaceWindow(app::AppState& state, RigWindowLinks links, QWidget* parent = nullptr);
    ~RigInterfaceWindow() override;

    /// Scales the window, fills the rig list, applies RigCntrl.txt and reads
    /// the band plan. Polling does not start: only Test starts it.
    void onLoad();
    /// Sends the closing bytes of the rig types that expect them when the
    /// window goes while polling runs (or a tune holds it stopped); once,
    /// however many ways out the program takes.
    void onUnload();

    // ----- public operations --------------------------------------------
    /// Test: collects the settings and, unless the rig type is "None",
    /// opens the port and starts polling.
    void onTestClicked();
    /// Puts the rig on a frequency (MHz), first in the band plan's sideband
    /// for it. Does nothing unless polling runs; stops polling for its own
    /// length and lets events run in its waits, so a second call meanwhile
    /// does nothing. The caller's value is never changed.
    void ChangeFrequency(float& qChangeFreq);
    /// Puts the rig in a mode; an empty mode is first set to the band plan's
    /// sideband for qChangeFrequency (and the caller sees it). Does not
    /// touch polling.
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);
    /// One tick of the poll loop (the timer runs it; Test runs it once).
    void onPollTick();

    /// Stops everything for good: the main window is closing or the program
    /// ends, by Exit or a signal as well. The closing bytes go first
    /// (onUnload), and the port closes once they and two characters more
    /// are on the line. A tune that waits finishes without sending
    /// anything further.
    void shutDown();

    [[nodiscard]] bool pollingRunning() const;
    [[nodiscard]] bool tuning() const { return m_tuning; }
    [[nodiscard]] const PollLoop& pollState() const { return m_loop; }
    [[nodiscard]] const RigSettings& rigSettings() const { return m_settings; }
    [[nodiscard]] const std::vector<BandPlanEntry>& sidebandTable() const { return m_bandPlan; }
    /// The port the frequency test writes to.
    [[nodiscard]] RigPort& rigPort() { return m_port; }

    // ----- controls -------------------------------------------------------
    QListWidget* rigList = nullptr;
    QGroupBox* fraBaud = nullptr;
    QRadioButton *optBaud12 = nullptr, *optBaud24 = nullptr, *optBaud48 = nullptr, *optBaud96 = nullptr,
                 *optBaud144 = nullptr, *optBaud192 = nullptr, *optBaud288 = nullptr,
                 *optBaud384 = nullptr, *optBaud560 = nullptr;
    QGroupBox* fraParity = nullptr;
    QRadioButton *optParityOdd = nullptr, *optParityNone = nullptr, *optParityEven = nullptr;
    QGroupBox* fraData = nullptr;
    QRadioButton *optData7 = nullptr, *optData8 = nullptr;
    QGroupBox* fraStop = nullptr;
    QRadioButton *optStop1 = nullptr, *optStop2 = nullptr;
    QGroupBox* fraPort = nullptr;
    std::array<QRadioButton*, 10> optComm{};
    QGroupBox* fraPower = nullptr;
    QRadioButton *optPowerNone = nullptr, *optPowerRTS = nullptr, *optPowerDTR = nullptr;
    QGroupBox* fraPoll = nullptr;
    QRadioButton *optPollFast = nullptr, *optPollMed = nullptr, *optPollSlow = nullptr,
                 *optReallySlow = nullptr;
    QLineEdit* txtFreq = nullptr;
    QLineEdit* txtMode = nullptr;
    QCheckBox* chkConvToHex = nullptr;  ///< "Convert to Hex"
    QCheckBox* ChkConvHex = nullptr;    ///< "Convert from Hex"
    QCheckBox* chkFrequency = nullptr;  ///< "Use Frequency"
    QGroupBox* fraModeBy = nullptr;
    QRadioButton *OptRig = nullptr, *OptFreq = nullptr, *OptDont = nullptr;
    QPushButton* testButton = nullptr;  ///< Test
    QPushButton* endTestButton = nullptr;  ///< End Test
    QPushButton* cmdDone = nullptr;
    QPushButton* changeFrequencyButton = nullptr;  ///< Change Frequency
    QPushButton* copyRepliesButton = nullptr;  ///< Copy unprocessed data to clipboard
    QLabel* lblFreq = nullptr;
    QLabel* lblMode = nullptr;
    QLabel* lblUnProcess = nullptr;
    QLabel* pollingLabel = nullptr;   ///< "Polling Rig"
    QLabel* icomAddressNote = nullptr;  ///< the note on the Icom address
    /// The folder of the Pegasus control program's files, shown for that
    /// rig type; the default is beside the other per-user files.
    QLabel* lblPegasusFolder = nullptr;
    QLineEdit* txtPegasusFolder = nullptr;
    QTimer* tmrGetData = nullptr;

protected:
    void reject() override;

private:
    struct Choice {
        QRadioButton* button;
        const char* value;
    };

    // RigInterfaceWindow.cpp
    void buildControls();
    void buildSerialFrames();
    void buildRightSide();
    void wireEvents();
    void scaleToWorkArea();
    [[nodiscard]] std::vector<Choice> baudChoices() const;
    [[nodiscard]] std::vector<Choice> parityChoices() const;
    [[nodiscard]] std::vector<Choice> dataChoices() const;
    [[nodiscard]] std::vector<Choice> stopChoices() const;
    [[nodiscard]] std::vector<Choice> powerChoices() const;
    [[nodiscard]] std::vector<Choice> pollChoices() const;

    // rig_interface_window_settings.cpp
    void onEndTestClicked();
    void onDoneClicked();
    void onChangeFrequencyClicked();
    void onCopyRepliesClicked();
    void onRigListClicked();
    void onSerialOptionClicked();
    void onQueryBoxGotFocus();
    void onFrequencyQueryChanged();
    void onModeQueryChanged();
    void onModeByClicked();
    void onConvertToHexClicked();
    void onPegasusFolderChanged();
    void showPegasusFolder();
    [[nodiscard]] QString defaultPegasusFolder() const;
    void LoadRigSettings();
    void SaveRigSettings();
    void LoadBandPlan();
    void applyLoadedSettings(int valuesRead);
    void applyRigDefaults(const RigModel& model);
    void collectSettings();

    // rig_interface_window_poll.cpp
    bool OpenRigPort();
    bool openPortQuietly(bool reopening = false);
    bool reopenLostPort();
    void StartPolling();
    void sendTick();
    void readTick();
    /// Hands what the port has taken in since the last tick to the poll loop.
    void takeArrivals();
    void showReading(const PollLoop::ReadOutcome& outcome);
    /// The raw reply of the read tick in "Unprocessed data returned".
    void showReply();
    void handOver(const PollLoop::ReadOutcome& outcome);
    void noteSilence();

    // rig_interface_window_tuning.cpp
    void WaitForOutputDrain();
    [[nodiscard]] bool usesPort() const;
    void reportTuneError(const QString& description);

    app::AppState& m_state;
    RigWindowLinks m_links;
    platform::KeyRouter* m_keys = nullptr;
    RigSettings m_settings;
    PollLoop m_loop;
    RigPort m_port;
    std::vector<BandPlanEntry> m_bandPlan;
    int LoadingRigSettings = 0;
    bool m_inTick = false;
    bool m_tuning = false;
    bool m_shutDown = false;
    bool m_closingBytesSent = false;
    bool m_portLost = false;  ///< a write failed: the device went away
    std::int64_t m_lastReopenNs = 0;
};

}  // namespace radio

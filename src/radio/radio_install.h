#pragma once
// Rig control's place in the program: one RadioControl owns the rig
// interface window (created on first use, kept until the main window
// closes) and is what other windows call to tune the rig. installRadio
// plugs it into the main windows' seam: rig polling at start-up, Ctrl+R and
// Options > Rig Interface, the closing of the main window and File > Exit;
// and the privileges chart (Ctrl+F, Band > Privileges).
//
// Tuning from elsewhere: windows of this folder call
// RadioControl::ChangeFrequency / ChangeMode; windows of other subsystems
// go through app::MainWindowServices::ChangeFrequency / ChangeMode, which
// installRadio routes here.

#include "radio/rig_interface_window.h"
#include "radio/rig_waits.h"

#include <QDialog>
#include <QPointer>
#include <functional>
#include <memory>

namespace app {
struct AppState;
class MainWindows;
class ProgramServices;
}  // namespace app

namespace radio {

class TuneWindow;

class RadioControl {
public:
    RadioControl(app::AppState& state, std::function<ForwardingWindow*()> forwardingWindow);
    ~RadioControl();
    RadioControl(const RadioControl&) = delete;
    RadioControl& operator=(const RadioControl&) = delete;

    /// The rig interface window, created and loaded on first use (loading
    /// reads RigCntrl.txt and the band plan; it does not start polling).
    RigInterfaceWindow& rigWindow();
    /// The window when it exists, else null.
    [[nodiscard]] RigInterfaceWindow* loadedRigWindow() const { return m_window.get(); }

    /// The tuning operations (see RigInterfaceWindow): a frequency in MHz, put
    /// in the band plan's sideband first; a mode, or the sideband for the
    /// frequency when mode is empty. Both do nothing while no rig is polled.
    void ChangeFrequency(float& qChangeFreq);
    void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo);

    /// The main window's start: the rig interface's Test.
    void startPolling();
    /// Ctrl+R and Options > Rig Interface: shows the window modelessly.
    void showRigWindow();
    /// The main window closes: the window's closing steps, then it goes. A
    /// tune that waits keeps its window until it returns.
    void unloadRigWindow();
    /// File > Exit and the end signals: polling stops and the port closes
    /// at once, after the rig's closing bytes.
    void release();

    /// Ctrl+G: the tune and scan window, shown modally and discarded when
    /// it is hidden.
    void showTuneWindow();

    /// Shows a window modally until it is hidden; tests replace it.
    std::function<void(QDialog&)> runModal;
    /// The waits of tuning; tests replace them.
    void setWaits(std::unique_ptr<RigWaits> waits);

private:
    app::AppState& m_state;
    std::function<ForwardingWindow*()> m_forwardingWindow;
    std::unique_ptr<RigWaits> m_waits;
    std::unique_ptr<RigInterfaceWindow> m_window;
    /// The tune window while it is shown.
    QPointer<TuneWindow> m_tuneWindow;
    /// Windows unloaded while a tune waited inside them.
    std::vector<std::unique_ptr<RigInterfaceWindow>> m_retired;
};

/// Creates the program's RadioControl and fills the main windows' slots
/// with it; the services keep it alive.
std::shared_ptr<RadioControl> installRadio(app::ProgramServices& services, app::AppState& state,
                                           app::MainWindows& mainWindows);

}  // namespace radio

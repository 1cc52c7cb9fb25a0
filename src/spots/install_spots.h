#pragma once
// DX spotting's place in the program: the spotting window, created at its
// first use and kept until the main window closes, and the main window's
// spot display, both plugged into the main windows' services.

#include "spots/spot_connection.h"
#include "spots/spot_display.h"

#include <memory>

class ForwardingWindow;
class SpottingWindow;
class QDialog;
class MainWindowBase;

namespace app {
struct AppState;
class MainWindows;
class ProgramServices;
}  // namespace app

namespace spots {

class SpectrumMap;

class SpotsSubsystem {
public:
    SpotsSubsystem(app::AppState& state, app::MainWindows& mainWindows);
    ~SpotsSubsystem();

    /// The spotting window, created and loaded at its first use (which reads
    /// the settings and opens the saved connection).
    SpottingWindow& spottingWindow();
    /// The window when it exists; null before its first use and after unload.
    [[nodiscard]] SpottingWindow* existingSpottingWindow() const { return m_window.get(); }
    /// Ctrl+D, the "Configure" menu item and a click on the band map: shows
    /// the window without waiting.
    void showSpottingWindow();
    /// The main window closes: the window closes its connections and goes.
    void unloadSpottingWindow();
    /// The forwarding window of the open main window; null before it opens.
    [[nodiscard]] ForwardingWindow* existingForwardingWindow() const;

    /// Ctrl+B, "View Spectrum Map" and a double-click on the spot list or
    /// the band map's background: the spectrum map, created, shown modally
    /// over the window and discarded when it closes.
    void showSpectrumMap(MainWindowBase& window);
    /// The map while it is open; null otherwise.
    [[nodiscard]] SpectrumMap* openSpectrumMap() const;
    /// The main window closes: an open map closes too.
    void unloadSpectrumMap();

    /// A click on the main window's spot list: tunes to the selected row's
    /// spot (when a rig is chosen) and hands its call to the call box.
    void txtDX_Click(MainWindowBase& window);
    /// A mouse button on band-map label Index: the right button tunes to the
    /// spot and hands its call on, any other deletes the spot.
    void lblDXSpot_MouseDown(MainWindowBase& window, int Index, int Button);

    /// The main window's spot list, band map and layout, and the spot store.
    SpotDisplay display;
    /// The rig interface's ChangeFrequency (MHz), which the clicks tune by.
    std::function<void(float&)> tune;
    /// Makes the connections of a new spotting window.
    ConnectionFactory connections = makeSpotConnection;

private:
    app::AppState& m_state;
    app::MainWindows& m_mainWindows;
    std::unique_ptr<SpottingWindow> m_window;
    SpectrumMap* m_spectrumMap = nullptr;
};

/// Plugs DX spotting into the main windows' services; the returned
/// subsystem lives as long as the services.
SpotsSubsystem& installSpots(app::ProgramServices& services, app::AppState& state,
                             app::MainWindows& mainWindows);

}  // namespace spots

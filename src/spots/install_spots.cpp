#include "spots/install_spots.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "spots/spotting_window.h"
#include "spots/all_bands_window.h"

#include <QDir>

namespace spots {

SpotsSubsystem::SpotsSubsystem(app::AppState& state, app::MainWindows& mainWindows)
    : display(state), m_state(state), m_mainWindows(mainWindows)
{
}

SpotsSubsystem::~SpotsSubsystem() = default;

SpottingWindow& SpotsSubsystem::spottingWindow()
{
    if (!m_window) {
        m_window = std::make_unique<SpottingWindow>(
            m_state, [this] { return m_mainWindows.forwardingWindow(); }, connections);
        m_window->spotBurstHandled = [this] { display.flushSpotList(); };
        // The settings file is read by its bare name in the program folder.
        QDir::setCurrent(m_state.folders.ProgramFolder);
        m_window->onLoad();
    }
    return *m_window;
}

ForwardingWindow* SpotsSubsystem::existingForwardingWindow() const { return m_mainWindows.forwardingWindow(); }

void SpotsSubsystem::showSpottingWindow() { spottingWindow().showModeless(); }

void SpotsSubsystem::unloadSpottingWindow()
{
    if (!m_window)
        return;
    m_window->onUnload();
    m_window.reset();
}

SpotsSubsystem& installSpots(app::ProgramServices& services, app::AppState& state,
                             app::MainWindows& mainWindows)
{
    auto spots = std::make_shared<SpotsSubsystem>(state, mainWindows);
    SpotsSubsystem& s = *spots;
    services.onSetBandMapScale = [spots](MainWindowBase& w) { spots->display.SetBandMapScale(w); };
    services.onDisplayBandMapLabels = [spots](MainWindowBase& w) { spots->display.DisplayBandMapLabels(w); };
    services.onBandMapSpots = [spots](MainWindowBase& w, QString& call, QString& freq, QString& record) {
        spots->display.BandMapSpots(w, call, freq, record);
    };
    services.onPacketResize = [spots](MainWindowBase& w) {
        // The display follows the spotting window's choices; before it was
        // ever opened there is nothing to lay out.
        SpottingWindow* window = spots->existingSpottingWindow();
        if (!window)
            return;
        spots->display.PacketResize(w, window->listDisplayChosen(), window->selectedType(),
                                    spots->existingForwardingWindow());
    };
    // Clicks tune through the rig interface, wherever it is plugged in.
    s.tune = [&services](float& mhz) { services.ChangeFrequency(mhz); };
    services.onSpotListClick = [spots](MainWindowBase& w) { spots->txtDX_Click(w); };
    services.onSpotLabelMouseDown = [spots](MainWindowBase& w, int index, int button) {
        spots->lblDXSpot_MouseDown(w, index, button);
    };
    // Every spot stored while the map is shown redraws it.
    s.display.redrawSpectrumMap = [&s] {
        if (SpectrumMap* map = s.openSpectrumMap(); map && map->isVisible())
            map->BandMapLabelDisplay();
    };
    const auto showMap = [spots](MainWindowBase& w) { spots->showSpectrumMap(w); };
    services.shortcutWindows[app::ShortcutWindow::SpectrumMap] = showMap;
    services.menuWindows[app::MenuWindow::SpectrumMap] = showMap;
    services.unloaders[app::SatelliteWindow::SpectrumMap] = [spots](MainWindowBase&) {
        spots->unloadSpectrumMap();
    };
    services.shortcutWindows[app::ShortcutWindow::DxSpotting] = [spots](MainWindowBase&) {
        spots->showSpottingWindow();
    };
    services.menuWindows[app::MenuWindow::DxSpotting] = [spots](MainWindowBase&) {
        spots->showSpottingWindow();
    };
    services.unloaders[app::SatelliteWindow::SpottingWindow] = [spots](MainWindowBase&) {
        spots->unloadSpottingWindow();
    };
    // File > Exit ends at once: the connections close first.
    services.releaseHooks.push_back([spots] {
        if (SpottingWindow* window = spots->existingSpottingWindow())
            window->onUnload();
    });
    return s;
}

}  // namespace spots

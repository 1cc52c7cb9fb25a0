#pragma once
// " HF Spectrum Map": every remembered DX spot on eleven band scales at once,
// 160 m to 2 m. Each scale zooms in on its spots; each spot label is coloured
// by its age and carries the call, frequency and UTC time as its tooltip. A
// right-click on a spot tunes the rig to it and hands its call to the main
// window's call box, closing the map; any other click deletes the spot.
//
// The main windows create the map, show it modally and discard it when it
// closes (SpotsSubsystem::showSpectrumMap), so each opening starts afresh.

#include <QDialog>
#include <array>
#include <functional>

class MainWindowBase;
class QLabel;

namespace app {
struct AppState;
}
namespace platform {
class LineControl;
}

namespace spots {

class SpotStore;
struct SpectrumGeometry;
struct SpectrumScales;

struct SpectrumMapLinks {
    /// The rig interface's ChangeFrequency (MHz); it does nothing while the
    /// rig is not polled.
    std::function<void(float&)> tune;
    /// The open main window, whose call box takes a right-clicked call.
    std::function<MainWindowBase*()> mainWindow;
};

class SpectrumMap : public QDialog {
public:
    SpectrumMap(app::AppState& state, SpotStore& store, SpectrumMapLinks links, QWidget* parent = nullptr);
    ~SpectrumMap() override;

    /// Scales the window to the screen, lays the scales out, shows their
    /// captions and fills the work area.
    void onLoad();
    /// Redraws the scales and every spot label from the store.
    void BandMapLabelDisplay();
    /// A mouse button pressed on spot label Index: 2 (right) tunes and hands
    /// the call on, any other deletes the spot.
    void onSpotLabelMouseDown(int Index, int Button);

    std::array<platform::LineControl*, 11> lineHF{};
    std::array<QLabel*, 11> lblHFSpots{};
    std::array<QLabel*, 55> lblFreqSpot{};
    /// Label i is drawn for slot i of the spot store as the store stood at
    /// the last redraw.
    std::array<QLabel*, 50> lblDXSpot{};
    /// The spot store's id of the spot each of lblDXSpot shows, 0 for none;
    /// a click works that spot wherever later arrivals have moved it.
    std::array<quint64, 50> lblDXSpotShows{};

protected:
    bool event(QEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void onActivate();
    /// Lays the scales and their captions out afresh; returns them for the
    /// spot labels.
    SpectrumScales LayoutBandScales(const SpectrumGeometry& geometry);
    void ResizeToWorkArea();
    [[nodiscard]] SpectrumGeometry geometry() const;

    app::AppState& m_state;
    SpotStore& m_store;
    SpectrumMapLinks m_links;
};

}  // namespace spots

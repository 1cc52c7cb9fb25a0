#pragma once
// The main window's side of DX spotting: the spot store, the spot list, the
// band map and the layout that makes room for them at the bottom of the
// window. Both main windows carry the same controls (txtDX, lblDX, LineDX,
// lblFreqSpot, lblDXSpot); this draws into whichever is open.
//
// Spots arrive in bursts. Each one goes into the store at once; the spot
// list takes the burst's rows in one step when the spotting window has
// handled the burst (or, at the latest, after the event that brought it),
// and the band map is redrawn once after that event.

#include "spots/spot_store.h"

#include <QPointer>
#include <QString>
#include <functional>
#include <vector>

class ForwardingWindow;
class MainWindowBase;

namespace app {
struct AppState;
}

namespace spots {

class SpotDisplay {
public:
    explicit SpotDisplay(app::AppState& state) : m_state(state) {}

    /// The five scale captions for the current band and the stored spots.
    void SetBandMapScale(MainWindowBase& window);
    /// Redraws the band map's spot labels when the band map is shown.
    void DisplayBandMapLabels(MainWindowBase& window);
    /// Takes one spot: frequency in kHz (rewritten to MHz), record (cut
    /// before its CR). A frequency that is no number, or 0 or below, drops
    /// the spot silently.
    void BandMapSpots(MainWindowBase& window, QString& qDXSpotCall, QString& qDXSpotFreq,
                      QString& qDXSpotRecord);
    /// Lays the spot list or the band map out at the bottom of the window,
    /// or gives the room back for "None".
    void PacketResize(MainWindowBase& window, bool listChosen, const QString& connectionType,
                      ForwardingWindow* forwardingWindow);

    /// Puts the rows of the spots taken since the last call at the top of
    /// the spot list, newest first, as if each had been inserted in turn.
    void flushSpotList();
    /// Fills the spot list, then redraws every band map that a burst of
    /// spots changed; normally run by itself once the burst's event has
    /// been handled.
    void flushRedraw();

    [[nodiscard]] SpotStore& store() { return m_store; }
    [[nodiscard]] const SpotStore& store() const { return m_store; }

    /// Redraws the spectrum map when it is shown (filled by the spectrum map).
    std::function<void()> redrawSpectrumMap;

    /// The spot list keeps at most this many rows, newest first.
    static constexpr int MaxListRows = 200;

private:
    struct PendingRow {
        QString call;
        double mhz = 0;
        QString record;
    };
    void scheduleRedraw(MainWindowBase& window);

    app::AppState& m_state;
    SpotStore m_store;
    QPointer<MainWindowBase> m_redrawWindow;
    bool m_redrawPending = false;
    /// Spot-list rows of the burst in arrival order, for m_listWindow.
    std::vector<PendingRow> m_pendingRows;
    QPointer<MainWindowBase> m_listWindow;
};

}  // namespace spots

#pragma once
// The hidden forwarding window. The rig interface, the spotting window and
// the spectrum map address this one fixed window instead of the main window,
// which may be either of two; each call goes on to the out-of-state main
// window when OutOfStateFlag is set and to the in-state one otherwise. A few
// of its controls are shared values: lblDX records whether the band map is
// the chosen spot display, the caption names the program to the AGW Packet
// Engine, and the window font is the base of the tune window's font scaling.
// The window is never shown.

#include <QWidget>

class QLabel;
class QLineEdit;

namespace app {
struct AppState;
class MainWindowTarget;
}  // namespace app

class ForwardingWindow : public QWidget {
public:
    explicit ForwardingWindow(app::AppState& state, QWidget* parent = nullptr);

    /// The two main windows; either may be null while it does not exist.
    /// The flag is read afresh at every call, so the one setup opened is the
    /// one that receives the calls.
    void setMainWindows(app::MainWindowTarget* outOfState, app::MainWindowTarget* inState);

    /// Writes the preferences file, whichever main window is open.
    void SavePref();
    void BandFreqConversion(float& frequencyValue);
    void ModeSelection(QString& strMode);
    void PacketResize();
    void DisplayBandMapLabels();
    void BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord);

    /// The main window that calls are passed to now; null when it is missing.
    [[nodiscard]] app::MainWindowTarget* mainWindow() const;

    /// True while the band map is the chosen spot display. The window itself
    /// is never shown, so the label's own visibility is what counts, not
    /// whether it can be seen on the screen.
    [[nodiscard]] bool bandMapShown() const;
    /// Set by the main window's spot display layout.
    void setBandMapShown(bool shown);

    QLabel* lblDX = nullptr;
    /// The spectrum map writes the call of a right-clicked spot here; nothing
    /// reads it.
    QLineEdit* txtCall = nullptr;

private:
    void wireEvents();
    void onCallChanged();

    app::AppState& m_state;
    app::MainWindowTarget* m_outOfState = nullptr;
    app::MainWindowTarget* m_inState = nullptr;
};

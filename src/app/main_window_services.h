#pragma once
// What a main window asks of the neighbouring subsystems: voice prompts,
// rig polling, the band map, the edit dialog, and the windows its menus
// open. The windows call this one narrow interface; each subsystem plugs in
// its own implementation when it exists. The defaults do nothing, so a main
// window runs on its own (and in tests) without any of them.

#include <QString>

class MainWindowBase;

namespace app {

/// The windows and exports that the menu bar opens but that other parts of
/// the program own.
enum class MenuWindow {
    WriteSubmission,   ///< File > Write Submission File
    ExportAdif,        ///< File > Export ADIF File
    ExportDaybook,     ///< File > Export for Daybook Import (hidden)
    CopyListToClipboard,
    Colors,            ///< Options > Appearance > Colors (the window then reloads)
    CwSetup,
    VoiceSetup,
    RigInterface,
    DxSpotting,
    SpectrumMap,
    VoiceNavigation,
    Privileges,
    ChangeCounty,      ///< the window then shows the new own county
    CountyMap,
    Graph,
    CountyList,
    Help,
};

class MainWindowServices {
public:
    virtual ~MainWindowServices() = default;

    /// Plays a navigation prompt ("Call", "SerNum", "County", "SPC", "Dupe")
    /// without push-to-talk; a prompt that cannot play is skipped silently.
    virtual void BlindKeyPhone(const QString& promptName) { (void)promptName; }
    /// True while a navigation prompt is still playing.
    [[nodiscard]] virtual bool navigationPromptPlaying() const { return false; }

    /// Opens the rig's port and starts polling it (the rig interface's Test).
    virtual void startRigPolling() {}

    /// The band map follows a band change: rescale for the new band, and
    /// redraw when the band map is the chosen display.
    virtual void SetBandMapScale(MainWindowBase& window) { (void)window; }
    virtual void DisplayBandMapLabels(MainWindowBase& window) { (void)window; }
    /// Lays out the spot list or the band map on the window, as the spotting
    /// window's display option says.
    virtual void PacketResize(MainWindowBase& window) { (void)window; }
    /// Takes one spot for the window's spot store, band map and spot list;
    /// the frequency and the record may be rewritten in place.
    virtual void BandMapSpots(MainWindowBase& window, QString& qDXSpotCall, QString& qDXSpotFreq,
                              QString& qDXSpotRecord)
    {
        (void)window;
        (void)qDXSpotCall;
        (void)qDXSpotFreq;
        (void)qDXSpotRecord;
    }

    /// Shows the window's edit dialog modally for record recordIndex; its
    /// Done writes the edited fields into the contact log in memory.
    virtual void editContact(MainWindowBase& window, int recordIndex)
    {
        (void)window;
        (void)recordIndex;
    }

    /// Closes the windows that work for the main window, as it closes:
    /// keyers, voice navigation, spotting, spectrum map, rig interface,
    /// forwarding window (and the rover county window of the in-state one).
    virtual void unloadWindows(MainWindowBase& window) { (void)window; }

    /// Opens the window or runs the export of a menu item.
    virtual void open(MainWindowBase& window, MenuWindow which)
    {
        (void)window;
        (void)which;
    }
};

}  // namespace app

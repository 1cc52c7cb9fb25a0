#pragma once
// What a main window asks of the neighbouring subsystems: voice prompts,
// rig polling, the band map, the edit dialog, the keyers its keys drive,
// the windows its menus and Ctrl shortcuts open and those its closing
// unloads. The windows call this one narrow interface; each subsystem plugs in
// its own implementation when it exists. The defaults do nothing, so a main
// window runs on its own (and in tests) without any of them.

#include <QString>

class MainWindowBase;

namespace app {

/// The windows and exports that the menu bar opens but that other parts of
/// the program own. The program folder is the current directory when they
/// open. Modal windows are discarded when they close; the keyers, the rig
/// interface, spotting and voice navigation stay loaded once opened.
enum class MenuWindow {
    WriteSubmission,      ///< File > Write Submission File: modal
    ExportAdif,           ///< File > Export ADIF File
    ExportDaybook,        ///< File > Export for Daybook Import (hidden)
    CopyListToClipboard,  ///< File > Copy Listed Items to Clipboard
    CwSetup,              ///< Options > Transmit > CW Setup: modal
    VoiceSetup,           ///< Options > Transmit > Voice Setup: modal
    RigInterface,         ///< Options > Rig Interface: modeless
    DxSpotting,           ///< Options > DX Spotting > Configure: modeless, prefs saved first
    SpectrumMap,          ///< Options > DX Spotting > View Spectrum Map: modal
    VoiceNavigation,      ///< Options > Voice Navigation: modeless
    Privileges,           ///< Band > Privileges: modal
    CountyMap,            ///< Map: modal
    Graph,                ///< Graph: modal
    CountyList,           ///< List: modal
};

/// The windows that the main window's Ctrl shortcuts open. The keyers and
/// the spotting window open modelessly and stay loaded (restored when they
/// were minimised, all but the rig interface); the rest open modally and
/// are discarded when they close.
enum class ShortcutWindow {
    CwKeyer,       ///< Ctrl+C and Ctrl+S: "CW String Selections"
    VoiceKeyer,    ///< Ctrl+P: "Phone Wave Selections"
    DxSpotting,    ///< Ctrl+D
    RigInterface,  ///< Ctrl+R: modeless, window state untouched
    SpectrumMap,   ///< Ctrl+B: modal
    Privileges,    ///< Ctrl+F: "Frequency Privileges", modal
    RigTune,       ///< Ctrl+G: change frequency and mode, modal
};

/// The windows that work for the main window and that its closing unloads,
/// in the order it unloads them. The forwarding window and the in-state
/// rover county window come between the rig interface and the WinKey
/// window; the main windows unload those two themselves.
enum class SatelliteWindow {
    VoiceKeyerWindow,       ///< voice keyer
    CwWindow,          ///< CW window and sender
    VoiceNavigationWindow,       ///< voice navigation
    SpottingWindow,  ///< DX spotting
    SpectrumMap,
    RigInterfaceWindow,  ///< rig interface
    WinKeyWindow,      ///< WinKey keyer
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
    /// Tunes the rig to a frequency in MHz, in the band plan's sideband for
    /// it; does nothing while the rig is not polled. The caller's value is
    /// never changed. Spot clicks and the spectrum map use it.
    virtual void ChangeFrequency(float& qChangeFreq) { (void)qChangeFreq; }
    /// Sets the rig's mode ("CW", "USB", "LSB", …); an empty mode is first
    /// set to the band plan's sideband for the frequency.
    virtual void ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
    {
        (void)qChangeFrequency;
        (void)ModeToChangeTo;
    }

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

    /// The spot clicks (DX spotting). A click on the spot list tunes the rig
    /// to the selected row's spot and hands its call to the call box; a
    /// mouse button pressed on band-map spot label Index (1 left, 2 right,
    /// 4 middle) tunes and hands the call on (right) or deletes the spot.
    virtual void spotListClicked(MainWindowBase& window) { (void)window; }
    virtual void spotLabelPressed(MainWindowBase& window, int Index, int Button)
    {
        (void)window;
        (void)Index;
        (void)Button;
    }

    /// Shows the window's edit dialog modally for record recordIndex; its
    /// Done writes the edited fields into the contact log in memory.
    virtual void editContact(MainWindowBase& window, int recordIndex)
    {
        (void)window;
        (void)recordIndex;
    }

    /// Unloads one window that works for the main window, as the main
    /// window closes; the window runs its own closing steps (the keyers and
    /// voice navigation close their devices, spotting its connections, the
    /// WinKey window the keyer). A window never opened closes unseen.
    virtual void unload(MainWindowBase& window, SatelliteWindow which)
    {
        (void)window;
        (void)which;
    }

    /// Opens the window or runs the export of a menu item.
    virtual void open(MainWindowBase& window, MenuWindow which)
    {
        (void)window;
        (void)which;
    }

    /// Opens the window of a Ctrl shortcut (see ShortcutWindow for how).
    virtual void open(MainWindowBase& window, ShortcutWindow which)
    {
        (void)window;
        (void)which;
    }

    // ----- keying: the CW window, the voice keyer and the WinKey ----------

    /// Sends the CW message of a function key (F1 to F9 as 112 to 120, F10
    /// as 124, F11 as 122); it first empties CWSendBuffer and may arm the F1
    /// repeat. Called whatever CWSendingFlag is.
    virtual void FKeyCW(int& keyCode) { (void)keyCode; }
    /// Plays the voice message of F1 to F9 (112 to 120) with push-to-talk;
    /// may arm the F1 repeat.
    virtual void FKeyPhone(int& keyCode) { (void)keyCode; }
    /// The CW window's speed box one word per minute up or down.
    virtual void cwSpeedUp() {}
    virtual void cwSpeedDown() {}
    /// The text of the CW window's speed box.
    [[nodiscard]] virtual QString cwSpeedText() const { return {}; }
    /// Keys CWSendBuffer through the chosen interface; with a serial or
    /// parallel port it sets CWSendingFlag and lets events run between
    /// characters until the buffer is empty.
    virtual void LoopThroughCWBuffer() {}
    /// Stops the timers that repeat the F1 CW and voice messages.
    virtual void stopCwRepeatTimer() {}
    virtual void stopVoiceRepeatTimer() {}
    /// True while the voice keyer plays a message; stopVoicePlayback stops it.
    [[nodiscard]] virtual bool voicePlaying() const { return false; }
    virtual void stopVoicePlayback() {}
    /// The WinKey keyer: its status (above 0 while it is busy), emptying its
    /// buffer, and removing the last character of its buffer.
    [[nodiscard]] virtual long wk_getstatus() { return 0; }
    virtual void wk_clearbuf() {}
    virtual void wk_backspace() {}

    /// File > Exit ends the program at once, without the closing that
    /// unloads each window: before it does, every keying line (RTS, DTR,
    /// parallel-port pin, push-to-talk) is released, the WinKey is closed
    /// and every serial port and connection is closed, so that no
    /// transmitter is left keyed.
    virtual void releaseKeyingAndPorts() {}
};

}  // namespace app

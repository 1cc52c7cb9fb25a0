#pragma once
// What the two main windows have in common: the frame (menus, timers, key
// routing), the contact list, the score panel, the entry row, the dialog and
// possible-duplicates lines, the clocks and the operating-time clock, band
// and mode, post-contest entry and the work on the log as a whole. OutOfStateWindow
// and InStateWindow keep only their differences: their layout figures, their
// multiplier displays and their logging routine.
//
// The handlers are named on<Event> for what they handle. The window's
// rules live in the log units; a handler reads its controls, calls a rule
// and writes its controls.
//
// The class is spread over several files by concern:
//   main_window_base.cpp         construction, controls, wiring
//   main_window_menus.cpp        the menu bar and the windows it opens
//   main_window_keys.cpp         the window's own keys: shortcuts, keyers
//   main_window_closing.cpp      activation, closing, Exit
//   main_window_load.cpp         loading, reload, new log, archive, restore
//   main_window_entry.cpp        entry boxes and their keystroke rules
//   main_window_logging.cpp      showing a logging attempt, clearing, dupes
//   main_window_list.cpp         contact list and its buttons
//   main_window_clock.cpp        clocks, rates, Time On/Off, post-contest
//   main_window_band.cpp         band and mode, rig hand-over, small menus
//   main_window_spots.cpp        clicks on the spot list and the band map

#include "app/form_size.h"
#include "app/main_window_services.h"
#include "app/main_window_target.h"
#include "log/dupe_checks.h"
#include "log/logging.h"

#include <QMainWindow>
#include <optional>
#include <QRectF>
#include <array>
#include <functional>
#include <memory>
#include <vector>

class QAbstractItemView;
class QAction;
class QDialog;
class QLabel;
class QLineEdit;
class QListWidget;
class QMenu;
class QPushButton;
class QTableView;
class QTimer;
class QTreeView;
class RoverCountyWindow;

namespace app {
struct AppState;
class ContactListModel;
}  // namespace app
namespace platform {
class KeyRouter;
class LineControl;
}  // namespace platform

class MainWindowBase : public QMainWindow, public app::MainWindowTarget {
public:
    ~MainWindowBase() override;

    /// Twip figures that differ between the two windows.
    struct Layout {
        double scoreFirstTop = 440;
        double scoreLastTop = 2280;
        std::array<const char*, 7> scoreCaptionNames{};
        QRectF countyHeading, txtSec, txtCntry, newCountryLabel;
        int serialMaxLength = 8;
        QRectF lblDialog, lblPossDup, cmdDup, lblDupe;
        QRectF firstMultiplierList, countiesWorkedList, firstListHeading, countiesWorkedListHeading;
        int firstListHeadingIndex = 7, countiesWorkedListHeadingIndex = 5;
        double multiplierListsLineY = 5850;
        QRectF lblPostConDate, txtPostConDate, lblPostConTime, txtPostConTime;
        QRectF operatingTimeHeading, lblttrack, cmdLogOn, bandHeading, bandLabel, lblBandSwitch, modeLabel;
        QRectF ownCallLabel, nextSerialLabel, ownLocationLabel;
        double clockTop = 5900;
        std::array<QRectF, 3> geoHeadings;
        QRectF continentLabel, bearingLabel, distanceLabel;
        bool geoShown = false;
    };

    /// The loading of the window, before it is first shown: scaling, list
    /// columns, mode, band and station labels, county table, the question
    /// whether to continue the existing log, the log itself, rig polling.
    void onLoad();

    /// True once the program was ended from inside the window (an unreadable
    /// log); the caller must not show the window then.
    [[nodiscard]] bool programEnded() const { return m_programEnded; }

    /// Closing when the program is told to end (a signal): the unload of
    /// every window, the backup and the termination, as the operator's
    /// close, but never refused, since nobody is there to close again.
    void closeOnEndRequest();

    // ----- public operations -------------------------------------------
    /// The logging routine: Enter in an entry box, the post-contest boxes and
    /// the CW window's "!" run it. It never runs inside itself: anything that
    /// asks for it while it runs is refused. A band or mode the rig hands over
    /// meanwhile waits until it has finished, so a contact (and a rover's
    /// copies) is logged on the band and mode it was entered on.
    void Mains();
    /// Reloads the log from log.txt and refreshes every display of it.
    void ReloadLog();
    /// Empties the entry boxes and messages and returns to the call box.
    void ClearEntryFields();
    /// Refills the contact list (last 20 or all) and the next serial.
    void ListRecentContacts();
    void ShowQSORate();
    void ShowOperatingTime();
    virtual void ShowScore() = 0;
    /// The recall menu: the last contact back into the entry boxes.
    void onRecallClicked();
    /// Delete Contact: asks, then deletes the contact of the list's selected
    /// row. The edit dialogs' Delete Dupe runs it too.
    void onDeleteClicked();

    // The band and mode handlers, also run by the rig hand-over.
    void onBand160Clicked();
    void onBand80Clicked();
    void onBand40Clicked();
    void onBand20Clicked();
    void onBand15Clicked();
    void onBand10Clicked();
    void onBand6Clicked();
    void onBand2Clicked();
    void onCwModeClicked();  ///< the "&CW" item
    void onPhoneModeClicked();  ///< the "&PH" item

    // app::MainWindowTarget: what the rig and the spotting windows ask.
    void BandFreqConversion(float& frequencyValue) override;
    void ModeSelection(QString& strMode) override;
    void PacketResize() override;
    void DisplayBandMapLabels() override;
    void BandMapSpots(QString& qDXSpotCall, QString& qDXSpotFreq, QString& qDXSpotRecord) override;

    /// Key handling of the whole window, seen before the focused control.
    void onKeyDown(int& KeyCode, int Shift);
    void onKeyPress(int& KeyAscii);

    /// Redraws the band map's spot labels when the band map is the chosen
    /// spot display; otherwise does nothing.
    void RefreshBandMap();

    /// A spot's call handed to the call box by a spot click: the box gets the
    /// focus and the call (its change handling runs as after typing), then
    /// the focus moves on as a Tab key press moves it, so leaving the call
    /// box runs its check.
    void takeSpotCall(const QString& call);
    /// A call put into the call box for a new contact (a spot clicked here
    /// or on the spectrum map): no entry box keeps anything from before it
    /// to undo.
    void takeCallForNewContact(const QString& call);

    /// The multiplier lists reach down to multiplierListsLine again (firstMultiplierList, and the lists
    /// that take its height); used by the spot display's layout.
    void FitListHeights();

    /// The in-state window's rover county window (created hidden at its
    /// first use, kept until the window closes); null in the out-of-state
    /// window, which never has one.
    [[nodiscard]] RoverCountyWindow* roverCountyWindow() const { return m_rover.get(); }

    /// How the forwarding window is unloaded in the closing order; set by
    /// whoever created it.
    void setForwardingWindowUnload(std::function<void()> unload)
    {
        m_unloadForwardingWindow = std::move(unload);
    }

    /// Shows one of the window's own modal dialogs (help, colours, county
    /// change) and returns once it is hidden. Tests put a function in its
    /// place that drives the dialog and returns.
    std::function<void(QDialog&)> runModal;

    // ----- controls -----------------------------------------------------
    QLabel* lblRecentContacts = nullptr;
    QPushButton* cmdList = nullptr;
    QTableView* contactListView = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdDelete = nullptr;

    QLabel* lblScorStats = nullptr;
    QLabel* lblTotCon = nullptr;    ///< phone contacts
    QLabel* lblSectogo = nullptr;   ///< CW contacts
    QLabel* qsoPointsLabel = nullptr;      ///< QSO points
    QLabel* lblTotSec = nullptr;    ///< multipliers
    QLabel* lblTotScore = nullptr;  ///< claimed score, read by the submission writer
    QLabel* lblAQSO20 = nullptr;
    QLabel* lblAQSO60 = nullptr;
    std::array<QLabel*, 7> scoreCaptions{};

    /// The field and list headings; element 4 heads the county box.
    std::array<QLabel*, 10> lblStation{};
    QLineEdit* txtCall = nullptr;
    QLineEdit* txtRSTR = nullptr;
    QLineEdit* txtCntry = nullptr;
    QLineEdit* txtSec = nullptr;
    QLineEdit* txtRSTS = nullptr;
    QLabel* newCountryLabel = nullptr;  ///< "New"

    QLabel* lblDialog = nullptr;
    QLabel* lblPossDup = nullptr;
    QPushButton* cmdDup = nullptr;
    QLabel* lblDupe = nullptr;

    QListWidget* firstMultiplierList = nullptr;
    QListWidget* countiesWorkedList = nullptr;
    platform::LineControl* multiplierListsLine = nullptr;

    QLabel* lblPostConDate = nullptr;
    QLineEdit* txtPostConDate = nullptr;
    QLabel* lblPostConTime = nullptr;
    QLineEdit* txtPostConTime = nullptr;

    // Spot displays, placed and shown by the spotting display layout.
    QTreeView* txtDX = nullptr;
    QLabel* lblDX = nullptr;
    platform::LineControl* LineDX = nullptr;
    std::array<QLabel*, 5> lblFreqSpot{};
    /// Label i is drawn for the spot in slot i of the spot store as the
    /// store stood at the last redraw.
    std::array<QLabel*, 50> lblDXSpot{};
    /// The spot store's id of the spot each of lblDXSpot shows, 0 for none:
    /// a spot that arrives before a waiting click is handled moves every
    /// spot to another slot, and the click must still work the spot its
    /// label showed.
    std::array<quint64, 50> lblDXSpotShows{};

    QLabel* operatingTimeHeading = nullptr;  ///< operating-time heading
    QLabel* lblttrack = nullptr;
    QPushButton* cmdLogOn = nullptr;
    QLabel* bandHeading = nullptr;  ///< "Band"
    QLabel* bandLabel = nullptr;  ///< band
    QLabel* lblBandSwitch = nullptr;  ///< "Mode"
    QLabel* modeLabel = nullptr;  ///< mode
    QLabel* ownCallLabel = nullptr;   ///< own call
    QLabel* nextSerialLabel = nullptr;   ///< next serial
    QLabel* ownLocationLabel = nullptr;  ///< own state/country, or own county in-state
    QLabel* lblCurTime = nullptr;
    QLabel* amPmLabel = nullptr;  ///< am / pm
    QLabel* lblutctime = nullptr;
    QLabel* utcHeading = nullptr;  ///< "UTC"
    QLabel* continentLabel = nullptr;  ///< continent
    QLabel* bearingLabel = nullptr;  ///< bearing
    QLabel* distanceLabel = nullptr;  ///< distance
    std::array<QLabel*, 3> geoHeadings{};  ///< "Con", "Bearing", "Miles"

    QTimer* rateTimer = nullptr;  ///< rates, every minute
    QTimer* clockTimer = nullptr;  ///< clocks, every second

    // ----- menus ---------------------------------------------------------
    QMenu* mnuFile = nullptr;
    QAction* mnuNew = nullptr;
    QAction* mnuArchive = nullptr;
    QAction* mnuRestore = nullptr;
    QAction* mnuOpen = nullptr;
    QAction* mnuWriteSumm = nullptr;
    QAction* mnuDaybookImport = nullptr;
    QAction* mnuexportADIF = nullptr;
    QAction* mnuCopyListtoClipboard = nullptr;
    QAction* mnuExit = nullptr;
    QMenu* mnuOptions = nullptr;
    QAction* mnuFormSize = nullptr;
    QAction* mnuColors = nullptr;
    QAction* mnuTaskbar = nullptr;
    QAction* mnuCW = nullptr;
    QAction* mnuVoice = nullptr;
    QAction* mnuRigInterface = nullptr;
    QAction* mnuDXSpotting = nullptr;
    QAction* mnuSpectrumMap = nullptr;
    QAction* mnuBlind = nullptr;
    QAction* mnuListPrevious = nullptr;
    QAction* mnuPostContest = nullptr;
    QMenu* mnuSetup = nullptr;  ///< out-of-state only, hidden
    QMenu* mnuBandChange = nullptr;
    std::array<QAction*, 8> bandItems{};  ///< mnuBand160Ch … mnuBand2Ch
    QAction* mnuPrivileges = nullptr;
    QMenu* mnuBand = nullptr;  ///< the Mode menu
    QAction* mnu160 = nullptr;  ///< "&CW"
    QAction* mnuSSB = nullptr;  ///< "&PH"
    QAction* mnuDigital = nullptr;
    QAction* mnuClear = nullptr;
    QAction* mnuChangeCounty = nullptr;  ///< in-state only
    QAction* mnuMap = nullptr;
    QAction* mnuGraph = nullptr;
    QAction* mnuRecall = nullptr;
    QAction* mnuCountyList = nullptr;
    QAction* mnuHelp = nullptr;

    /// The contact list's rows.
    [[nodiscard]] app::ContactListModel& contactList() const { return *m_listModel; }
    /// The window's rule flavour.
    [[nodiscard]] contactlog::WindowKind kind() const { return m_kind; }

protected:
    MainWindowBase(app::AppState& state, app::MainWindowServices& services,
                   contactlog::WindowKind kind, QWidget* parent);

    /// Builds the shared controls, the menus and the timers, and wires them.
    /// The subclass calls it from its constructor, adds its own controls,
    /// then calls finishWiring().
    void buildFrame(const Layout& layout);
    /// Puts the key router in front of every control once all exist.
    void finishWiring();

    // ----- differences, supplied by each window ---------------------------
    /// The dialog line's text after loading.
    [[nodiscard]] virtual QString loadDialogText() const = 0;
    /// The contact list's columns (captions and design widths).
    virtual void buildListColumns() = 0;
    /// The in-state multiplier table and grid, built while loading.
    virtual void buildMultiplierTable() {}
    /// The station labels of the status row.
    virtual void showStationLabels() = 0;
    /// The reload's refresh of every display after the log was recounted.
    virtual void refreshAfterReload() = 0;
    /// After a stored contact: the county (and section, DX) displays.
    virtual void showStoredContact(const contactlog::LogAttemptResult& result) = 0;
    /// The serial box hands a key on to the next box of the exchange.
    virtual void handKeyOnFromSerial(int& KeyAscii) = 0;
    /// Where Space in the serial box sends the focus.
    [[nodiscard]] virtual QLineEdit* afterSerialBox() const = 0;
    virtual void onCountyGotFocus() = 0;
    /// Band and mode changes: the in-state window refreshes its country box.
    virtual void afterBandOrModeChange() {}
    /// The call box's text changed (in-state: the country lookup).
    virtual void afterCallChange() {}
    /// The call box was left, after its duplicate check (in-state: the
    /// province code of a Canadian call).
    virtual void afterCallLeft() {}
    /// The multiplier lists that take firstMultiplierList's height (countiesWorkedList, in-state countiesToGoList).
    [[nodiscard]] virtual std::vector<QWidget*> sameHeightLists() const;

    // ----- shared pieces for the subclasses -------------------------------
    [[nodiscard]] contactlog::LoggingContext loggingContext() const;
    [[nodiscard]] contactlog::EntryValues entryValues() const;
    [[nodiscard]] contactlog::DupeKey dupeKey() const;
    /// Shows one logging attempt's result (the steps after the rule work).
    void showLogAttempt(const contactlog::LogAttemptResult& result);
    /// Sets a list's column widths from design widths (twips at 9,600 wide).
    void setColumnWidths(QAbstractItemView* view, const std::vector<double>& designWidths);
    void setDialog(const QString& text, bool red = false);
    void resetDupeLine();
    /// Plays "Dupe" whatever the navigation level; waits (bounded) while it
    /// plays when navigation is on.
    void playDupePrompt();
    void focusField(contactlog::EntryField field);
    /// The county box's keystroke rules (both windows).
    void onCountyKeyPress(int& KeyAscii);
    /// Simulates Tab from box: the focus moves on to the next entry box.
    void tabFrom(QWidget* box);
    QLabel* makeLabel(const char* name, const QRectF& twips, const QString& caption,
                      bool heading = false);
    [[nodiscard]] QString logPath() const;
    /// Sets the possible-duplicates line's font: designPoints on the design
    /// screen at full window size.
    void sizeDupeLine(double designPoints);
    /// Shows the operator's own county (the in-state window also keeps the
    /// mirror the CW messages read).
    virtual void showOwnCounty(const QString& county);
    /// The window's own logging routine, run by Mains under its guard.
    virtual void runLoggingRoutine() = 0;
    /// True while the logging routine runs.
    [[nodiscard]] bool mainsRunning() const { return m_mainsRunning; }

    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

    app::AppState& m_state;
    app::MainWindowServices& m_services;
    contactlog::WindowKind m_kind;
    QWidget* m_surface = nullptr;
    platform::KeyRouter* m_keys = nullptr;
    app::ContactListModel* m_listModel = nullptr;
    /// In-state: the abbreviations of the state/province table.
    const std::vector<QString>* m_stateProvAbbrevs = nullptr;

private:
    void buildControls(const Layout& layout);
    void buildMenus();
    void wireEvents();

    // Loading and the log as a whole (main_window_load.cpp).
    void loadSteps();
    [[nodiscard]] app::MainWindowFrame frame() const;
    void applySavedMode();
    void applySavedBand();
    void loadCountyTable();
    void AskOpenExistingLog();
    bool NewLog();
    void onNewLogClicked();
    void onArchiveClicked();
    void onRestoreClicked();
    /// Ends the program: the log cannot be read, Exit, or the closing.
    void endProgram();

    // Menus (main_window_menus.cpp).
    void openMenuWindow(app::MenuWindow which);
    void onFormSizeClicked();
    void onTaskbarClicked();
    void onColorsClicked();
    void onChangeCountyClicked();
    void onHelpClicked();
    void showModal(QDialog& dialog);

    // Keys (main_window_keys.cpp).
    /// The Ctrl shortcuts; true when KeyCode was one of them.
    bool openShortcutWindow(int KeyCode);
    /// Ctrl+V, Ctrl+X, Ctrl+A and Ctrl+Z on the entry box with the focus;
    /// false for any other key.
    bool editFocusedBox(int KeyCode);
    /// Any key stops a repeating F1 message.
    void stopRepeats();
    void cwKeyDown(int& KeyCode);
    void toggleKeyboardCW();
    /// The text F12 shows while keyboard-CW mode is on.
    [[nodiscard]] QString keyboardCWText() const;

    // Spot list and band map (main_window_spots.cpp).
    void wireSpotEvents();
    void onSpotListClicked();
    void onSpotListDoubleClicked();
    void onBandMapClicked();
    void onBandMapDoubleClicked();
    void onSpotLabelMouseDown(int Index, int Button);
    void onSpotLabelMouseMove(int Index);

    // Activation and closing (main_window_closing.cpp).
    void onActivate();
    void onMouseMove();
    void onQueryUnload(bool& Cancel);
    void onUnload();
    void onTerminate();
    void onExitClicked();

    // Entry boxes (main_window_entry.cpp).
    void onCallKeyPress(int& KeyAscii);
    void onSerialKeyPress(int& KeyAscii);
    void onCallGotFocus();
    void onCallLostFocus();
    void onSerialGotFocus();
    void onCallChanged();
    void onRstSentChanged();
    void onNextSerialChanged();

    // Duplicates and clearing (main_window_logging.cpp).
    void DupCheck2();
    void PartialCallCheck(int KeyAscii);
    void emptyEntryBoxes(bool focusFirst);
    /// Every entry box forgets its undo history, keeping its text: a new
    /// contact starts.
    void forgetEntryEdits();

    // Contact list (main_window_list.cpp).
    void onEditClicked();
    void onListLengthClicked();
    void onPartialDupesClicked();
    void onContactListClicked();
    void onContactListLostFocus();
    void onContactListColumnClicked(int column);
    void onContactListMouseUp(int button);
    [[nodiscard]] int selectedRecord() const;
    void showEditButtons(bool shown);

    // Clocks and post-contest (main_window_clock.cpp).
    void onRateTick();
    void onClockTick();
    void onTimeOnClicked();
    void onPostContestClicked();
    void onPostContestDateGotFocus();
    void onPostContestTimeGotFocus();
    void onPostContestDateKeyPress(int& KeyAscii);
    void onPostContestTimeKeyPress(int& KeyAscii);

    // Band, mode and the small menus (main_window_band.cpp).
    void selectBand(int index);
    void selectMode(const QString& mode);
    void ResetBandMenus();
    void onBandClicked();
    void onModeClicked();
    void onClearClicked();
    void onListPreviousClicked();

    bool m_programEnded = false;
    bool m_mainsRunning = false;
    /// A frequency or mode the rig handed over while the logging routine ran.
    std::optional<float> m_deferredFrequency;
    std::optional<QString> m_deferredMode;
    void applyDeferredRigChanges();
    bool m_suppressNextKeyPress = false;
    std::unique_ptr<RoverCountyWindow> m_rover;
    std::function<void()> m_unloadForwardingWindow;
};

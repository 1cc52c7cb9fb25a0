#pragma once
// The spotting window " DX Spotting Setup": the operator chooses the source
// of DX spots and sets it up, chooses how the main window shows spots,
// watches what the source sends (the monitor) and types to it (the send
// box). It owns PackSpot.txt, and hands every spot line to the main window
// through the forwarding window.
//
// The window is created at its first use in a run, which reads the settings
// and opens the saved connection, and lives until the main window closes;
// Done only hides it.
//
// The class is spread over several files by concern:
//   SpottingWindow.cpp           construction, controls, wiring
//   spotting_window_settings.cpp  loading, PackSpot.txt, type choice, control states
//   spotting_window_ports.cpp     Open Port, Close Port, Done, keys, Spot Last
//   spotting_window_lines.cpp     the monitor, received text, spots, the timer

#include "spots/line_assembler.h"
#include "spots/spot_connection.h"
#include "spots/spot_line.h"
#include "spots/spot_settings.h"

#include <QWidget>
#include <array>
#include <functional>
#include <memory>

class ForwardingWindow;
class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;
class QTimer;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}

class SpottingWindow : public QWidget {
public:
    /// forwardingWindow gives the forwarding window (null while there is
    /// none); connections makes the source of each kind.
    SpottingWindow(app::AppState& state, std::function<ForwardingWindow*()> forwardingWindow,
                  const spots::ConnectionFactory& connections, QWidget* parent = nullptr);
    ~SpottingWindow() override;

    /// Scales and places the window, fills the type list, reads the settings
    /// and opens the saved connection. Once, before the window is first shown.
    void onLoad();
    /// Shows the window without waiting, restored when it was minimised.
    void showModeless();
    /// The main window closes: connections say goodbye and close.
    void onUnload();

    // ----- operations ---------------------------------------------------
    void onOpenPortClicked();  ///< Open Port
    void onClosePortClicked();  ///< Close Port
    void onSpotLastClicked();  ///< Spot Last
    void onDoneClicked();   ///< Done
    /// The pollTimer tick: TNC and AGW polls, and the periodic band-map redraw.
    void onPollTick();

    // ----- the monitor and the spot pipeline ----------------------------
    [[nodiscard]] const QString& monitorText() const { return m_monitor; }
    /// The caret (selection start) of the monitor.
    [[nodiscard]] qsizetype monitorCaret() const { return m_monitorCaret; }
    void replaceMonitor(const QString& text);
    void appendMonitor(const QString& text);
    /// Caps the monitor at 10,000 characters (the last 9,000 stay) and
    /// scrolls it to its end.
    void TrimMonitor();
    [[nodiscard]] bool isRepeatOfMonitor(const QString& unit) const;
    /// Hands one spot to the main window: frequency and call as cut from the
    /// line, and the line itself.
    void ForwardSpot(const QString& frequency, const QString& call, const QString& line);
    /// Text read from the TNC: cut into lines, each run through the repeat
    /// test, the monitor and the spot hand-off.
    void receiveTncText(const QString& received);
    /// One block from the telnet cluster (negotiation removed): shown as it
    /// came, so a prompt without a line end shows too, and cut into whole
    /// lines, each tested for a spot.
    void receiveTelnetBlock(const QString& block);
    /// A new telnet connection: a line left unfinished by the last one is
    /// forgotten.
    void clearTelnetLines() { m_telnetLines.clear(); }

    // ----- state the connections read -----------------------------------
    [[nodiscard]] const QString& connectionType() const { return m_settings.ConnectionType; }
    [[nodiscard]] bool isConnectionType(const char* type) const;
    [[nodiscard]] bool listening() const;
    [[nodiscard]] bool listDxOnly() const;
    /// The settings fields as the last TNC open or the file left them.
    [[nodiscard]] spots::SpotSettings& settings() { return m_settings; }
    [[nodiscard]] app::AppState& state() { return m_state; }
    [[nodiscard]] spots::SpotConnection& connection(spots::ConnectionKind kind);
    /// Read from the TNC's option groups into the settings fields (port,
    /// baud, parity, data bits, stop bits, power, handshaking); a group with
    /// no button set leaves its field.
    void readSerialOptions();
    /// The serial settings text: baud, parity, data bits, stop bits.
    [[nodiscard]] QString TncSettingsString() const;
    /// The main window's display choice: true for the spot list.
    [[nodiscard]] bool listDisplayChosen() const;
    /// The selected entry of the type list; empty when none is selected.
    [[nodiscard]] QString selectedType() const;

    /// Run when a burst of received text has been handled, so that what the
    /// burst's spots still owe the main window (their list rows) is done
    /// before anything else happens.
    std::function<void()> spotBurstHandled;

    QString AgwConnectedCall;
    float LabelUpdateTimeCounter = 0;

    // ----- controls -----------------------------------------------------
    QLabel* typeListLabel = nullptr;
    QListWidget* typeList = nullptr;
    QGroupBox* displayGroup = nullptr;
    QRadioButton* displayBandMap = nullptr;
    QRadioButton* displayList = nullptr;
    QCheckBox* listDxOnlyCheck = nullptr;
    QLabel* telnetHostLabel = nullptr;
    QLineEdit* telnetHostBox = nullptr;
    QLabel* telnetPortLabel = nullptr;
    QLineEdit* telnetPortBox = nullptr;
    QLabel* commandCharLabel = nullptr;
    QLineEdit* commandCharBox = nullptr;
    QGroupBox* fraPort = nullptr;
    std::array<QRadioButton*, 10> optComm{};
    QGroupBox* fraBaud = nullptr;
    QRadioButton *optBaud12 = nullptr, *optBaud24 = nullptr, *optBaud48 = nullptr,
                 *optBaud96 = nullptr, *optBaud144 = nullptr, *optBaud192 = nullptr;
    QGroupBox* fraParity = nullptr;
    QRadioButton *optParityOdd = nullptr, *optParityNone = nullptr, *optParityEven = nullptr;
    QGroupBox* fraData = nullptr;
    QRadioButton *optData7 = nullptr, *optData8 = nullptr;
    QGroupBox* fraStop = nullptr;
    QRadioButton *optStop1 = nullptr, *optStop2 = nullptr;
    QGroupBox* fraPower = nullptr;
    QRadioButton *optPowerNone = nullptr, *optPowerRTS = nullptr, *optPowerDTR = nullptr;
    QGroupBox* handshakingGroup = nullptr;
    QRadioButton *handshakeNone = nullptr, *handshakeXonXoff = nullptr, *handshakeRts = nullptr, *handshakeRtsXonXoff = nullptr;
    QCheckBox* convertToHexCheck = nullptr;
    QLabel* listeningLabel = nullptr;  ///< "Listening": the window's record of an open connection
    QPlainTextEdit* monitorBox = nullptr;
    QLabel* sendBoxLabel = nullptr;
    QLineEdit* sendBox = nullptr;
    QPushButton* openPortButton = nullptr;
    QPushButton* closePortButton = nullptr;
    QPushButton* spotLastButton = nullptr;
    QPushButton* doneButton = nullptr;
    QTimer* pollTimer = nullptr;

protected:
    void closeEvent(QCloseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void buildControls();
    void buildSerialGroups();
    void wireEvents();

    // Settings and type choice (spotting_window_settings.cpp).
    void LoadSpotSettings();
    void applySerialSettings();
    void SaveSpotSettings();
    void onTypeListClicked();
    void ShowSpottingHelp();
    void DisableSpotControls();
    void EnableTncControls();
    void EnableTelnetControls();
    void EnableAgwControls();
    void onSerialOptionClicked();

    // Keys and the send box (spotting_window_ports.cpp).
    void onActivate();
    void onKeyDown(int& KeyCode, int Shift);
    void onKeyPress(int& KeyAscii);
    void onSendBoxKeyPress(int& KeyAscii);
    void onSendBoxChanged();

    // The pipeline (spotting_window_lines.cpp).
    void ProcessTncLine(const QString& line);
    void refreshMonitorBox();
    void endOfBurst();

    [[nodiscard]] spots::SpotConnection* chosenConnection();

    app::AppState& m_state;
    std::function<ForwardingWindow*()> m_forwardingWindow;
    std::array<std::unique_ptr<spots::SpotConnection>, 3> m_connections;
    spots::SpotSettings m_settings;
    spots::LineAssembler m_tncLines;  ///< TncLineBuffer
    spots::LineAssembler m_telnetLines;
    QString m_monitor;
    qsizetype m_monitorCaret = 0;
    bool m_monitorRefreshPending = false;
    bool LoadingSettings = false;
    bool m_loaded = false;
    bool m_unloading = false;
    bool m_cancelKeyPress = false;
    platform::KeyRouter* m_keys = nullptr;
};

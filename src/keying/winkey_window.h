#pragma once
// " WinKey Setup": the WinKey keyer's settings, Open and Close with the
// keyer's status and version, two test sends, Stop and a typing box; and
// WKTransmit, through which every CW message goes to the keyer when the CW
// window's WinKey interface is chosen.
//
// The speed, weight, lead-in, tail and ratio live only as the texts of
// their boxes; each box sends its value to the keyer when it loses focus.
// Done writes WK.txt and hides the window, which stays loaded until the main
// window closes.
//
// The class is spread over two files by concern:
//   winkey_window.cpp         controls and their layout, loading, Done, the boxes
//   winkey_window_keyer.cpp   Open, Close, the settings sent, the sender, the tests

#include "keying/winkey_settings.h"

#include <QDialog>
#include <functional>

class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
}
namespace keying {
class WinKeyLink;
}

class WinKeyWindow : public QDialog {
public:
    /// cwSpeedText gives the text of the CW window's speed box.
    WinKeyWindow(app::AppState& state, keying::WinKeyLink& keyer, std::function<QString()> cwSpeedText,
              QWidget* parent = nullptr);
    ~WinKeyWindow() override;

    /// Scales the window and reads WK.txt into the boxes and the options.
    void onLoad();
    /// The window's unloading: the keyer is closed.
    void onUnload();

    // ----- public operations -------------------------------------------
    void onCloseClicked();
    void onOpenClicked();
    /// Hands CWSendBuffer to the keyer, one character at a time, and
    /// returns when it is empty; waits, letting events run, while the
    /// keyer's buffer is nearly full.
    void WKTransmit();
    /// The codes of "a" to "z" become those of "A" to "Z".
    static void Capital(int& KeyAscii);

    /// Shows a window modally; tests put a function in its place.
    std::function<void(QDialog&)> runModal;

    /// The settings the window holds, as WK.txt stores them.
    [[nodiscard]] keying::WinKeySettings settings() const;

    // ----- the keyer's settings held apart from the boxes ---------------
    int WinKeyComPort = 0;    ///< serial port number; 0 until set
    int WinKeyPinConfig = 6;  ///< pin 5 configuration, sent with wk_pincfg
    int WinKeyKeyerMode = 0;  ///< keyer mode, sent with wk_setmode

    // ----- controls -----------------------------------------------------
    QLineEdit* txtWKComPort = nullptr;
    QLineEdit* txtWKWPM = nullptr;
    QLineEdit* txtWeight = nullptr;
    QLineEdit* txtLeadIn = nullptr;
    QLineEdit* txtTail = nullptr;
    QLineEdit* txtRatio = nullptr;
    QGroupBox* fraPin = nullptr;  ///< "Pin 5 Configuration"
    QRadioButton* optPTT = nullptr;
    QRadioButton* optTone = nullptr;
    QRadioButton* optKey5Off3Out = nullptr;
    QRadioButton* optKey5Out3Off = nullptr;
    QGroupBox* fraMode = nullptr;  ///< "Keyer Mode"
    QRadioButton* optIambicB = nullptr;
    QRadioButton* optIambicA = nullptr;
    QRadioButton* optUltimatic = nullptr;
    QRadioButton* optBug = nullptr;
    QLabel* lblOpenStatus = nullptr;
    QLabel* lblVersion = nullptr;
    QLabel* lblSpeedPot = nullptr;
    QLabel* lblEchoBk = nullptr;
    QLabel* lblStatus = nullptr;
    QPushButton* cmdOpenWinkey = nullptr;
    QPushButton* cmdCloseWinkey = nullptr;
    QPushButton* testButton = nullptr;  ///< Test
    QPushButton* bufferTestButton = nullptr;  ///< Buffer Test
    QPushButton* defaultsTestButton = nullptr;  ///< Defaults Test
    QPushButton* cmdStop = nullptr;
    QPushButton* cmdDone = nullptr;
    QLineEdit* typingBox = nullptr;  ///< typing box

protected:
    /// The title bar's close hides the window like Done (without writing
    /// WK.txt): unloading it would close the keyer behind the CW window's back.
    /// Both end what the window is sending.
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildOptions();
    void wireEvents();

    // The boxes' rules and Done (winkey_window.cpp).
    void onComPortLostFocus();
    void onSpeedLostFocus();
    void onWeightLostFocus();
    void onLeadInLostFocus();
    void onTailLostFocus();
    void onRatioLostFocus();
    void onLeadOrTailLostFocus(QLineEdit* box);
    void onDoneClicked();
    void selectOptions();
    void onPinOptionClicked(int value);
    void onModeOptionClicked(int value);

    // The keyer (winkey_window_keyer.cpp).
    void ApplyWinKeySettings();
    void onTestClicked();
    void onBufferTestClicked();
    void onStopClicked();
    /// Stop's work: the keyer and CWSendBuffer emptied.
    void stopSending();
    /// Done and the title bar's close: what the window is sending stops.
    void hideEndingItsSends();
    void onTypingBoxKeyPress(int& KeyAscii);
    /// A paste into the typing box, sent as typing it would be, at once.
    void onTypingBoxPaste(const QString& text);
    /// Shows text in the typing box and queues it for the keyer.
    void sendTyped(const QString& text);
    void appendAndSend(const QString& text);
    /// Waits while the keyer's buffer is nearly full; false when the keyer
    /// was closed or stopped answering meanwhile.
    bool waitForRoom();
    void keyerLost();
    void focusDone();

    app::AppState& m_state;
    keying::WinKeyLink& m_keyer;
    std::function<QString()> m_cwSpeedText;
    platform::KeyRouter* m_keys = nullptr;
};

#pragma once
// "CW String Selections": the CW keyer's settings window and its sender.
// Its controls are the live settings (the eleven messages, interface and
// port, speed, word space, repeat pause, mirror box, timing method): a
// change acts on the next character, and Done writes cw.txt and the two
// registry values. Created hidden from the settings the setup window read,
// it stays loaded until the main window closes.
//
// The class is spread over several files by concern:
//   cw_window.cpp           controls and their layout, wiring, loading
//   cw_window_settings.cpp  the boxes' rules, Done, the option buttons
//   cw_window_sending.cpp   FKeyCW, the send loop's hooks, Transmit, CWSetup

#include "keying/cw_sender.h"
#include "keying/morse_engine.h"

#include <QDialog>
#include <array>
#include <functional>
#include <memory>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QTimer;
class MainWindowBase;

namespace app {
struct AppState;
}
namespace platform {
class KeyRouter;
class SerialLink;
}  // namespace platform

class CwWindow : public QDialog {
public:
    /// mainWindow gives the open main window (null before it opens): the
    /// "!" logs there, and the sender writes its dialog line.
    CwWindow(app::AppState& state, std::function<MainWindowBase*()> mainWindow, QWidget* parent = nullptr);
    ~CwWindow() override;

    /// Scales the window to the work area, reads the timing method and the
    /// loop count from the registry.
    void onLoad();

    // ----- public operations -------------------------------------------
    void FKeyCW(int& keyCode);
    void LoopThroughCWBuffer();
    void onSpeedUp();
    void onSpeedDown();
    /// Keys one character on the chosen line ("!" logs the contact).
    void Transmit(const QString& character);
    /// Closes the CW serial port and, with a port number above 0, opens it
    /// with both lines off (closing the voice keyer's push-to-talk port).
    void CWSetup();
    /// Lets the key line up and closes the CW serial port (closing, Exit,
    /// another keyer taking the port).
    void releaseLine();
    /// Stops the F1 repeat's pause, and the wait for the keyer to finish
    /// that comes before it with the WinKey.
    void stopRepeatTimer();
    /// Esc in this window: the message being sent and its repeat stop, as
    /// Esc in the main window stops them.
    void stopSending();
    [[nodiscard]] bool portOpen() const;
    /// The last send could not key its text, and the operator has been told
    /// why: its port or line failed (said once for the message), or the
    /// WinKey keyer could not be opened or stopped answering. A caller that
    /// hands over its text piece by piece (code practice) stops there
    /// rather than bring one box per piece.
    [[nodiscard]] bool sendFailed() const;
    [[nodiscard]] double LoopsPer60ms() const { return m_loopsPer60ms; }

    /// Shows a window modally; tests put a function in its place.
    std::function<void(QDialog&)> runModal;

    // ----- controls -----------------------------------------------------
    std::array<QLineEdit*, 9> messageBoxesF1ToF9{};  ///< F1 to F9
    QLineEdit* messageBoxF10 = nullptr;           ///< F10
    QLineEdit* messageBoxF11 = nullptr;           ///< F11
    QLineEdit* serialPortBox = nullptr;           ///< serial port number
    QLineEdit* parallelAddressBox = nullptr;           ///< parallel port address
    QLineEdit* speedBox = nullptr;           ///< speed
    QLineEdit* txtSpace = nullptr;         ///< word space
    QLineEdit* txtCWLoop = nullptr;        ///< repeat seconds
    QCheckBox* showTextOnMainCheck = nullptr;
    QGroupBox* keyingOptionsGroup = nullptr;           ///< "Keying Options"
    QRadioButton* keyLineRts = nullptr;       ///< RTS
    QRadioButton* keyLineDtr = nullptr;       ///< DTR
    QRadioButton* keyLinePrinter = nullptr;       ///< Printer
    QRadioButton* keyLineNone = nullptr;       ///< None
    QRadioButton* keyLineWinKey = nullptr;       ///< WinKey
    QRadioButton* optTimer = nullptr;
    QRadioButton* optLoop = nullptr;
    QRadioButton* OptSleep = nullptr;
    QLabel* lblLoop = nullptr;
    QLineEdit* txtLoop = nullptr;
    QPushButton* cmdLoopFaster = nullptr;
    QPushButton* cmdLoopSlower = nullptr;
    QPushButton* doneButton = nullptr;  ///< Done
    QPushButton* testButton = nullptr;  ///< Test
    QLabel* sendingLabel = nullptr;        ///< "Sending!"
    QPushButton* fasterButton = nullptr;  ///< Faster
    QPushButton* slowerButton = nullptr;  ///< Slower
    QPushButton* lessSpaceButton = nullptr;  ///< Less
    QPushButton* moreSpaceButton = nullptr;  ///< More
    QPushButton* codePracticeButton = nullptr;  ///< Send Code Practice
    QPushButton* cmdConfWinkey = nullptr;
    QTimer* tmrRepeat = nullptr;
    /// Polls the WinKey keyer's status while an F1 repeat waits for the
    /// keyer to finish sending.
    QTimer* keyerDoneWatch = nullptr;

protected:
    /// Esc stops the sending; it does not hide the window, which has no
    /// Cancel button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildLegends();
    void wireEvents();
    void fillFromSettings();

    // The boxes' rules, Done and the buttons (cw_window_settings.cpp).
    void onDoneClicked();
    void onTestClicked();
    void onLessSpaceClicked();
    void onMoreSpaceClicked();
    void onCodePracticeClicked();
    void onConfigureWinKeyClicked();
    void onLoopFasterClicked();
    void onLoopSlowerClicked();
    void onKeyingOptionClicked(int keyingOption);
    /// The keying option's own effects, without loading the WinKey window.
    void chooseKeyingOption(int keyingOption);
    void onTimingTimerClicked();
    void onTimingLoopClicked();
    void onTimingSleepClicked();
    void onSerialPortLostFocus();
    void onSpeedChanged();
    void onSpeedLostFocus();
    void onWordSpaceChanged();
    void onWordSpaceLostFocus();
    void onRepeatSecondsLostFocus();
    void onLoopDelayChanged();
    void onMessageBoxKeyPress(int& KeyAscii);
    [[nodiscard]] int selectedOptionButton() const;
    [[nodiscard]] QString timingSelection() const;
    void saveSettingsToState();

    // Sending (cw_window_sending.cpp).
    keying::CwSenderHooks senderHooks();
    [[nodiscard]] QString messageText(int index) const;
    [[nodiscard]] keying::UnitTiming unitTiming() const;
    [[nodiscard]] int wordSpace() const;
    /// Transmit; LeaveToLoop returns at the start of the character's
    /// trailing gap (the line up), the send loop waiting out the rest.
    enum class Gap { Wait, LeaveToLoop };
    void keyCharacter(const QString& character, Gap gap);
    void logStep();
    void setMainDialog(const QString& text);
    void onRepeatTick();
    /// Watches the WinKey keyer until it has sent the message, then starts
    /// the repeat pause.
    void onKeyerDoneWatchTick();
    /// The port could not be opened; inUse says who holds it when another
    /// part of the program does.
    void reportInvalidPort(const QString& inUse);
    /// Stops the message whose key line failed and reports why.
    void stopOnLineFailure(const QString& why);

    app::AppState& m_state;
    std::function<MainWindowBase*()> m_mainWindow;
    platform::KeyRouter* m_keys = nullptr;
    keying::MorseEngine m_engine;
    std::unique_ptr<keying::CwSender> m_sender;
    /// The serial link this window opened for keying; null while closed.
    platform::SerialLink* m_comm = nullptr;
    double m_loopsPer60ms = 0;
    /// The parallel port address last keyed on; -1 before.
    int m_parallelBase = -1;
    /// The port or line failure of the message being sent has been reported.
    bool m_portFailureShown = false;
};

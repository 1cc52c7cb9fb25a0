#pragma once
// "CW String Selections": the CW keyer's settings window and its sender.
// Its controls are the live settings (the eleven messages, interface and
// port, speed, word space, repeat pause, mirror box, timing method): a
// change acts on the next character, and Done writes cw.txt and the two
// registry values. Created hidden from the settings the setup window read,
// it stays loaded until the main window closes.
//
// The class is spread over several files by concern:
//   CWFrm.cpp           controls and their layout, wiring, loading
//   CWFrm_settings.cpp  the boxes' rules, Done, the option buttons
//   CWFrm_sending.cpp   FKeyCW, the send loop's hooks, Transmit, CWSetup

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

class CWFrm : public QDialog {
public:
    /// mainWindow gives the open main window (null before it opens): the
    /// "!" logs there, and the sender writes its dialog line.
    CWFrm(app::AppState& state, std::function<MainWindowBase*()> mainWindow, QWidget* parent = nullptr);
    ~CWFrm() override;

    /// Scales the window to the work area, reads the timing method and the
    /// loop count from the registry.
    void Form_Load();

    // ----- public operations -------------------------------------------
    void FKeyCW(int& keyCode);
    void LoopThroughCWBuffer();
    void UpDown1_UpClick();
    void UpDown1_DownClick();
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
    [[nodiscard]] double LoopsPer60ms() const { return m_loopsPer60ms; }

    /// Shows a window modally; tests put a function in its place.
    std::function<void(QDialog&)> runModal;

    // ----- controls -----------------------------------------------------
    std::array<QLineEdit*, 9> Text1to9{};  ///< F1 to F9
    QLineEdit* Text12 = nullptr;           ///< F10
    QLineEdit* Text13 = nullptr;           ///< F11
    QLineEdit* Text10 = nullptr;           ///< serial port number
    QLineEdit* Text14 = nullptr;           ///< parallel port address
    QLineEdit* Text11 = nullptr;           ///< speed
    QLineEdit* txtSpace = nullptr;         ///< word space
    QLineEdit* txtCWLoop = nullptr;        ///< repeat seconds
    QCheckBox* Check1 = nullptr;
    QGroupBox* Frame1 = nullptr;           ///< "Keying Options"
    QRadioButton* Option1 = nullptr;       ///< RTS
    QRadioButton* Option2 = nullptr;       ///< DTR
    QRadioButton* Option3 = nullptr;       ///< Printer
    QRadioButton* Option4 = nullptr;       ///< None
    QRadioButton* Option5 = nullptr;       ///< WinKey
    QRadioButton* optTimer = nullptr;
    QRadioButton* optLoop = nullptr;
    QRadioButton* OptSleep = nullptr;
    QLabel* lblLoop = nullptr;
    QLineEdit* txtLoop = nullptr;
    QPushButton* cmdLoopFaster = nullptr;
    QPushButton* cmdLoopSlower = nullptr;
    QPushButton* Command1 = nullptr;  ///< Done
    QPushButton* Command4 = nullptr;  ///< Test
    QLabel* Label23 = nullptr;        ///< "Sending!"
    QPushButton* Command2 = nullptr;  ///< Faster
    QPushButton* Command3 = nullptr;  ///< Slower
    QPushButton* Command5 = nullptr;  ///< Less
    QPushButton* Command6 = nullptr;  ///< More
    QPushButton* Command7 = nullptr;  ///< Send Code Practice
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

    // The boxes' rules, Done and the buttons (CWFrm_settings.cpp).
    void Command1_Click();
    void Command4_Click();
    void Command5_Click();
    void Command6_Click();
    void Command7_Click();
    void cmdConfWinkey_Click();
    void cmdLoopFaster_Click();
    void cmdLoopSlower_Click();
    void Option_Click(int keyingOption);
    /// The keying option's own effects, without loading the WinKey window.
    void chooseKeyingOption(int keyingOption);
    void optTimer_Click();
    void optLoop_Click();
    void OptSleep_Click();
    void Text10_LostFocus();
    void Text11_Change();
    void Text11_LostFocus();
    void txtSpace_Change();
    void txtSpace_LostFocus();
    void txtCWLoop_LostFocus();
    void txtLoop_Change();
    void messageBox_KeyPress(int& KeyAscii);
    [[nodiscard]] int selectedOptionButton() const;
    [[nodiscard]] QString timingSelection() const;
    void saveSettingsToState();

    // Sending (CWFrm_sending.cpp).
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
    void tmrRepeat_Timer();
    /// Watches the WinKey keyer until it has sent the message, then starts
    /// the repeat pause.
    void keyerDoneWatch_Timer();
    void reportInvalidPort();
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
    /// The port failure of the message being sent has been reported.
    bool m_portFailureShown = false;
};

#pragma once
// The voice keyer, "Phone Wave Selections": in phone mode F1 to F9 play the
// operator's recorded wave files while a push-to-talk line keys the
// transmitter (RTS or DTR of a serial port, or the parallel port's control
// lines), and F1 can repeat itself after a set pause. The window's boxes are
// the settings: every key reads them afresh. Done writes them to wave2.txt.
//
// The window is made on first use and filled from the settings read at
// start-up; it then stays, shown or hidden, until the main window unloads it.

#include "keying/ptt_lines.h"
#include "platform/wav_player.h"

#include <QDialog>
#include <QHash>
#include <QTimer>
#include <array>
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

struct PhoneWindowSettings;

class VoiceKeyerWindow : public QDialog {
public:
    explicit VoiceKeyerWindow(app::AppState& state, QWidget* parent = nullptr);
    ~VoiceKeyerWindow() override;

    /// Puts the settings read at start-up into the boxes and sets the repeat
    /// timer's interval.
    void fill(const PhoneWindowSettings& settings);
    /// The boxes as settings (what Done writes).
    [[nodiscard]] PhoneWindowSettings settings() const;
    /// Scales the window (once, when it is first shown).
    void onLoad();
    /// The main window's closing: stops the message, drops PTT, closes the
    /// player and the PTT port.
    void onUnload();

    /// Plays the message of F1 to F9 (112 to 120) with PTT keyed and returns
    /// once it has started; F1 arms the repeat when the repeat time is above
    /// 0. Any other key code does nothing. The key code is left unchanged.
    void FKeyPhone(int& keyCode);

    /// Shows the window modally until Done hides it (Voice Setup), and
    /// modelessly in its normal size (Ctrl+P).
    void showModal();
    void showModeless();
    /// How a modal showing runs (tests answer it without a modal loop);
    /// by default the dialog's own loop.
    std::function<void(QDialog&)> runModal;

    /// The PTT port, when the keyer holds one open (0 otherwise).
    [[nodiscard]] int openPttPort() const;
    /// Closes the PTT port (another keyer takes the serial ports).
    void closePttPort();
    /// Drops PTT and stops the message at once (File > Exit).
    void releasePtt();
    /// Another keyer takes the transmitter: the message playing stops, PTT
    /// drops at once and the F1 repeat ends.
    void endMessage();
    /// Esc in this window: the message playing stops (PTT drops at the next
    /// poll) and the F1 repeat ends, as Esc in the main window does.
    void stopMessage();

    // Settings boxes and option buttons.
    QLineEdit* waveBoxF1 = nullptr;
    QLineEdit* waveBoxF2 = nullptr;
    QLineEdit* waveBoxF3 = nullptr;
    QLineEdit* waveBoxF4 = nullptr;
    QLineEdit* waveBoxF5 = nullptr;
    QLineEdit* waveBoxF6 = nullptr;
    QLineEdit* waveBoxF7 = nullptr;
    QLineEdit* waveBoxF8 = nullptr;
    QLineEdit* waveBoxF9 = nullptr;
    QLineEdit* pttSerialPortBox = nullptr;  ///< PTT serial port, 0 for none
    QLineEdit* parallelAddressBox = nullptr;  ///< parallel port address
    QLineEdit* txtPHLoop = nullptr;  ///< F1 repeat seconds
    QGroupBox* pttLineGroup = nullptr;
    QRadioButton* pttLineRts = nullptr;  ///< RTS
    QRadioButton* pttLineDtr = nullptr;  ///< DTR
    QRadioButton* pttLineParallel = nullptr;  ///< Parallel
    QPushButton* doneButton = nullptr;  ///< Done
    std::array<QPushButton*, 9> BrowseButtons{};  ///< beside the boxes of F1 … F9
    QPushButton* testButton = nullptr;  ///< Test
    std::array<QLabel*, 9> KeyLabels{};  ///< "F1" … "F9"
    QLabel* lblRecording = nullptr;
    QLabel* lblLineOutput = nullptr;
    QLabel* lblSerial = nullptr;
    QLabel* lblCaution = nullptr;
    QLabel* lblPhoneMode = nullptr;
    QLabel* lblTest = nullptr;
    QLabel* lblRepeat = nullptr;
    QLabel* lblPort = nullptr;
    QLabel* lblAddress = nullptr;

    /// The wave player; the main windows read its mode and stop it (Esc).
    platform::WavPlayer wavPlayer;
    /// The end-of-message poll (40 ms) and the F1 repeat.
    QTimer endPollTimer;
    QTimer tmrRepeat;

    // Handlers, public so that the timers can be driven by hand.
    void onEndPollTick();
    void onRepeatTick();

protected:
    /// Esc stops the message; it does not hide the window, which has no
    /// Cancel button.
    void keyPressEvent(QKeyEvent* event) override;

private:
    void buildControls();
    void buildPathRows();
    void buildLowerPart();
    void wireEvents();
    [[nodiscard]] QLineEdit* pathBox(int index) const;

    void OpenPTTPort();
    void startKeying(int keyCode);
    void abandonMessage();
    void reportLineError(const QString& error);
    void reportUnplayableFile(const QString& path);

    void onDoneClicked();
    void onTestClicked();
    void onBrowseClicked(int index);
    void onPttSerialPortGotFocus();
    void onPttSerialPortLostFocus();
    void onParallelAddressKeyPress(int& KeyAscii);
    void onRepeatSecondsKeyPress(int& KeyAscii);
    void onRepeatSecondsLostFocus();

    app::AppState& m_state;
    platform::KeyRouter* m_keys = nullptr;
    PttLines m_ptt;
    /// The port number CommPhone is open on, 0 while it is closed, and
    /// that opening of it (a port closed under the keyer and opened since
    /// by another part is not the keyer's).
    int m_commPhonePort = 0;
    quint64 m_commPhoneConnection = 0;
    bool m_loaded = false;
    /// The unplayable files already reported, with the reason given, so
    /// that each is said once.
    QHash<QString, QString> m_unplayableReported;
    /// A shot at the file's end, so PTT drops right after the last sample,
    /// well within the 40 ms poll.
    QTimer m_endShot;
};

}  // namespace keying

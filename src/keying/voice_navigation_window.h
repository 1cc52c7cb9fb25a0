#pragma once
// Voice navigation, "Voice Navigation Settings": for an operator who cannot
// see the screen, a recorded prompt names each entry field as it gains the
// focus, and a duplicate is announced. The window sets how much is spoken
// (VoiceNavLevel: 0 off, 1 the call field only, 2 all data fields); its
// BlindKeyPhone plays a prompt by name from the program folder, for the
// operator alone (no PTT).

#include "platform/wav_player.h"

#include <QDialog>

class QGroupBox;
class QLabel;
class QPushButton;
class QRadioButton;

namespace app {
struct AppState;
}

namespace keying {

class VoiceNavigationWindow : public QDialog {
public:
    explicit VoiceNavigationWindow(app::AppState& state, QWidget* parent = nullptr);
    ~VoiceNavigationWindow() override;

    /// Scales and centres the window, names the program folder and selects
    /// the option of the current level (without announcing it).
    void onLoad();
    /// Closes the player.
    void onUnload();

    /// Plays the prompt "<program folder>/<name>.wav" and returns once it
    /// has started; a prompt still playing is cut off. A missing or
    /// unplayable file plays nothing and reports nothing.
    void BlindKeyPhone(const QString& name);
    /// True while a prompt is playing.
    [[nodiscard]] bool promptPlaying() const;
    /// The longest wait for the prompt that plays now: its length and a
    /// margin, so a player that never reports the end cannot hold the window.
    [[nodiscard]] qint64 promptWaitLimitMs() const;

    /// Shows the window modelessly (Options > Voice Navigation).
    void showModeless();

    QGroupBox* levelGroup = nullptr;
    QRadioButton* levelOff = nullptr;  ///< Off
    QRadioButton* levelCallOnly = nullptr;  ///< Call Only
    QRadioButton* levelAllFields = nullptr;  ///< All Data Fields
    QPushButton* doneButton = nullptr;  ///< Done
    QLabel* introLabel = nullptr;
    QLabel* backgroundHeading = nullptr;
    QLabel* backgroundLabel = nullptr;
    QLabel* enableHeading = nullptr;
    QLabel* folderLabel = nullptr;

    platform::WavPlayer wavPlayer;

    void onLevelOffClicked();
    void onLevelCallOnlyClicked();
    void onLevelAllFieldsClicked();
    void onDoneClicked();

protected:
    /// Esc stops the prompt playing; it does not hide the window, which has
    /// no Cancel button.
    void keyPressEvent(QKeyEvent* event) override;
    /// However the window is closed, it shows the stored level when it is
    /// opened again: only Done changes the level.
    void hideEvent(QHideEvent* event) override;

private:
    void buildControls();
    void selectLevel(int level);

    app::AppState& m_state;
    bool m_loaded = false;
};

}  // namespace keying

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

class BlindFrm : public QDialog {
public:
    explicit BlindFrm(app::AppState& state, QWidget* parent = nullptr);
    ~BlindFrm() override;

    /// Scales and centres the window, names the program folder and selects
    /// the option of the current level (without announcing it).
    void Form_Load();
    /// Closes the player.
    void Form_Unload();

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

    QGroupBox* Frame1 = nullptr;
    QRadioButton* Option1 = nullptr;  ///< Off
    QRadioButton* Option2 = nullptr;  ///< Call Only
    QRadioButton* Option3 = nullptr;  ///< All Data Fields
    QPushButton* Command1 = nullptr;  ///< Done
    QLabel* Label1 = nullptr;
    QLabel* Label2 = nullptr;
    QLabel* Label3 = nullptr;
    QLabel* Label4 = nullptr;
    QLabel* Label7 = nullptr;

    platform::WavPlayer MMControl1;

    void Option1_Click();
    void Option2_Click();
    void Option3_Click();
    void Command1_Click();

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

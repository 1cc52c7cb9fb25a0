#pragma once
// The station setup window (" Setup Information"), the second window of
// every run. Loading reads the preferences, checks the UTC offset, loads the
// reference tables and the keyers' settings; Done stores the station data,
// writes the preferences and the shared preferences, and opens the main
// window of the operator's location.

#include <QWidget>
#include <array>

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

class frmStationID : public QWidget {
public:
    explicit frmStationID(app::AppState& state, QWidget* parent = nullptr);

    /// Runs the loading steps; called once, right after construction.
    void Form_Load();

    static void Cap3(int& KeyAscii);
    static void NumBerr(int& KeyAscii);

    // Visible fields, top to bottom.
    QLineEdit* Text1 = nullptr;  // call sign
    QLineEdit* Text5 = nullptr;  // state / province
    QLineEdit* Text8 = nullptr;  // county
    QLineEdit* Text6 = nullptr;  // hours added for UTC
    QLineEdit* Text2 = nullptr;  // country
    QLineEdit* Text3 = nullptr;  // longitude
    QLineEdit* Text4 = nullptr;  // latitude
    QLineEdit* Text7 = nullptr;  // continent
    QLineEdit* Text9 = nullptr;  // ARRL section
    // Hidden fields that carry their preferences through.
    QLineEdit* Text10 = nullptr;  // name
    QLineEdit* Text11 = nullptr;  // category
    QLineEdit* Text12 = nullptr;  // city

    QGroupBox* Frame1 = nullptr;
    QGroupBox* Frame2 = nullptr;
    QGroupBox* Frame3 = nullptr;
    QRadioButton* Option1 = nullptr;  // in Zivudaduri: Yes
    QRadioButton* Option2 = nullptr;  // in Zivudaduri: No
    QRadioButton* Option3 = nullptr;  // rover: No
    QRadioButton* Option4 = nullptr;  // rover: Yes
    std::array<QRadioButton*, 50> optState{};
    QPushButton* Command1 = nullptr;  // Done

    /// True once Done has run.
    [[nodiscard]] bool done() const { return m_done; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    bool loadSteps();
    void fillFields();

    void Command1_Click();
    void Option1_Click();
    void Option2_Click();
    void optState_Click(int index);
    void Text2_KeyPress(int& KeyAscii);
    void Text8_KeyPress(int& KeyAscii);
    void Text6_LostFocus();
    void unloadWindow();

    app::AppState& m_state;
    platform::KeyRouter* m_keys = nullptr;
    bool m_done = false;
};

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

class StationSetupWindow : public QWidget {
public:
    explicit StationSetupWindow(app::AppState& state, QWidget* parent = nullptr);

    /// Runs the loading steps; called once, right after construction.
    void onLoad();

    static void upperCaseKey(int& KeyAscii);
    static void numberKeyOnly(int& KeyAscii);

    // Visible fields, top to bottom.
    QLineEdit* callBox = nullptr;  // call sign
    QLineEdit* stateProvinceBox = nullptr;  // state / province
    QLineEdit* countyBox = nullptr;  // county
    QLineEdit* utcOffsetBox = nullptr;  // hours added for UTC
    QLineEdit* countryBox = nullptr;  // country
    QLineEdit* longitudeBox = nullptr;  // longitude
    QLineEdit* latitudeBox = nullptr;  // latitude
    QLineEdit* continentBox = nullptr;  // continent
    QLineEdit* arrlSectionBox = nullptr;  // ARRL section
    // Hidden fields that carry their preferences through.
    QLineEdit* nameBox = nullptr;  // name
    QLineEdit* categoryBox = nullptr;  // category
    QLineEdit* cityBox = nullptr;  // city

    QGroupBox* partyGroup = nullptr;
    QGroupBox* inStateGroup = nullptr;
    QGroupBox* roverGroup = nullptr;
    QRadioButton* inStateYes = nullptr;  // in Zivudaduri: Yes
    QRadioButton* inStateNo = nullptr;  // in Zivudaduri: No
    QRadioButton* roverNo = nullptr;  // rover: No
    QRadioButton* roverYes = nullptr;  // rover: Yes
    std::array<QRadioButton*, 50> optState{};
    QPushButton* doneButton = nullptr;  // Done

    /// True once Done has run.
    [[nodiscard]] bool done() const { return m_done; }

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void wireEvents();
    bool loadSteps();
    void fillFields();

    void onDoneClicked();
    void onInStateYesClicked();
    void onInStateNoClicked();
    void onPartyClicked(int index);
    void onCountryKeyPress(int& KeyAscii);
    void onCountyKeyPress(int& KeyAscii);
    void onUtcOffsetLostFocus();
    void unloadWindow();

    app::AppState& m_state;
    platform::KeyRouter* m_keys = nullptr;
    bool m_done = false;
};

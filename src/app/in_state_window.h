#pragma once
// The in-state main window: an operator inside the party state works US
// states, Canadian provinces and DX countries, and sends the own county
// with every contact. Its multipliers are the 58 states and provinces,
// shown as a grid of labels coloured worked or still needed; it lists the
// DX countries and the counties worked and remaining. While a call is typed
// it shows where the station is (country, continent, bearing, distance). A
// rover on a county line has every contact logged once more for each
// further county of the rover county window's list. Everything else is the
// main windows' common frame (MainWindowBase).
//
// The class is spread over several files by concern:
//   in_state_window.cpp              construction, layout, grid, loading hooks
//   in_state_window_multipliers.cpp  sections, county and DX lists, score, grid clicks
//   in_state_window_entry.cpp        state/province/country box, county box focus,
//                          country lookup, distance and bearing
//   in_state_window_logging.cpp      the logging routine, rover re-logging, rig
//                          hand-over while logging

#include "app/main_window_base.h"
#include "log/log_state.h"
#include "log/rover_relog.h"

#include <array>
#include <optional>

class InStateWindow final : public MainWindowBase {
public:
    InStateWindow(app::AppState& state, app::MainWindowServices& services, QWidget* parent = nullptr);

    /// The logging routine: checks and stores the entry, then, for a rover
    /// on a county line, logs the contact once more for each further county.
    void runLoggingRoutine() override;
    void ShowScore() override;

    /// The third multiplier list: counties remaining.
    QListWidget* countiesToGoList = nullptr;
    /// The "All Modes" / "Crnt Mode" button: the county lists count the
    /// contacts of all modes or of the current mode only.
    QPushButton* countyModesButton = nullptr;
    /// The state and province grid; elements 1 to 58 are the sections,
    /// 59 to 64 exist hidden. Element 0 is unused.
    std::array<QLabel*, 65> sectionGrid{};
    /// The headings of the grid's blocks.
    std::vector<QLabel*> gridHeadings;

    /// The state and province table as loaded: abbreviations and names,
    /// entries 1 to StateProvCount (entry 0 empty).
    std::vector<QString> StateProvAbbrev;
    std::vector<QString> StateProvName;
    float StateProvCount = 0;

    /// 0 while no rover re-logging runs, else the list index being logged.
    [[nodiscard]] int RoverIndex() const { return m_relogger.RoverIndex(); }

protected:
    [[nodiscard]] QString loadDialogText() const override;
    void buildListColumns() override;
    void buildMultiplierTable() override;
    void showStationLabels() override;
    void refreshAfterReload() override;
    void showStoredContact(const contactlog::LogAttemptResult& result) override;
    void handKeyOnFromSerial(int& KeyAscii) override;
    [[nodiscard]] QLineEdit* afterSerialBox() const override;
    void onCountyGotFocus() override;
    void afterBandOrModeChange() override;
    void afterCallChange() override;
    void afterCallLeft() override;
    [[nodiscard]] std::vector<QWidget*> sameHeightLists() const override;

private:
    void buildGrid();

    // Multipliers and score (in_state_window_multipliers.cpp).
    void showMultiplierLists();
    void colourSection(int row, bool worked);
    /// Counts and shows one stored contact; a rover's copy earns no points.
    void countStoredContact(bool roverCopy);
    void onCountyModesClicked();
    void onSectionClicked(int index);
    void onSectionMouseMove(int index);
    void onDxListClicked();
    void onCountiesWorkedClicked();
    void onCountiesToGoClicked();

    // Entry boxes and the lookups (in_state_window_entry.cpp).
    void onCountryKeyPress(int& KeyAscii);
    void onCountryGotFocus();
    void onCountryChanged();
    void LookupCallCountry();
    void ShowDistanceBearing(double latitude, double longitude);
    /// Shows the operator's county in ownLocationLabel and keeps the CW mirror.
    void showOwnCounty(const QString& county) override;
    void onOwnCountyChanged();

    // Logging and the rover (in_state_window_logging.cpp).
    /// One logging attempt on the entry boxes; the contact it stored (an
    /// empty source when it stored none).
    contactlog::RoverSource logEntry();
    void LogRoverCounties(const contactlog::RoverSource& source, const QStringList& counties,
                          bool incrementSerial);
    contactlog::RoverCopyOutcome logRoverCopy(const contactlog::RoverCopy& copy);

    /// The DX countries worked, as firstMultiplierList shows them.
    contactlog::DXWorkedList m_dxList;
    std::vector<QString> m_abbrevs;  ///< rows 1..58 without the empty entry 0
    contactlog::RoverRelogger m_relogger;
};

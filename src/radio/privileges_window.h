#pragma once
// "Frequency Privileges": which parts of each band a licence class may use,
// drawn from BandPlan.txt as one black bar per band with the class's CW
// (blue) and phone (green) segments on it. Six buttons choose the class;
// Extra shows when the window opens. The window fills the screen's work
// area and reads the band plan afresh each time it opens; the main windows
// open it modally (Ctrl+F, Band > Privileges) and discard it when it hides.

#include "radio/band_plan.h"
#include "radio/privileges_chart.h"

#include <QDialog>
#include <array>
#include <functional>

class QLabel;
class QPushButton;

namespace app {
struct AppState;
}
namespace platform {
class LineControl;
}

namespace radio {

class PrivilegesWindow : public QDialog {
public:
    explicit PrivilegesWindow(app::AppState& state, QWidget* parent = nullptr);

    /// Creates the window, loads it, shows it through runModal (which
    /// returns once the window is hidden) and discards it.
    static void showModal(app::AppState& state, QWidget* parent,
                          const std::function<void(QDialog&)>& runModal);

    /// Fills the work area, reads the band plan and draws the Extra chart.
    /// A plan that cannot be read is reported and nothing is drawn.
    void onLoad();

    /// Removes the chart and draws that of a class ("N", "T", "P", "G", "A",
    /// "E"). Nothing is drawn from a plan that could not be read whole.
    void ShowPrivileges(const QString& licenceClass);

    /// The chart last drawn, as the labels show it.
    [[nodiscard]] const PrivilegesChart& chart() const { return m_chart; }

    std::array<QPushButton*, 6> classButtons{};  ///< noviceButton to extraButton
    QPushButton* noviceButton = nullptr;  ///< "Novice"
    QPushButton* technicianButton = nullptr;  ///< "Technician"
    QPushButton* techPlusButton = nullptr;  ///< "Tech +"
    QPushButton* generalButton = nullptr;  ///< "General"
    QPushButton* advancedButton = nullptr;  ///< "Advanced"
    QPushButton* extraButton = nullptr;  ///< "Extra"
    QPushButton* doneButton = nullptr;  ///< "Done"
    QLabel* planDateLabel = nullptr;         ///< the plan's date
    QLabel* headingLabel = nullptr;         ///< the heading
    QLabel* cwLegend = nullptr;         ///< "CW" legend
    QLabel* phoneLegend = nullptr;         ///< "Phone" legend
    platform::LineControl* headingLine = nullptr;

    /// The window's copy of the band plan, every row in file order.
    std::vector<BandPlanEntry> BandPlanRows;
    [[nodiscard]] int BandPlanCount() const { return static_cast<int>(BandPlanRows.size()); }

private:
    void buildControls();
    void wireEvents();
    void scaleToWorkArea();
    void LoadBandPlan();
    void onClassClicked(std::size_t index);
    void onDoneClicked();
    void removeChart();
    [[nodiscard]] double fontFactor() const;

    app::AppState& m_state;
    /// False once the plan proved missing or damaged: no chart is drawn
    /// from what was read of it.
    bool m_planUsable = false;
    PrivilegesChart m_chart;
};

}  // namespace radio

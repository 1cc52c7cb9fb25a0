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

class frmBandPlan : public QDialog {
public:
    explicit frmBandPlan(app::AppState& state, QWidget* parent = nullptr);

    /// Creates the window, loads it, shows it through runModal (which
    /// returns once the window is hidden) and discards it.
    static void showModal(app::AppState& state, QWidget* parent,
                          const std::function<void(QDialog&)>& runModal);

    /// Fills the work area, reads the band plan and draws the Extra chart.
    /// A plan that cannot be read is reported and nothing is drawn.
    void Form_Load();

    /// Removes the chart and draws that of a class ("N", "T", "P", "G", "A",
    /// "E"). Nothing is drawn from a plan that could not be read whole.
    void ShowPrivileges(const QString& licenceClass);

    /// The chart last drawn, as the labels show it.
    [[nodiscard]] const PrivilegesChart& chart() const { return m_chart; }

    std::array<QPushButton*, 6> classButtons{};  ///< Command1 to Command6
    QPushButton* Command1 = nullptr;  ///< "Novice"
    QPushButton* Command2 = nullptr;  ///< "Technician"
    QPushButton* Command3 = nullptr;  ///< "Tech +"
    QPushButton* Command4 = nullptr;  ///< "General"
    QPushButton* Command5 = nullptr;  ///< "Advanced"
    QPushButton* Command6 = nullptr;  ///< "Extra"
    QPushButton* Command7 = nullptr;  ///< "Done"
    QLabel* Label1 = nullptr;         ///< the plan's date
    QLabel* Label2 = nullptr;         ///< the heading
    QLabel* Label3 = nullptr;         ///< "CW" legend
    QLabel* Label4 = nullptr;         ///< "Phone" legend
    platform::LineControl* Line1 = nullptr;

    /// The window's copy of the band plan, every row in file order.
    std::vector<BandPlanEntry> BandPlanRows;
    [[nodiscard]] int BandPlanCount() const { return static_cast<int>(BandPlanRows.size()); }

private:
    void buildControls();
    void wireEvents();
    void scaleToWorkArea();
    void LoadBandPlan();
    void classButton_Click(std::size_t index);
    void Command7_Click();
    void removeChart();
    [[nodiscard]] double fontFactor() const;

    app::AppState& m_state;
    /// False once the plan proved missing or damaged: no chart is drawn
    /// from what was read of it.
    bool m_planUsable = false;
    PrivilegesChart m_chart;
};

}  // namespace radio

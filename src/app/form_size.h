#pragma once
// Fitting a main window to the operator's choice of size, after it has
// scaled itself from the design screen:
//   ApplyFormSize  shrinks it to FormSizePercent of the screen, centred;
//   FitToScreen    at 100 % stretches it over the whole screen, or over the
//                  work area when TaskbarDisplay is set, from the top-left
//                  corner;
//   FitListHeights lets the multiplier lists reach down to the line under
//                  them.
// The two main windows hand in the controls these touch through one
// MainWindowFrame, so the rules live here once.

#include <QString>
#include <optional>
#include <vector>

class QAction;
class QWidget;

namespace platform {
class LineControl;
}

namespace app {

struct AppState;

/// The parts of a main window that the fitting touches. Any pointer but
/// window may be null; what is missing is left out.
struct MainWindowFrame {
    QWidget* window = nullptr;
    platform::LineControl* multiplierListsLine = nullptr;  ///< the separator under the multiplier lists
    QWidget* firstMultiplierList = nullptr;                ///< the first multiplier list
    std::vector<QWidget*> sameHeightLists;   ///< countiesWorkedList, and countiesToGoList in the in-state window
    QWidget* contactListView = nullptr;            ///< the contact list (its columns)
    QWidget* txtDX = nullptr;                ///< the spot list (its columns)
    QAction* mnuTaskbar = nullptr;           ///< Options > Appearance > Taskbar
};

/// The height that makes a list whose top is listTop end at a line whose
/// first end point is at lineY1; nullopt when the line lies above the list,
/// which no height can reach.
[[nodiscard]] std::optional<double> listHeightToLine(double lineY1, double listTop);

/// firstMultiplierList ends at multiplierListsLine and the other multiplier lists take its height.
/// False, with nothing changed, when the line lies above firstMultiplierList.
bool FitListHeights(const MainWindowFrame& frame);

/// For FormSizePercent below 100, run once by the loading after the scaling,
/// the list heights and the list columns: hides the window, sizes it and its
/// labels, text boxes, buttons, list boxes and list views (fonts included)
/// and its lines to that share of the screen, centres it, fits the list
/// heights, narrows the columns of both list views and shows it again.
/// A step that fails ends it: FormSizePercent becomes 100 and is saved, and
/// the window is shown as it stands. Returns false then.
bool ApplyFormSize(const MainWindowFrame& frame, AppState& state);

/// Sets the Taskbar check mark from TaskbarDisplay; at a FormSizePercent of
/// exactly 100 also stretches the window and every control over the screen
/// (or the work area) from the top-left corner, widens the spot list's
/// columns by the same ratio and fits the list heights. A step that fails
/// is passed over; the window is visible at the end.
void FitToScreen(const MainWindowFrame& frame, AppState& state);

/// The Form Size menu's reading of an answer: nullopt when it is not a
/// number (Cancel's empty answer included); else forced into 30 to 100 and
/// rounded to a whole number.
[[nodiscard]] std::optional<quint8> formSizeFromAnswer(const QString& answer);

/// Options > Appearance > Form Size: asks for the share of the screen,
/// stores it and asks for a restart; the window keeps its present layout.
void askFormSizePercent(AppState& state);

/// Options > Appearance > Taskbar: at a form size of 100 switches
/// TaskbarDisplay, saves it and fits the window again; otherwise explains
/// why it cannot.
void toggleTaskbarDisplay(const MainWindowFrame& frame, AppState& state);

}  // namespace app

#pragma once
// Scaling a window from the 9,600 by 7,200 twip design screen to the real
// screen, once, when it loads: the window's size and place, and the
// position, size and font of its controls, the end points of its lines and
// the widths of its list-view columns.
//
// ResizeForm and ResizeFormTo are the shared routines; a few windows scale
// themselves with a variant that differs in placement, font factor and the
// kinds of control it touches (ScaleRule).

#include "platform/controls.h"
#include "platform/screen.h"

#include <QString>
#include <set>

class QHeaderView;

namespace platform {

class Prompt;

/// The column header of a list view (a table or tree view), or null.
[[nodiscard]] QHeaderView* columnHeader(QWidget* listView);
/// Multiplies every column width of a list view by factor.
void scaleColumns(QWidget* listView, double factor);

constexpr double DesignScreenWidth = 9600;
constexpr double DesignScreenHeight = 7200;

struct ScaleRule {
    enum class Placement { AboveCentre170, ExactCentre };
    enum class OwnFont { TimesH, TimesNewWidthRatio, TimesW };
    enum class ControlFont { SmallerOfWH, WCappedAt15, W };

    Placement placement = Placement::ExactCentre;
    OwnFont ownFont = OwnFont::TimesNewWidthRatio;
    std::set<ControlKind> sized;   ///< kinds given position and size
    std::set<ControlKind> fonted;  ///< kinds whose font is scaled
    ControlFont controlFont = ControlFont::SmallerOfWH;
    bool comboKeepsHeight = false;
    bool listViewColumns = false;

    /// The shared routine's rule.
    static ScaleRule resizeForm();
    /// The voice keyer settings window.
    static ScaleRule phoneSettings();
    /// The county change window and, with check boxes, the rover's.
    static ScaleRule countyChange(bool withCheckBoxes);
    /// The help page.
    static ScaleRule helpPage();
    /// The multiplier colours window.
    static ScaleRule multiplierColors();
    /// The two main windows.
    static ScaleRule mainWindow();
};

/// Scales window by rule for the given screen. Returns an error description
/// when a factor or a result is out of range; what was scaled stays scaled.
QString scaleWindow(QWidget* window, const ScreenMetrics& screen, const ScaleRule& rule);

/// The shared routine: scales and places the window 170 twips above the
/// centre; a failure is reported once in a box titled "Form Resize Error".
void ResizeForm(QWidget* window, const Screen& screen, Prompt& prompt);

/// The parameterised relative of ResizeForm: centres in the target area
/// without offset and scales the controls by the growth of the client area.
void ResizeFormTo(QWidget* window, float TargetWidth, float TargetHeight, float DesignWidth,
                  float DesignHeight, quint8 UseTargetSize, float FontGrowth,
                  const QString& FontName, Prompt& prompt);

}  // namespace platform

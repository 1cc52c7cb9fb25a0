#pragma once
// The CW window and code practice lay themselves out on the screen's work
// area (the screen less the task bar) rather than the whole screen.

class QWidget;

namespace platform {
struct ScreenMetrics;
}

namespace keying {

/// Scales window and its controls by the work area's size over the design
/// screen (fonts capped at 1.5 times) and centres it in the work area.
/// Returns false when the scaling failed (the window keeps its design).
bool scaleToWorkArea(QWidget* window, const platform::ScreenMetrics& screen);

}  // namespace keying

#pragma once
// The end of the program when the system or the operator's shell tells it
// to end (SIGTERM, SIGINT, SIGHUP): first every key and PTT line is let up,
// then the main window closes as the operator's close would (the windows
// that work for it unloaded, a changed log backed up, a running operating
// time banked), asking nothing and refusing nothing. Before a main window
// is open the program simply ends.

#include <functional>

class MainWindowBase;

namespace platform {
class EndSignals;
}

namespace app {

struct AppState;
class MainWindowServices;

/// The ending itself, for the open main window (null before one opens).
void endOnSignal(MainWindowServices& services, AppState& state, MainWindowBase* window);

/// Runs endOnSignal when endSignals reports a signal; all three must
/// outlive the event loop.
void endProgramOnSignals(platform::EndSignals& endSignals, MainWindowServices& services, AppState& state,
                         std::function<MainWindowBase*()> mainWindow);

}  // namespace app

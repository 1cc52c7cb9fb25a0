#pragma once
// The views of the log that the main windows' menus open: the rate graph,
// the county map and the county list.

namespace app {
class MainWindows;
class ProgramServices;
struct AppState;
}  // namespace app

namespace reports {

/// Fills the menu slots of the Graph, Map and List items.
void installViews(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows);

}  // namespace reports

#pragma once
// Plugs the edit-contact dialogs, the summary dialog with the Cabrillo
// writer, the ADIF and general-logger exports and the clipboard copy into
// the main windows.

namespace app {
class MainWindows;
class ProgramServices;
struct AppState;
}  // namespace app

namespace reports {

void installReports(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows);

}  // namespace reports

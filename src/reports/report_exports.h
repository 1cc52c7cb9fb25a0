#pragma once
// The File menu's exports and the clipboard copy, as the main windows run
// them: the prompts, the file dialog and the messages around the plain
// writers. Every file is written whole to a temporary file and renamed, so a
// failure leaves an earlier file as it was, is reported, and success is
// reported only once the file is complete.

#include <QString>

class MainWindowBase;

namespace app {
struct AppState;
}

namespace reports {

/// Where ADIFCnt.txt is read from: the shared folder, the per-user folder,
/// then the program folder.
[[nodiscard]] QString adifTablePath(const app::AppState& state);

/// File > Export ADIF File.
void ExportADIF(app::AppState& state);
/// The hidden File > Export for Daybook Import: LogExp.txt in the program folder.
void ExportForDaybook(app::AppState& state);
/// File > Copy Listed Items to Clipboard: what the window's contact list shows.
void copyListToClipboard(MainWindowBase& window);

}  // namespace reports

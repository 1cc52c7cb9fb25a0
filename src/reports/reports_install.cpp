#include "reports/reports_install.h"

#include "app/app_state.h"
#include "app/main_window_base.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "reports/summary_sheet_dialog.h"
#include "reports/edit_contact_dialogs.h"
#include "reports/report_exports.h"

namespace reports {

void installReports(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows)
{
    // Every handler is given the window that asks: the one main window of
    // the run, out-of-state or in-state as the operator's location says.
    (void)windows;
    services.onEditContact = [&state](MainWindowBase& window, int recordIndex) {
        showEditDialog(state, window, recordIndex);
    };
    services.menuWindows[app::MenuWindow::WriteSubmission] = [&state](MainWindowBase& window) {
        SummarySheetDialog::showModal(state, window);
    };
    services.menuWindows[app::MenuWindow::ExportAdif] = [&state](MainWindowBase&) { ExportADIF(state); };
    services.menuWindows[app::MenuWindow::ExportDaybook] = [&state](MainWindowBase&) { ExportForDaybook(state); };
    services.menuWindows[app::MenuWindow::CopyListToClipboard] = [](MainWindowBase& window) {
        copyListToClipboard(window);
    };
}

}  // namespace reports

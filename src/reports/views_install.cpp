#include "reports/views_install.h"

#include "app/main_window_base.h"
#include "app/program_services.h"
#include "reports/county_map_window.h"
#include "reports/activity_graph_window.h"
#include "reports/county_list_window.h"

#include <QListWidget>

namespace reports {

namespace {

/// Shows a window modally over the main window; tests replace the showing
/// through the main window's runModal.
std::function<void(QDialog&)> modalOver(MainWindowBase& window)
{
    return [&window](QDialog& dialog) {
        if (window.runModal)
            window.runModal(dialog);
        else
            dialog.exec();
    };
}

/// The main window's list of counties worked, in its order.
QStringList countiesWorked(const MainWindowBase& window)
{
    QStringList names;
    for (int i = 0; i < window.countiesWorkedList->count(); ++i)
        names.append(window.countiesWorkedList->item(i)->text());
    return names;
}

}  // namespace

void installViews(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows)
{
    // Each handler is given the main window that is open, the one whose
    // lists and county box the views read and write.
    (void)windows;
    using app::MenuWindow;
    services.menuWindows[MenuWindow::Graph] = [&state](MainWindowBase& window) {
        ActivityGraphWindow::showModal(state, &window, modalOver(window));
        window.activateWindow();
    };
    services.menuWindows[MenuWindow::CountyMap] = [&state](MainWindowBase& window) {
        CountyMapWindow::showModal(
            state, [&window] { return countiesWorked(window); }, &window, modalOver(window));
        window.activateWindow();
    };
    services.menuWindows[MenuWindow::CountyList] = [&state](MainWindowBase& window) {
        CountyListWindow::showModal(state, window.txtSec, &window, modalOver(window));
        window.activateWindow();
    };
}

}  // namespace reports

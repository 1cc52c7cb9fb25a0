// The contest logger's start: the platform services, the shared state and
// the start-up window, then the event loop.

#include "app/app_state.h"
#include "app/end_on_signal.h"
#include "app/startup_window.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "keying/install_cw_keying.h"
#include "keying/voice_install.h"

#include "keying/winkey_install.h"
#include "platform/end_signals.h"
#include "platform/fonts.h"
#include "radio/radio_install.h"
#include "reports/reports_install.h"
#include "reports/views_install.h"
#include "spots/install_spots.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setQuitOnLastWindowClosed(false);
    platform::installFontSubstitutions();

    platform::WidgetPrompt prompt;
    platform::Beeper beeper;
    platform::SystemClock clock;
    platform::Screen screen;
    platform::Registry registry;
    platform::Services services{prompt, beeper, clock, screen, registry};

    app::AppState state(services);
    state.endProgram = [] { QCoreApplication::exit(0); };
    // Each subsystem plugs its windows and keyers into the main windows
    // here; the services outlive the main windows that call them.
    app::ProgramServices programServices;
    app::MainWindows mainWindows(state);
    reports::installViews(programServices, state, mainWindows);
    reports::installReports(programServices, state, mainWindows);
    keying::installWinKey(programServices, state, mainWindows);
    mainWindows.setServices(programServices);
    keying::installVoice(programServices, state, mainWindows);
    spots::installSpots(programServices, state, mainWindows);
    state.openMainWindow = [&mainWindows] { mainWindows.open(); };
    keying::installCwKeying(programServices, state, mainWindows);
    // After the keyers: on Exit or a signal their lines go up first, and
    // only then does the rig's port wait for its closing bytes.
    radio::installRadio(programServices, state, mainWindows);
    // Logout, shutdown, kill, Ctrl+C or a closed terminal: the key and PTT
    // lines go up, then the program ends as closing the main window ends it.
    platform::EndSignals endSignals;
    app::endProgramOnSignals(endSignals, programServices, state, [&mainWindows] { return mainWindows.window(); });

    StartupWindow splash(state, app::UserFolderEnvironment::fromSystem());
    splash.onLoad();
    return QApplication::exec();
}

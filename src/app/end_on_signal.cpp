#include "app/end_on_signal.h"

#include "app/app_state.h"
#include "app/closing.h"
#include "app/main_window_base.h"
#include "app/main_window_services.h"
#include "platform/end_signals.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace app {

void endOnSignal(MainWindowServices& services, AppState& state, MainWindowBase* window)
{
    // The lines first: whatever happens after, no transmitter stays keyed.
    stopKeyingForGood(state.keying);
    services.releaseKeyingAndPorts();
    if (window) {
        window->closeOnEndRequest();
        return;
    }
    if (!state.endProgram)
        return;
    state.endProgram();
    // Once more from the event loop, in case the signal came before the
    // program's own loop started running (the setup window's start).
    QMetaObject::invokeMethod(
        QCoreApplication::instance(), [&state] { state.endProgram(); }, Qt::QueuedConnection);
}

void endProgramOnSignals(platform::EndSignals& endSignals, MainWindowServices& services, AppState& state,
                         std::function<MainWindowBase*()> mainWindow)
{
    QObject::connect(&endSignals, &platform::EndSignals::endRequested, &endSignals,
                     [&services, &state, mainWindow = std::move(mainWindow)] {
                         endOnSignal(services, state, mainWindow ? mainWindow() : nullptr);
                     });
}

}  // namespace app

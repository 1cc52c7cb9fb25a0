#include "keying/install_cw_keying.h"

#include "app/app_state.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "keying/cw_window.h"
#include "keying/winkey_driver.h"

#include <QLineEdit>
#include <QRadioButton>
#include <QTimer>

namespace keying {

CwKeyer::CwKeyer(app::AppState& state, std::function<MainWindowBase*()> mainWindow)
    : m_state(state), m_mainWindow(std::move(mainWindow))
{
}

CwKeyer::~CwKeyer() = default;

CwWindow& CwKeyer::window()
{
    if (!m_window) {
        m_window = std::make_unique<CwWindow>(m_state, m_mainWindow);
        m_window->onLoad();
        // The settings chose the WinKey: its window loads now, reading the
        // speed box of this window, which is whole by now.
        if (m_window->keyLineWinKey->isChecked() && m_state.keying.winKey)
            m_state.keying.winKey->loadWindow();
    }
    return *m_window;
}

void CwKeyer::unload()
{
    if (!m_window)
        return;
    m_window->stopRepeatTimer();
    m_window->releaseLine();
    m_window->hide();
    // Closing from inside the send loop: the loop is still on the stack.
    m_window.release()->deleteLater();
}

void installCwKeying(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows)
{
    installCwKeying(services, state, [&windows] { return windows.window(); });
}

std::shared_ptr<CwKeyer> installCwKeying(app::ProgramServices& services, app::AppState& state,
                                         std::function<MainWindowBase*()> mainWindow)
{
    auto keyer = std::make_shared<CwKeyer>(state, std::move(mainWindow));
    std::weak_ptr<CwKeyer> weak = keyer;

    state.keying.closePort.cwKeyingPort = [weak] {
        if (auto k = weak.lock(); k && k->existing())
            k->existing()->releaseLine();
    };
    // A voice message about to go out ends the CW message first, as Esc
    // would.
    state.keying.endMessage.cwMessage = [weak] {
        if (auto k = weak.lock(); k && k->existing())
            k->existing()->stopSending();
    };
    services.onFKeyCW = [keyer](int& keyCode) { keyer->window().FKeyCW(keyCode); };
    services.onSpeedUp = [keyer] { keyer->window().onSpeedUp(); };
    services.onSpeedDown = [keyer] { keyer->window().onSpeedDown(); };
    services.onCwSpeedText = [keyer] { return keyer->window().speedBox->text(); };
    services.onLoopThroughCWBuffer = [keyer] { keyer->window().LoopThroughCWBuffer(); };
    services.onStopCwRepeatTimer = [keyer] {
        if (CwWindow* w = keyer->existing())
            w->stopRepeatTimer();
    };
    services.shortcutWindows[app::ShortcutWindow::CwKeyer] = [keyer](MainWindowBase&) {
        CwWindow& w = keyer->window();
        w.setWindowState(w.windowState() & ~Qt::WindowMinimized);
        w.show();
        w.raise();
        w.activateWindow();
    };
    services.menuWindows[app::MenuWindow::CwSetup] = [keyer](MainWindowBase&) {
        CwWindow& w = keyer->window();
        w.runModal(w);
    };
    services.unloaders[app::SatelliteWindow::CwWindow] = [keyer](MainWindowBase&) { keyer->unload(); };
    services.releaseHooks.push_back([weak] {
        if (auto k = weak.lock(); k && k->existing())
            k->existing()->releaseLine();
    });
    return keyer;
}

}  // namespace keying

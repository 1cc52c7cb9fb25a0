#include "app/main_windows.h"

#include "app/forwarding_window.h"
#include "app/in_state_window.h"
#include "app/out_of_state_window.h"
#include "app/app_state.h"

#include <QLineEdit>

namespace app {

MainWindows::MainWindows(AppState& state) : m_state(state) {}

MainWindows::~MainWindows() = default;

void MainWindows::open()
{
    if (m_window)
        return;
    m_forwardingWindow = std::make_unique<ForwardingWindow>(m_state);
    if (m_state.prefs.OutOfStateFlag != 0) {
        m_window = std::make_unique<OutOfStateWindow>(m_state, *m_services);
        m_forwardingWindow->setMainWindows(m_window.get(), nullptr);
    } else {
        m_window = std::make_unique<InStateWindow>(m_state, *m_services);
        m_forwardingWindow->setMainWindows(nullptr, m_window.get());
    }
    m_window->setForwardingWindowUnload([this] { m_forwardingWindow.reset(); });
    // The whole loading happens before the window is first seen, the
    // question about the existing log included.
    m_window->onLoad();
    if (m_window->programEnded())
        return;
    m_window->show();
    m_window->activateWindow();
    m_window->txtCall->setFocus();
}

}  // namespace app

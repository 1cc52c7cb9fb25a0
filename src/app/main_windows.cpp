#include "app/main_windows.h"

#include "app/Form1.h"
#include "app/Infrm.h"
#include "app/Outfrm.h"
#include "app/app_state.h"

#include <QLineEdit>

namespace app {

MainWindows::MainWindows(AppState& state) : m_state(state) {}

MainWindows::~MainWindows() = default;

void MainWindows::open()
{
    if (m_window)
        return;
    m_form1 = std::make_unique<Form1>(m_state);
    if (m_state.prefs.OutOfStateFlag != 0) {
        m_window = std::make_unique<Outfrm>(m_state, *m_services);
        m_form1->setMainWindows(m_window.get(), nullptr);
    } else {
        m_window = std::make_unique<Infrm>(m_state, *m_services);
        m_form1->setMainWindows(nullptr, m_window.get());
    }
    m_window->setForwardingWindowUnload([this] { m_form1.reset(); });
    // The whole loading happens before the window is first seen, the
    // question about the existing log included.
    m_window->Form_Load();
    if (m_window->programEnded())
        return;
    m_window->show();
    m_window->activateWindow();
    m_window->txtCall->setFocus();
}

}  // namespace app

#pragma once
// The hand-over from the setup window to the main window of the operator's
// location, which lives for the rest of the run, together with the hidden
// forwarding window through which the rig interface, the spotting window and
// the spectrum map reach it.

#include "app/main_window_services.h"

#include <memory>

class ForwardingWindow;
class MainWindowBase;

namespace app {

struct AppState;

class MainWindows {
public:
    explicit MainWindows(AppState& state);
    ~MainWindows();

    /// What the main window asks of the other subsystems; the defaults do
    /// nothing. Set before open(); the object must outlive the window.
    void setServices(MainWindowServices& services) { m_services = &services; }

    /// Creates, loads and shows the out-of-state window when OutOfStateFlag
    /// is set and the in-state window otherwise, with the forwarding window
    /// that passes calls on to it. Called once.
    void open();

    /// The main window that open() created; null before.
    [[nodiscard]] MainWindowBase* window() const { return m_window.get(); }

    /// The hidden forwarding window: created with the main window, before
    /// the main window starts rig polling, and unloaded in the main window's
    /// closing order (null before and after).
    [[nodiscard]] ForwardingWindow* forwardingWindow() const { return m_forwardingWindow.get(); }

private:
    AppState& m_state;
    MainWindowServices m_noServices;
    MainWindowServices* m_services = &m_noServices;
    std::unique_ptr<MainWindowBase> m_window;
    std::unique_ptr<ForwardingWindow> m_forwardingWindow;
};

}  // namespace app

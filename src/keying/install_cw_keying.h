#pragma once
// Plugs the CW keyer into the main windows: the function keys, the speed
// arrows, keyboard CW, the repeat stop, the CW window's shortcut, menu item
// and unloading, and the release of the key line on Exit.

#include <functional>
#include <memory>

class CwWindow;
class MainWindowBase;

namespace app {
struct AppState;
class MainWindows;
class ProgramServices;
}  // namespace app

namespace keying {

/// The CW window, created hidden at its first use from the settings the
/// setup window read, and kept until the main window unloads it.
class CwKeyer {
public:
    CwKeyer(app::AppState& state, std::function<MainWindowBase*()> mainWindow);
    ~CwKeyer();
    CwWindow& window();
    [[nodiscard]] CwWindow* existing() const { return m_window.get(); }
    /// Key line up, port closed, repeat stopped, window discarded.
    void unload();

private:
    app::AppState& m_state;
    std::function<MainWindowBase*()> m_mainWindow;
    std::unique_ptr<CwWindow> m_window;
};

void installCwKeying(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows);

/// The same, with the open main window given by mainWindow (tests).
std::shared_ptr<CwKeyer> installCwKeying(app::ProgramServices& services, app::AppState& state,
                                         std::function<MainWindowBase*()> mainWindow);

}  // namespace keying

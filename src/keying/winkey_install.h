#pragma once
// Plugs the WinKey keyer into the program: the CW window's WinKey interface
// (the sender, the speed, loading and showing the WinKey window), the main
// windows' Esc and Backspace and their status reads, the voice keyer taking
// the port, the window's unloading when the main window closes, and the
// keyer's closing on Exit.

#include "keying/winkey_driver.h"
#include "keying/winkey_link.h"

#include <functional>
#include <memory>

class WinKeyWindow;

namespace app {
struct AppState;
class MainWindows;
class ProgramServices;
}  // namespace app

namespace keying {

/// The WinKey window, created hidden at its first use, and the driver of
/// the keyer it opens; both live until the program ends.
class WinKeySupport final : public WinKeyDriver {
public:
    /// cwSpeedText gives the text of the CW window's speed box.
    WinKeySupport(app::AppState& state, std::function<QString()> cwSpeedText);
    ~WinKeySupport() override;

    // ----- the CW window's side (WinKeyDriver) --------------------------
    void WKTransmit() override;
    bool keyerSending() override;
    void wk_clearbuf() override;
    void wk_wpm(int wordsPerMinute) override;
    /// Loads the window, hidden, when it is not loaded yet.
    void loadWindow() override;
    void showWindowModally() override;

    /// The window, created and loaded when it does not exist yet.
    WinKeyWindow& window();
    [[nodiscard]] WinKeyWindow* existing() const { return m_window.get(); }
    WinKeyLink& keyer() { return m_keyer; }

    /// The main window closes: the window unloads and closes the keyer.
    void unload();
    /// Exit, or another keyer taking the port: the keyer is closed.
    void closeKeyer();

private:
    app::AppState& m_state;
    WinKeyLink m_keyer;
    std::function<QString()> m_cwSpeedText;
    std::unique_ptr<WinKeyWindow> m_window;
};

void installWinKey(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows);

/// The same, returning the support (tests).
std::shared_ptr<WinKeySupport> installWinKey(app::ProgramServices& services, app::AppState& state);

}  // namespace keying

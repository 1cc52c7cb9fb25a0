#pragma once
// The voice keyer and voice navigation plugged into the main windows: the
// phone F-keys, Esc and the repeat, the field and "Dupe" prompts, Ctrl+P and
// the Voice Setup and Voice Navigation menu items, the closing and File > Exit.

#include <QString>
#include <functional>
#include <memory>

namespace app {
class ProgramServices;
struct AppState;
class MainWindows;
}  // namespace app
namespace platform {
class WavPlayer;
}

namespace keying {

class VoiceNavigationWindow;
class VoiceKeyerWindow;

/// Owns the two windows, each made on first use and kept until the main
/// window unloads it.
class VoiceKeying {
public:
    explicit VoiceKeying(app::AppState& state);
    ~VoiceKeying();

    /// Fills the services' voice slots with this object's windows; the
    /// services keep it alive.
    static std::shared_ptr<VoiceKeying> install(app::ProgramServices& services, app::AppState& state);

    VoiceKeyerWindow& phone();
    VoiceNavigationWindow& blind();
    [[nodiscard]] VoiceKeyerWindow* phoneIfLoaded() const { return m_phone.get(); }
    [[nodiscard]] VoiceNavigationWindow* blindIfLoaded() const { return m_blind.get(); }
    void unloadPhone();
    void unloadBlind();
    /// Drops PTT, stops both players and closes the PTT port.
    void release();

    /// Runs on each window's player when the window is made (tests make
    /// them silent and give them a recorder).
    std::function<void(platform::WavPlayer&)> preparePlayer;

private:
    app::AppState& m_state;
    std::unique_ptr<VoiceKeyerWindow> m_phone;
    std::unique_ptr<VoiceNavigationWindow> m_blind;
};

void installVoice(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows);

}  // namespace keying

#include "keying/voice_install.h"

#include "app/app_state.h"
#include "app/program_services.h"
#include "keying/voice_navigation_window.h"
#include "keying/voice_keyer_window.h"

namespace keying {

VoiceKeying::VoiceKeying(app::AppState& state) : m_state(state) {}

VoiceKeying::~VoiceKeying()
{
    unloadPhone();
    unloadBlind();
}

VoiceKeyerWindow& VoiceKeying::phone()
{
    if (!m_phone) {
        m_phone = std::make_unique<VoiceKeyerWindow>(m_state);
        if (preparePlayer)
            preparePlayer(m_phone->wavPlayer);
        m_phone->fill(m_state.phoneSettings);
        m_phone->onLoad();
    }
    return *m_phone;
}

VoiceNavigationWindow& VoiceKeying::blind()
{
    if (!m_blind) {
        m_blind = std::make_unique<VoiceNavigationWindow>(m_state);
        if (preparePlayer)
            preparePlayer(m_blind->wavPlayer);
        m_blind->onLoad();
    }
    return *m_blind;
}

void VoiceKeying::unloadPhone()
{
    if (!m_phone)
        return;
    m_phone->onUnload();
    // Should the window be wanted again, it comes back as the operator left it.
    m_state.phoneSettings = m_phone->settings();
    m_phone.reset();
}

void VoiceKeying::unloadBlind()
{
    if (!m_blind)
        return;
    m_blind->onUnload();
    m_blind.reset();
}

void VoiceKeying::release()
{
    if (m_phone) {
        m_phone->releasePtt();
        m_phone->closePttPort();
    }
    if (m_blind)
        m_blind->wavPlayer.close();
}

std::shared_ptr<VoiceKeying> VoiceKeying::install(app::ProgramServices& services, app::AppState& state)
{
    auto voice = std::make_shared<VoiceKeying>(state);
    using app::MenuWindow;
    using app::SatelliteWindow;
    using app::ShortcutWindow;
    services.onFKeyPhone = [voice](int& keyCode) { voice->phone().FKeyPhone(keyCode); };
    services.onStopVoiceRepeatTimer = [voice] {
        if (VoiceKeyerWindow* p = voice->phoneIfLoaded())
            p->tmrRepeat.stop();
    };
    services.onVoicePlaying = [voice] {
        const VoiceKeyerWindow* p = voice->phoneIfLoaded();
        return p && p->wavPlayer.mode() == platform::WavPlayer::ModePlaying;
    };
    services.onStopVoicePlayback = [voice] {
        if (VoiceKeyerWindow* p = voice->phoneIfLoaded())
            p->wavPlayer.stop();
    };
    services.onBlindKeyPhone = [voice](const QString& name) { voice->blind().BlindKeyPhone(name); };
    services.onNavigationPromptPlaying = [voice] {
        const VoiceNavigationWindow* b = voice->blindIfLoaded();
        return b && b->promptPlaying();
    };
    services.shortcutWindows[ShortcutWindow::VoiceKeyer] = [voice](MainWindowBase&) {
        voice->phone().showModeless();
    };
    services.menuWindows[MenuWindow::VoiceSetup] = [voice](MainWindowBase&) { voice->phone().showModal(); };
    services.menuWindows[MenuWindow::VoiceNavigation] = [voice](MainWindowBase&) {
        voice->blind().showModeless();
    };
    services.unloaders[SatelliteWindow::VoiceKeyerWindow] = [voice](MainWindowBase&) { voice->unloadPhone(); };
    services.unloaders[SatelliteWindow::VoiceNavigationWindow] = [voice](MainWindowBase&) { voice->unloadBlind(); };
    services.releaseHooks.push_back([voice] { voice->release(); });
    // The CW keying port and the WinKey take the serial ports from the
    // push-to-talk port before they open theirs.
    // Held weakly: the keying state outlives the services that own the
    // windows.
    state.keying.closePort.voicePttPort = [weak = std::weak_ptr<VoiceKeying>(voice)] {
        if (const auto v = weak.lock())
            if (VoiceKeyerWindow* p = v->phoneIfLoaded())
                p->closePttPort();
    };
    // A CW message about to be keyed ends the voice message first.
    state.keying.endMessage.voiceMessage = [weak = std::weak_ptr<VoiceKeying>(voice)] {
        if (const auto v = weak.lock())
            if (VoiceKeyerWindow* p = v->phoneIfLoaded())
                p->endMessage();
    };
    return voice;
}

void installVoice(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows)
{
    (void)windows;  // the voice windows stand on their own, beside the main window
    VoiceKeying::install(services, state);
}

}  // namespace keying

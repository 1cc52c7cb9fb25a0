#include "keying/winkey_install.h"

#include "app/app_state.h"
#include "app/main_window_services.h"
#include "app/program_services.h"
#include "keying/winkey_window.h"

namespace keying {

WinKeySupport::WinKeySupport(app::AppState& state, std::function<QString()> cwSpeedText)
    : m_state(state), m_keyer(state.hardware), m_cwSpeedText(std::move(cwSpeedText))
{
}

WinKeySupport::~WinKeySupport()
{
    m_window.reset();
    m_keyer.wk_close();
}

WinKeyWindow& WinKeySupport::window()
{
    if (!m_window) {
        m_window = std::make_unique<WinKeyWindow>(m_state, m_keyer, m_cwSpeedText);
        m_window->onLoad();
    }
    return *m_window;
}

void WinKeySupport::WKTransmit() { window().WKTransmit(); }

bool WinKeySupport::keyerSending()
{
    if (m_state.keying.WinKeyOpen == 0 || !m_keyer.isOpen() || m_keyer.keyerLost())
        return false;
    return m_keyer.wk_getstatus() > WinKeyIdle;
}

void WinKeySupport::wk_clearbuf() { m_keyer.wk_clearbuf(); }

void WinKeySupport::wk_wpm(int wordsPerMinute) { m_keyer.wk_wpm(wordsPerMinute); }

void WinKeySupport::loadWindow() { (void)window(); }

void WinKeySupport::showWindowModally()
{
    WinKeyWindow& w = window();
    if (w.runModal)
        w.runModal(w);
    else
        w.exec();
}

void WinKeySupport::unload()
{
    if (m_window)
        m_window->onUnload();
    else
        m_keyer.wk_close();
    m_state.keying.WinKeyOpen = 0;
}

void WinKeySupport::closeKeyer()
{
    if (m_window)
        m_window->onCloseClicked();
    else
        m_keyer.wk_close();
    m_state.keying.WinKeyOpen = 0;
}

void installWinKey(app::ProgramServices& services, app::AppState& state, app::MainWindows& windows)
{
    (void)windows;
    (void)installWinKey(services, state);
}

std::shared_ptr<WinKeySupport> installWinKey(app::ProgramServices& services, app::AppState& state)
{
    auto speed = [&services, &state] {
        // Without a CW window the speed is the one the setup window read.
        return services.onCwSpeedText ? services.cwSpeedText() : state.cwSettings.speed;
    };
    auto support = std::make_shared<WinKeySupport>(state, speed);
    std::weak_ptr<WinKeySupport> weak = support;
    state.keying.winKey = support.get();
    state.keying.closePort.winKey = [weak] {
        if (auto s = weak.lock())
            s->closeKeyer();
    };
    services.onWkGetStatus = [support] { return support->keyer().wk_getstatus(); };
    services.onWkClearBuf = [support] { support->keyer().wk_clearbuf(); };
    services.onWkBackspace = [support] { support->keyer().wk_backspace(); };
    services.unloaders[app::SatelliteWindow::WinKeyWindow] = [support](MainWindowBase&) { support->unload(); };
    services.releaseHooks.push_back([weak] {
        if (auto s = weak.lock())
            s->closeKeyer();
    });
    return support;
}

}  // namespace keying

#include "radio/radio_install.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "app/main_windows.h"
#include "app/main_window_base.h"
#include "app/program_services.h"
#include "radio/privileges_window.h"
#include "radio/tune_window.h"

namespace radio {

RadioControl::RadioControl(app::AppState& state, std::function<ForwardingWindow*()> forwardingWindow)
    : m_state(state), m_forwardingWindow(std::move(forwardingWindow)), m_waits(std::make_unique<RigWaits>())
{
}

RadioControl::~RadioControl() = default;

void RadioControl::setWaits(std::unique_ptr<RigWaits> waits) { m_waits = std::move(waits); }

RigInterfaceWindow& RadioControl::rigWindow()
{
    if (!m_window) {
        RigWindowLinks links;
        links.forwardingWindow = m_forwardingWindow;
        links.runModal = [this](QDialog& d) {
            if (runModal)
                runModal(d);
            else
                d.exec();
        };
        links.waits = m_waits.get();
        m_window = std::make_unique<RigInterfaceWindow>(m_state, std::move(links));
        m_window->onLoad();
    }
    return *m_window;
}

void RadioControl::ChangeFrequency(float& qChangeFreq) { rigWindow().ChangeFrequency(qChangeFreq); }

void RadioControl::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    rigWindow().ChangeMode(qChangeFrequency, ModeToChangeTo);
}

void RadioControl::startPolling() { rigWindow().onTestClicked(); }

void RadioControl::showRigWindow()
{
    RigInterfaceWindow& w = rigWindow();
    w.show();
    w.raise();
    w.activateWindow();
}

void RadioControl::unloadRigWindow()
{
    if (!m_window)
        return;
    m_window->shutDown();
    // Deleting the window under a tune that waits inside it would pull the
    // floor from under that handler; it goes with the program instead.
    if (m_window->tuning())
        m_retired.push_back(std::move(m_window));
    m_window.reset();
}

void RadioControl::release()
{
    if (m_tuneWindow)
        m_tuneWindow->stopScan();
    if (m_window)
        m_window->shutDown();
}

void RadioControl::showTuneWindow()
{
    RigTuneLinks links;
    links.ChangeFrequency = [this](float& mhz) { ChangeFrequency(mhz); };
    links.ChangeMode = [this](float mhz, QString& mode) { ChangeMode(mhz, mode); };
    TuneWindow tune(m_state, std::move(links));
    m_tuneWindow = &tune;
    tune.onLoad();
    if (runModal)
        runModal(tune);
    else
        tune.exec();
}

std::shared_ptr<RadioControl> installRadio(app::ProgramServices& services, app::AppState& state,
                                           app::MainWindows& mainWindows)
{
    auto radio = std::make_shared<RadioControl>(state, [&mainWindows] { return mainWindows.forwardingWindow(); });
    services.onStartRigPolling = [radio] { radio->startPolling(); };
    services.onChangeFrequency = [radio](float& mhz) { radio->ChangeFrequency(mhz); };
    services.onChangeMode = [radio](float mhz, QString& mode) { radio->ChangeMode(mhz, mode); };
    const auto show = [radio](MainWindowBase&) { radio->showRigWindow(); };
    services.shortcutWindows[app::ShortcutWindow::RigInterface] = show;
    services.menuWindows[app::MenuWindow::RigInterface] = show;
    services.shortcutWindows[app::ShortcutWindow::RigTune] = [radio](MainWindowBase&) { radio->showTuneWindow(); };
    services.unloaders[app::SatelliteWindow::RigInterfaceWindow] = [radio](MainWindowBase&) {
        radio->unloadRigWindow();
    };
    services.releaseHooks.push_back([radio] { radio->release(); });
    // The privileges chart needs no rig: it only reads the band plan.
    const auto privileges = [&state](MainWindowBase& window) {
        PrivilegesWindow::showModal(state, &window, [&window](QDialog& d) {
            if (window.runModal)
                window.runModal(d);
            else
                d.exec();
        });
        window.activateWindow();
    };
    services.shortcutWindows[app::ShortcutWindow::Privileges] = privileges;
    services.menuWindows[app::MenuWindow::Privileges] = privileges;
    return radio;
}

}  // namespace radio

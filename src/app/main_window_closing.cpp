// The main window's life after loading: activation, the mouse over its
// surface, and the closing that ends the program. Closing is refused while
// the port sender keys a message; otherwise it unloads every window that
// works for this one, in a fixed order, backs up a changed log, banks a
// running operating-time clock and ends the program. Exit ends it at once.

#include "app/main_window_base.h"

#include "app/app_state.h"
#include "app/closing.h"
#include "reports/rover_county_change_dialog.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

bool MainWindowBase::event(QEvent* event)
{
    if (event->type() == QEvent::WindowActivate)
        onActivate();
    return QMainWindow::event(event);
}

void MainWindowBase::onActivate() { RefreshBandMap(); }

void MainWindowBase::RefreshBandMap()
{
    if (!lblDX->isHidden())
        m_services.DisplayBandMapLabels(*this);
}

void MainWindowBase::onMouseMove()
{
    // A duplicate warning, the partial calls or a spot's details go as soon
    // as the mouse leaves the controls.
    lblDupe->clear();
}

void MainWindowBase::closeEvent(QCloseEvent* event)
{
    if (m_programEnded) {
        event->accept();
        return;
    }
    bool Cancel = false;
    onQueryUnload(Cancel);
    if (Cancel) {
        event->ignore();
        return;
    }
    onUnload();
    event->accept();
    onTerminate();
}

void MainWindowBase::onQueryUnload(bool& Cancel)
{
    // The port sender lets events run between characters: with its buffer
    // emptied it stops after the character it is keying, and the operator's
    // next close goes through.
    if (app::closeRequestRefused(m_state.keying))
        Cancel = true;
}

void MainWindowBase::onUnload()
{
    using app::SatelliteWindow;
    app::stopKeyingForGood(m_state.keying);
    for (SatelliteWindow which : {SatelliteWindow::VoiceKeyerWindow, SatelliteWindow::CwWindow,
                                  SatelliteWindow::VoiceNavigationWindow, SatelliteWindow::SpottingWindow,
                                  SatelliteWindow::SpectrumMap, SatelliteWindow::RigInterfaceWindow})
        m_services.unload(*this, which);
    if (m_unloadForwardingWindow)
        m_unloadForwardingWindow();
    if (m_rover)
        m_rover->unload();
    m_services.unload(*this, SatelliteWindow::WinKeyWindow);
    app::BackupLog(m_state);
}

void MainWindowBase::onTerminate()
{
    app::bankRunningOperatingTime(m_state);
    endProgram();
}

void MainWindowBase::closeOnEndRequest()
{
    if (m_programEnded)
        return;
    // The close request without its refusal: the buffer is emptied, and a
    // running send loop has seen the end request and keys nothing more.
    app::stopKeyingForGood(m_state.keying);
    onUnload();
    onTerminate();
}

void MainWindowBase::onExitClicked()
{
    // Exit skips the closing that unloads each window, and with it the
    // windows' own closing steps: the keying lines and ports are released
    // here, and a message being keyed ends after its current character,
    // so that no transmitter stays keyed after the program has gone.
    app::stopKeyingForGood(m_state.keying);
    m_services.releaseKeyingAndPorts();
    app::bankRunningOperatingTime(m_state);
    endProgram();
}

void MainWindowBase::endProgram()
{
    m_programEnded = true;
    rateTimer->stop();
    clockTimer->stop();
    if (m_state.endProgram)
        m_state.endProgram();
}

// Tuning the rig for the other windows: ChangeFrequency puts the rig on a
// frequency, first in the band plan's sideband for it; ChangeMode sets a
// mode. Both wait between their commands, letting events run, so a key or
// a poll can be handled meanwhile; the window may even be told to close
// then, and the tune ends without sending anything further.

#include "radio/rig_interface_window.h"

#include "app/app_state.h"
#include "platform/events.h"
#include "radio/rig_waits.h"

#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace radio {

void RigInterfaceWindow::WaitForOutputDrain()
{
    m_links.waits->WaitForOutputDrain([this] { return m_port.outputPending(); });
}

void RigInterfaceWindow::reportTuneError(const QString& description)
{
    m_state.services.prompt.messageBox(description, platform::MsgButtons::Ok, platform::MsgIcon::None,
                                       QStringLiteral("Error Changing Frequency"));
    // Polling stays stopped after the error; the window says so, as after
    // End Test, and Test opens the port afresh and starts it again.
    pollingLabel->hide();
    endTestButton->setEnabled(false);
}

void RigInterfaceWindow::ChangeFrequency(float& qChangeFreq)
{
    if (!tmrGetData->isActive() || m_shutDown)
        return;
    platform::ReentryGuard guard(m_tuning);
    if (!guard.entered())
        return;
    tmrGetData->stop();
    const float frequency = qChangeFreq;
    m_loop.setRigType(m_state.prefs.RigType);
    const RigModel* model = m_loop.model();
    const RigFamily* family = m_loop.family();

    if (usesPort()) {
        if (!m_port.isOpen()) {
            reportTuneError(QStringLiteral("The rig's serial port is not open."));
            return;
        }
        m_port.discardInput();
    }
    m_loop.forgetInput();

    QString sideband;
    ChangeMode(frequency, sideband);
    if (m_shutDown)
        return;
    WaitForOutputDrain();

    if (model && family) {
        bool first = true;
        for (int pause : model->setFrequencyPauseMs) {
            if (pause <= 0)
                continue;
            if (!first)
                m_links.waits->letEventsRun();
            first = false;
            m_links.waits->WaitMilliseconds(pause);
            if (m_shutDown)
                return;
        }
        if (!family->usesSerialPort()) {
            if (const auto problem = family->setFrequencyWithoutPort(frequency, m_loop.RigMode, m_loop.rig)) {
                reportTuneError(*problem);
                return;
            }
        } else if (const auto command = family->setFrequencyCommand(frequency, m_loop.rig)) {
            if (!m_port.write(*command)) {
                reportTuneError(QStringLiteral("The rig's serial port could not be written to."));
                return;
            }
        }
    }
    WaitForOutputDrain();
    if (!m_shutDown)
        tmrGetData->start();
}

void RigInterfaceWindow::ChangeMode(float qChangeFrequency, QString& ModeToChangeTo)
{
    if (m_state.prefs.RigType == QLatin1String("None") || m_shutDown)
        return;
    if (ModeToChangeTo.isEmpty())
        SidebandFromBandPlan(m_bandPlan, qChangeFrequency, ModeToChangeTo);
    if (ModeToChangeTo.isEmpty()) {
        WaitForOutputDrain();
        return;
    }
    m_links.waits->letEventsRun();
    if (m_shutDown)
        return;
    WaitForOutputDrain();
    m_links.waits->WaitMilliseconds(99);
    if (m_shutDown)
        return;
    m_loop.setRigType(m_state.prefs.RigType);
    const RigFamily* family = m_loop.family();
    const auto command = family && family->usesSerialPort()
                             ? family->setModeCommand(ModeToChangeTo, m_loop.rig)
                             : std::nullopt;
    if (command && !m_port.write(*command)) {
        m_state.services.prompt.messageBox(
            QStringLiteral("The rig's serial port could not be written to.") + QLatin1Char(' ') +
                ModeToChangeTo,
            platform::MsgButtons::Ok, platform::MsgIcon::None, QStringLiteral("Error Changing Mode"));
        return;
    }
    WaitForOutputDrain();
}

}  // namespace radio

// The rig's port and the poll loop: opening the port, the timer's send and
// read ticks, showing what was read and handing it to the main window.

#include "radio/rig_interface_window.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "platform/line_recorder.h"
#include "radio/rig_text.h"

#include <QCheckBox>
#include <QLabel>
#include <QRadioButton>
#include <QTimer>

namespace radio {

namespace {

constexpr std::int64_t ReopenIntervalNs = 1'000'000'000;

}  // namespace

bool RigInterfaceWindow::usesPort() const
{
    const RigFamily* family = m_loop.family();
    return !family || family->usesSerialPort();
}

bool RigInterfaceWindow::openPortQuietly(bool reopening)
{
    // A port opened again after it was lost stays the rig's all the while
    // (another part that took it meanwhile would leave the rig without it
    // once the device is back); any other opening starts afresh.
    if (!reopening)
        m_port.close();
    const RigModel* model = m_loop.model();
    QString error;
    bool ok = m_port.open(m_settings.Port, m_settings.PortSettings, model && model->rtsHandshake, error);
    if (ok) {
        // A pty has no modem lines; a line that cannot be raised does not
        // stop the rig from answering, so it is no reason to give up.
        if (m_settings.Power == QLatin1String("R"))
            m_port.setRts(true);
        else if (m_settings.Power == QLatin1String("D"))
            m_port.setDtr(true);
        if (model && *model->openBytes) {
            if (const auto bytes = PackedHexToBytes(QString::fromLatin1(model->openBytes)))
                ok = m_port.write(*bytes);
        }
    }
    m_loop.forgetInput();
    m_loop.setCharacterTime(m_port.nsPerCharacter());
    if (!ok && reopening)
        m_port.closeKeepingPort();
    else if (!ok)
        m_port.close();
    m_portLost = false;
    return ok;
}

bool RigInterfaceWindow::OpenRigPort()
{
    if (openPortQuietly())
        return true;

    m_state.services.beeper.beep();
    m_state.services.prompt.messageBox(
        QStringLiteral("The comm port that you selected for rig interface is either in use, invalid or the "
                       "settings that you have selected are invalid.  Please select another combination "
                       "or choose None for your rig selection."),
        platform::MsgButtons::Ok, platform::MsgIcon::Information, QStringLiteral("Invalid Comm Settings."));
    // At start-up the window is not on the screen yet: it comes up so that
    // the operator can correct the settings.
    if (!isVisible() && !m_shutDown) {
        if (m_links.runModal)
            m_links.runModal(*this);
        else
            exec();
    }
    return false;
}

void RigInterfaceWindow::StartPolling()
{
    const QString& rate = m_settings.PollRate;
    if (rate == QLatin1String("F"))
        tmrGetData->setInterval(50);
    else if (rate == QLatin1String("M"))
        tmrGetData->setInterval(250);
    else if (rate == QLatin1String("S"))
        tmrGetData->setInterval(1000);
    else if (rate == QLatin1String("R"))
        tmrGetData->setInterval(5000);
    if (!m_shutDown)
        tmrGetData->start();
}

void RigInterfaceWindow::onPollTick()
{
    // One tick at a time: a main-window handler run by the hand-over may let
    // events run, and the timer must not start a tick inside this one.
    if (m_inTick || m_shutDown)
        return;
    m_inTick = true;
    m_loop.setRigType(m_state.prefs.RigType);
    if (m_loop.ReadTickNext == 0)
        sendTick();
    else
        readTick();
    m_inTick = false;
}

void RigInterfaceWindow::sendTick()
{
    const RigFamily* family = m_loop.family();
    if (usesPort()) {
        if (m_portLost && !reopenLostPort()) {
            m_loop.countUnreadPoll();
            noteSilence();
            return;
        }
        // A port that is gone ends the tick; the next tick tries again.
        const std::optional<int> pending = m_port.outputPending();
        if (!pending)
            return;
        takeArrivals();
        if (*pending == 0 && family) {
            // A block still coming in is never cut in two by the next
            // question: it waits, and what has arrived stays to be read.
            const std::int64_t now = platform::monotonicNs();
            if (m_loop.questionWaits(now)) {
                m_loop.ReadTickNext = 1;
                return;
            }
            const QByteArray queries = m_loop.sendTickBytes(now);
            if (!queries.isEmpty() && !m_port.write(queries)) {
                m_portLost = true;
                return;
            }
        }
    }
    m_loop.ReadTickNext = 1;
}

bool RigInterfaceWindow::reopenLostPort()
{
    // A USB adapter pulled out and plugged in again comes back as a new
    // device: the port is opened afresh (the port table is read again) about
    // once a second, without a word, until the rig is there again.
    const std::int64_t now = platform::monotonicNs();
    if (now - m_lastReopenNs < ReopenIntervalNs)
        return false;
    m_lastReopenNs = now;
    if (openPortQuietly(true))
        return true;
    m_portLost = true;
    return false;
}

void RigInterfaceWindow::takeArrivals()
{
    for (const ArrivedBytes& piece : m_port.takeArrivals())
        m_loop.takeArrived(piece.bytes, piece.ns);
}

void RigInterfaceWindow::readTick()
{
    if (usesPort()) {
        if (!m_port.isOpen())
            return;
        takeArrivals();
    }
    const PollLoop::ReadOutcome outcome = m_loop.readTick(platform::monotonicNs());
    if (outcome.heard) {
        if (OptFreq->isChecked())
            m_loop.ModeFromFrequency();
        if (isVisible())
            showReading(outcome);
        handOver(outcome);
    } else {
        // Bytes that gave no reading show as they came, so that the
        // operator sees what the rig sends; otherwise the poll is one of a
        // rig that does not answer: nothing is shown or handed over as read.
        if (outcome.answered && isVisible())
            showReply();
        noteSilence();
        // A rig reached through files says what is wrong with them.
        if (!outcome.problem.isEmpty() && isVisible())
            lblUnProcess->setText(outcome.problem);
    }
    m_loop.RigReplyText.clear();
    m_loop.ReadTickNext = 0;
}

void RigInterfaceWindow::showReading(const PollLoop::ReadOutcome& outcome)
{
    // Only a frequency this reply carried: after "No Response" the one the
    // rig had before it fell silent is no news of where it is now.
    if (outcome.frequencyRead && m_loop.RigFrequency > 0)
        lblFreq->setText(frequencyCaption(m_loop.RigFrequency));
    lblMode->setText(m_loop.RigMode);
    showReply();
}

void RigInterfaceWindow::showReply()
{
    const QByteArray& reply = m_loop.RigReplyText;
    lblUnProcess->setText(ChkConvHex->isChecked() ? BytesToHexText(reply) : QString::fromLatin1(reply));
}

void RigInterfaceWindow::handOver(const PollLoop::ReadOutcome& outcome)
{
    ForwardingWindow* form1 = m_links.forwardingWindow ? m_links.forwardingWindow() : nullptr;
    if (!form1)
        return;
    // Only a frequency that a whole reply of this poll gave: an old one, or
    // the 0 of a rig not read yet, must never reach a logged contact.
    if (chkFrequency->isChecked() && outcome.frequencyRead && m_loop.RigFrequency > 0) {
        float frequency = m_loop.RigFrequency;
        form1->BandFreqConversion(frequency);
    }
    if (!OptDont->isChecked()) {
        QString mode = m_loop.RigMode;
        form1->ModeSelection(mode);
    }
}

void RigInterfaceWindow::noteSilence()
{
    // A rig switched off or unplugged, or one whose answers cannot be read:
    // the captions say so again, as after Test, instead of showing what it
    // said last. Polling goes on, and the rig's first reading puts them
    // right.
    if (!m_loop.rigSilent())
        return;
    lblFreq->setText(QStringLiteral("No Response"));
    lblMode->setText(QStringLiteral("No Response"));
}

}  // namespace radio

// The spotting window's buttons and keys: Open Port, Close Port, Done,
// Spot Last, the send box, Esc / Ctrl+C, activation and unloading.

#include "spots/spotting_window.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "platform/fresh_text.h"
#include "platform/key_events.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using spots::ConnectionKind;

bool SpottingWindow::listening() const { return !listeningLabel->isHidden(); }

bool SpottingWindow::listDxOnly() const { return listDxOnlyCheck->isChecked(); }

spots::SpotConnection* SpottingWindow::chosenConnection()
{
    if (isConnectionType("TNC"))
        return &connection(ConnectionKind::Tnc);
    if (isConnectionType("Telnet"))
        return &connection(ConnectionKind::Telnet);
    if (isConnectionType("AGW Packet Engine"))
        return &connection(ConnectionKind::Agw);
    return nullptr;
}

void SpottingWindow::onOpenPortClicked()
{
    replaceMonitor(QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen())
        tnc.close();
    if (!isConnectionType("None")) {
        listeningLabel->show();
        if (isVisible() && sendBox->isEnabled())
            sendBox->setFocus();
    }
    // The TNC's settings are what the option groups show when it opens.
    if (isConnectionType("TNC"))
        readSerialOptions();
    if (spots::SpotConnection* c = chosenConnection())
        c->open();
}

void SpottingWindow::onClosePortClicked()
{
    if (!listening())
        return;
    listeningLabel->hide();
    appendMonitor(QStringLiteral("\r\n\r\n** Port Closed **"));
    TrimMonitor();
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen())
        tnc.close();
    connection(ConnectionKind::Telnet).close();
    if (isConnectionType("AGW Packet Engine"))
        connection(ConnectionKind::Agw).close();
    pollTimer->stop();
}

void SpottingWindow::onDoneClicked()
{
    if (!isConnectionType("None") && !listening())
        onOpenPortClicked();
    if (ForwardingWindow* form1 = m_forwardingWindow ? m_forwardingWindow() : nullptr) {
        form1->SavePref();
        SaveSpotSettings();
        form1->PacketResize();
    } else {
        app::SaveQSOPref(m_state);
        SaveSpotSettings();
    }
    hide();
}

void SpottingWindow::onSpotLastClicked()
{
    const auto& log = m_state.log.contacts;
    const QString last = log.ContactCount() > 0 ? log.record(log.ContactCount()).LogCall : QString();
    sendBox->setText(QStringLiteral("DX Frequency in kHz ") + last);
    sendBox->setFocus();
    sendBox->setSelection(3, 16);
}

void SpottingWindow::onActivate()
{
    // With no type chosen yet the send box is disabled; the focus stays put.
    if (isConnectionType("None") || m_settings.ConnectionType.isEmpty())
        return;
    TrimMonitor();
    if (sendBox->isEnabled())
        sendBox->setFocus();
}

void SpottingWindow::onKeyDown(int& KeyCode, int Shift)
{
    const bool esc = KeyCode == platform::vbkey::Escape;
    const bool ctrlC = KeyCode == 'C' && Shift == platform::CtrlMask;
    if (!esc && !ctrlC)
        return;
    listDxOnlyCheck->setChecked(false);
    if (!listening())
        onOpenPortClicked();
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen() && isConnectionType("TNC")) {
        bool ok = false;
        const uint code = commandCharBox->text().trimmed().toUInt(&ok, 16);
        if (!ok || code > 255)
            return;
        tnc.writeRaw(QByteArray(1, static_cast<char>(code)));
        KeyCode = 0;
        m_cancelKeyPress = true;
        sendBox->setFocus();
    }
    if (sendBox->text().isEmpty() && sendBox->isEnabled())
        sendBox->setFocus();
}

void SpottingWindow::onKeyPress(int& KeyAscii)
{
    if (m_cancelKeyPress) {
        m_cancelKeyPress = false;
        KeyAscii = 0;
    }
}

void SpottingWindow::onSendBoxKeyPress(int& KeyAscii)
{
    if (spots::SpotConnection* c = chosenConnection())
        c->sendBoxKeyPress(KeyAscii);
    if (KeyAscii == 27) {
        KeyAscii = 0;
        return;
    }
    if (KeyAscii != 13)
        return;
    KeyAscii = 0;
    const QString text = sendBox->text();
    if (!listening())
        onOpenPortClicked();
    if (spots::SpotConnection* c = chosenConnection())
        c->sendTyped(text);
    // Emptied for good: Ctrl+Z brings back nothing for Enter to send again.
    platform::setTextAfresh(sendBox);
}

void SpottingWindow::onSendBoxChanged()
{
    if (spots::SpotConnection* c = chosenConnection())
        c->sendBoxChanged();
}

void SpottingWindow::showModeless()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void SpottingWindow::onUnload()
{
    m_unloading = true;
    for (auto& c : m_connections)
        if (c)
            c->unload();
    pollTimer->stop();
    hide();
}

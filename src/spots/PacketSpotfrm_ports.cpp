// The spotting window's buttons and keys: Open Port, Close Port, Done,
// Spot Last, the send box, Esc / Ctrl+C, activation and unloading.

#include "spots/PacketSpotfrm.h"

#include "app/forwarding_window.h"
#include "app/app_state.h"
#include "platform/key_events.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QTimer>

using spots::ConnectionKind;

bool PacketSpotfrm::listening() const { return !Label4->isHidden(); }

bool PacketSpotfrm::listDxOnly() const { return chkDX->isChecked(); }

spots::SpotConnection* PacketSpotfrm::chosenConnection()
{
    if (isConnectionType("TNC"))
        return &connection(ConnectionKind::Tnc);
    if (isConnectionType("Telnet"))
        return &connection(ConnectionKind::Telnet);
    if (isConnectionType("AGW Packet Engine"))
        return &connection(ConnectionKind::Agw);
    return nullptr;
}

void PacketSpotfrm::Command1_Click()
{
    replaceMonitor(QStringLiteral("** Attempting to Open Port **\r\n\r\n"));
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen())
        tnc.close();
    if (!isConnectionType("None")) {
        Label4->show();
        if (isVisible() && txtSent->isEnabled())
            txtSent->setFocus();
    }
    // The TNC's settings are what the option groups show when it opens.
    if (isConnectionType("TNC"))
        readSerialOptions();
    if (spots::SpotConnection* c = chosenConnection())
        c->open();
}

void PacketSpotfrm::Command2_Click()
{
    if (!listening())
        return;
    Label4->hide();
    appendMonitor(QStringLiteral("\r\n\r\n** Port Closed **"));
    TrimMonitor();
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen())
        tnc.close();
    connection(ConnectionKind::Telnet).close();
    if (isConnectionType("AGW Packet Engine"))
        connection(ConnectionKind::Agw).close();
    Timer1->stop();
}

void PacketSpotfrm::cmdDone_Click()
{
    if (!isConnectionType("None") && !listening())
        Command1_Click();
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

void PacketSpotfrm::Command3_Click()
{
    const auto& log = m_state.log.contacts;
    const QString last = log.ContactCount() > 0 ? log.record(log.ContactCount()).LogCall : QString();
    txtSent->setText(QStringLiteral("DX Frequency in kHz ") + last);
    txtSent->setFocus();
    txtSent->setSelection(3, 16);
}

void PacketSpotfrm::Form_Activate()
{
    // With no type chosen yet the send box is disabled; the focus stays put.
    if (isConnectionType("None") || m_settings.ConnectionType.isEmpty())
        return;
    TrimMonitor();
    if (txtSent->isEnabled())
        txtSent->setFocus();
}

void PacketSpotfrm::Form_KeyDown(int& KeyCode, int Shift)
{
    const bool esc = KeyCode == platform::vbkey::Escape;
    const bool ctrlC = KeyCode == 'C' && Shift == platform::CtrlMask;
    if (!esc && !ctrlC)
        return;
    chkDX->setChecked(false);
    if (!listening())
        Command1_Click();
    spots::SpotConnection& tnc = connection(ConnectionKind::Tnc);
    if (tnc.isOpen() && isConnectionType("TNC")) {
        bool ok = false;
        const uint code = txtHex->text().trimmed().toUInt(&ok, 16);
        if (!ok || code > 255)
            return;
        tnc.writeRaw(QByteArray(1, static_cast<char>(code)));
        KeyCode = 0;
        m_cancelKeyPress = true;
        txtSent->setFocus();
    }
    if (txtSent->text().isEmpty() && txtSent->isEnabled())
        txtSent->setFocus();
}

void PacketSpotfrm::Form_KeyPress(int& KeyAscii)
{
    if (m_cancelKeyPress) {
        m_cancelKeyPress = false;
        KeyAscii = 0;
    }
}

void PacketSpotfrm::txtSent_KeyPress(int& KeyAscii)
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
    const QString text = txtSent->text();
    if (!listening())
        Command1_Click();
    if (spots::SpotConnection* c = chosenConnection())
        c->sendTyped(text);
    txtSent->clear();
}

void PacketSpotfrm::txtSent_Change()
{
    if (spots::SpotConnection* c = chosenConnection())
        c->sendBoxChanged();
}

void PacketSpotfrm::showModeless()
{
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void PacketSpotfrm::Form_Unload()
{
    m_unloading = true;
    for (auto& c : m_connections)
        if (c)
            c->unload();
    Timer1->stop();
    hide();
}

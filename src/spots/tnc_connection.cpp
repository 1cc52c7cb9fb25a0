// A packet TNC on a serial port. The port opens with the settings chosen in
// the window and the lines down, then raises the line that powers the TNC;
// each timer tick reads what arrived and the window cuts it into lines.
// Typed text goes out with a CR; Esc or Ctrl+C sends the command-mode
// character through writeRaw.

#include "app/app_state.h"
#include "platform/serial_link.h"
#include "spots/spotting_window.h"
#include "spots/spot_connection_kinds.h"

#include <QTimer>

namespace spots {

namespace {

class TncConnection final : public SpotConnection {
public:
    explicit TncConnection(SpottingWindow& window) : m_window(window) {}

    /// OpenTncConnection has read the option groups into the settings:
    /// OpenTncPort.
    void open() override
    {
        close();
        const SpotSettings& s = m_window.settings();
        platform::SerialSettings serial;
        bool ok = false;
        serial.baudRate = s.Baud.trimmed().toInt(&ok);
        const int dataBits = s.DataBits.trimmed().toInt();
        const QString parity = s.Parity.trimmed().toUpper();
        const QString stop = s.StopBits.trimmed();
        if (!ok || serial.baudRate <= 0 || (dataBits != 7 && dataBits != 8) || parity.size() != 1
            || !QStringLiteral("NOE").contains(parity) || (stop != u'1' && stop != u'2'))
            return fail();
        serial.dataBits = dataBits;
        serial.parity = parity.at(0).toLatin1();
        serial.stopBits = stop.toInt();
        // Handshaking codes: 1 none, 2 XON/XOFF, 3 RTS/CTS, 4 both.
        serial.rtsCts = s.Handshaking == 3 || s.Handshaking == 4;
        serial.xonXoff = s.Handshaking == 2 || s.Handshaking == 4;
        // Held only once opened: a port the rig or a keyer holds is refused,
        // and closing this connection must not close it under them.
        platform::SerialLink& link = m_window.state().hardware.serial(s.Port);
        if (!link.open(s.Port, serial, QStringLiteral("the spotting window's TNC")))
            return fail();
        m_link = &link;
        const QString power = s.Power.trimmed().toUpper();
        bool powered = true;
        if (power == u'R')
            powered = m_link->setRts(true);
        else if (power == u'D')
            powered = m_link->setDtr(true);
        if (m_link->isOpen())
            m_window.pollTimer->start();
        m_window.appendMonitor(QStringLiteral("** TNC Serial Port Open **\r\n\r\n"));
        // A pty or an adapter without modem lines cannot power the TNC.
        if (!powered)
            m_window.appendMonitor(QStringLiteral("** ") + m_link->lastLineErrorText() + QStringLiteral(" **\r\n\r\n"));
    }

    void close() override
    {
        if (m_link && m_link->isOpen())
            m_link->close();
        m_link = nullptr;
    }

    [[nodiscard]] bool isOpen() const override { return m_link && m_link->isOpen(); }

    /// PollTncInput: everything that arrived since the last tick.
    void poll() override
    {
        if (!isOpen())
            return;
        const QByteArray bytes = m_link->readAll();
        if (!bytes.isEmpty())
            m_window.receiveTncText(QString::fromLatin1(bytes));
    }

    void sendTyped(const QString& text) override
    {
        if (m_window.isConnectionType("TNC") && isOpen())
            m_link->write(text.toLatin1() + '\r');
    }

    void writeRaw(const QByteArray& bytes) override
    {
        if (isOpen())
            m_link->write(bytes);
    }

private:
    void fail()
    {
        auto& services = m_window.state().services;
        services.beeper.beep();
        m_window.appendMonitor(QStringLiteral("** Unable to open TNC Serial Port **\r\n\r\n"));
        services.prompt.message(
            QStringLiteral("The comm port that you selected for DX Spotting is either in use, invalid or the "
                           "settings that you have selected are invalid.  Please select another combination or "
                           "choose None for your DX Spot selection."),
            QStringLiteral("Invalid Comm Settings."));
        // An open at load finds the window hidden: the operator must see why.
        if (!m_window.isVisible())
            m_window.showModeless();
        m_window.onClosePortClicked();
        m_window.pollTimer->stop();
    }

    SpottingWindow& m_window;
    platform::SerialLink* m_link = nullptr;
};

}  // namespace

std::unique_ptr<SpotConnection> makeTncConnection(SpottingWindow& window)
{
    return std::make_unique<TncConnection>(window);
}

}  // namespace spots

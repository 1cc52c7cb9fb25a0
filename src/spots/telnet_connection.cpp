// A DX cluster reached over TCP as a telnet user reaches it. The program
// sends nothing by itself: the cluster's login prompt shows in the monitor
// and the operator answers it through the send box. What arrives goes to
// the window with the telnet negotiation removed; the window cuts it into
// lines. A failure, the cluster closing the connection included, is shown
// in words and closes the window's connection.

#include "app/app_state.h"
#include "platform/tcp_link.h"
#include "spots/spotting_window.h"
#include "spots/spot_connection_kinds.h"
#include "spots/telnet_text.h"

#include <QLineEdit>
#include <QTimer>

namespace spots {

namespace {

class TelnetConnection final : public SpotConnection {
public:
    explicit TelnetConnection(SpottingWindow& window) : m_window(window)
    {
        QObject::connect(&m_link, &platform::TcpLink::received, &m_window,
                         [this](const QByteArray& bytes) { m_window.receiveTelnetBlock(m_decoder.decode(bytes)); });
        QObject::connect(&m_link, &platform::TcpLink::failed, &m_window, [this](int number) { onError(number); });
    }

    /// ConnectTelnet.
    void open() override
    {
        m_link.close();
        bool ok = false;
        const int port = m_window.telnetPortBox->text().trimmed().toInt(&ok);
        if (!ok)
            return;
        const QString host = m_window.telnetHostBox->text();
        if (!m_link.connectTo(host, port))
            return;
        m_decoder.reset();
        m_window.clearTelnetLines();
        m_window.replaceMonitor(QStringLiteral("Attempting connection to: ") + m_link.host() + u':'
                                + QString::number(m_link.port()) + QStringLiteral("\r\n\r\n"));
        m_window.pollTimer->start();
    }

    void close() override { m_link.close(); }

    [[nodiscard]] bool isOpen() const override { return m_link.isConnected(); }

    /// SendTelnetText.
    void sendTyped(const QString& text) override
    {
        if (m_link.isConnected()) {
            m_link.send(text.toLatin1() + "\r\n");
            return;
        }
        m_window.appendMonitor(
            QStringLiteral("**  Connection not yet established.  Please wait a moment and try again.\r\n\r\n"));
        m_window.TrimMonitor();
    }

private:
    void onError(int number)
    {
        const QString text = WinsockErrorText(number);
        m_link.close();
        m_window.appendMonitor(text);
        m_window.onClosePortClicked();
        m_window.TrimMonitor();
        m_window.state().services.beeper.beep();
    }

    SpottingWindow& m_window;
    TelnetDecoder m_decoder;
    platform::TcpLink m_link;
};

}  // namespace

std::unique_ptr<SpotConnection> makeTelnetConnection(SpottingWindow& window)
{
    return std::make_unique<TelnetConnection>(window);
}

}  // namespace spots

// The AGW Packet Engine, reached over its TCP interface. Opening registers
// the station call and asks for monitored frames; frames arrive as TCP
// delivers them and wait in a bounded queue, from which each timer tick
// takes one. The operator connects to a cluster station with ":C CALL",
// disconnects with ":D", and typed lines go to the connected station.

#include "app/app_state.h"
#include "platform/fresh_text.h"
#include "platform/tcp_link.h"
#include "spots/spotting_window.h"
#include "spots/agw_engine_address.h"
#include "spots/agw_frame.h"
#include "spots/spot_connection_kinds.h"
#include "spots/spot_line.h"

#include <QLabel>
#include <QLineEdit>
#include <QTimer>

namespace spots {

namespace {

const QString CrLf = QStringLiteral("\r\n");

/// The longest the goodbye to the engine may hold the program.
constexpr int GoodbyeMs = 500;

/// Every CR and every LF made CR LF (so a CR LF pair becomes two).
QString crLfEach(const QString& text)
{
    QString out;
    out.reserve(text.size() + 8);
    for (const QChar c : text) {
        if (c == u'\r' || c == u'\n')
            out += CrLf;
        else
            out += c;
    }
    return out;
}

class AgwConnection final : public SpotConnection {
public:
    explicit AgwConnection(SpottingWindow& window) : m_window(window)
    {
        QObject::connect(&m_link, &platform::TcpLink::connected, &m_window, [this] { onConnected(); });
        QObject::connect(&m_link, &platform::TcpLink::received, &m_window, [this](const QByteArray& bytes) {
            m_reader.add(bytes);
            if (m_reader.broken())
                lost();
        });
        QObject::connect(&m_link, &platform::TcpLink::failed, &m_window, [this](int) {
            if (m_registered)
                lost();
            else
                unreachable();
        });
    }

    /// StartAgw. The engine is reached when the TCP connection completes.
    void open() override
    {
        m_call = trimBlanks(m_window.state().prefs.MyCall);
        if (m_call.isEmpty()) {
            m_window.state().services.beeper.beep();
            m_window.state().services.prompt.message(
                QStringLiteral("Please enter your call sign on the setup form to transmit!"),
                QStringLiteral("Call Sign Required!"));
            return;
        }
        m_reader.clear();
        m_registered = false;
        const AgwEngineAddress address = loadAgwEngineAddress(
            m_window.state().folders.programFile(QString::fromLatin1(AgwEngineAddress::FileName)));
        if (!m_link.connectTo(address.host, address.port))
            unreachable();
    }

    ~AgwConnection() override { closeEngine(); }

    /// Close Port's step: says goodbye to a connected station, then AGWClose.
    void close() override
    {
        disconnectStation();
        closeEngine();
    }

    /// The window goes with the main window (closed, File > Exit): the
    /// engine hears the same goodbye as from Close Port.
    void unload() override { closeEngine(); }

    [[nodiscard]] bool isOpen() const override { return m_link.isConnected(); }

    /// PollAgw: one frame per tick.
    void poll() override
    {
        std::optional<AgwFrame> frame = m_reader.next();
        if (frame)
            handleFrame(*frame);
    }

    void sendTyped(const QString& text) override
    {
        if (m_window.pollTimer->isActive())
            SendAgwText(text);
    }

    void sendBoxKeyPress(int& KeyAscii) override
    {
        if (KeyAscii == 27)
            KeyAscii = ':';
    }

    /// Typed text goes out in pieces of more than 70 characters, cut at a blank.
    void sendBoxChanged() override
    {
        if (m_sendingPiece || !m_window.pollTimer->isActive())
            return;
        const QString text = m_window.sendBox->text();
        if (text.size() <= 70 || !text.endsWith(u' '))
            return;
        m_sendingPiece = true;
        const QString piece = text.left(text.size() - 1);
        m_window.sendBox->setText(piece);
        SendAgwText(piece);
        platform::setTextAfresh(m_window.sendBox);
        m_sendingPiece = false;
    }

private:
    void onConnected()
    {
        // The engine delivers frames for a registered call, monitored
        // frames once asked.
        m_registered = true;
        put('X', QString());
        put('m', QString());
        m_window.pollTimer->start();
        m_window.appendMonitor(CrLf + QStringLiteral("** Successfully connected to AGW Packet Engine **") + CrLf
                               + CrLf);
    }

    void unreachable()
    {
        m_link.close();
        const QString first = QStringLiteral(
            "Unable to connect to the AGW Packet Engine.  To use the AGW Packet Engine to send and receive packet "
            "with your soundcard or devices such a Baypac:");
        const QString download =
            QStringLiteral("- Download the freely available software from https://www.sv2agw.com/");
        const QString blank = CrLf + CrLf;
        m_window.state().services.prompt.message(
            first + blank + download + blank
                + QStringLiteral("- Make sure the AGW Packet Engine software is running and configure it as "
                                 "described on the AGW Packet Engine website."),
            QStringLiteral("Unable to connect to the AGW Packet Engine."));
        m_window.listeningLabel->hide();
        m_window.appendMonitor(first + blank + download + blank
                               + QStringLiteral("- Run the Packet Engine software and configure it as described "
                                                "on the AGW Packet Engine website for your sound card or TNC.")
                               + blank + QStringLiteral("- Click Open from this program.") + blank);
        if (!m_window.isVisible())
            m_window.showModeless();
        m_window.onClosePortClicked();
        m_window.pollTimer->stop();
    }

    /// The engine went away, or sent what is not AGW frames: the window
    /// closes its connection so that the operator sees it and can reopen.
    void lost()
    {
        m_link.close();
        m_reader.clear();
        m_registered = false;
        if (!m_window.AgwConnectedCall.isEmpty()) {
            m_window.setWindowTitle(QStringLiteral("DX Spotting Setup"));
            m_window.AgwConnectedCall.clear();
        }
        m_window.appendMonitor(CrLf + QStringLiteral("** Lost connection to AGW Packet Engine **"));
        m_window.onClosePortClicked();
        m_window.TrimMonitor();
        m_window.state().services.beeper.beep();
    }

    void disconnectStation()
    {
        if (m_window.AgwConnectedCall.isEmpty())
            return;
        put('d', m_window.AgwConnectedCall);
        m_window.setWindowTitle(QStringLiteral("DX Spotting Setup"));
        m_window.AgwConnectedCall.clear();
    }

    /// AGWClose, on every way out of an open connection: a station still
    /// connected hears a disconnect and the call is unregistered, both
    /// written before the socket closes, since the window (or the whole
    /// program) may go before the event loop runs again. Left connected,
    /// the engine would keep the link to the station up and the call
    /// registered. The wait is short, so a dead engine cannot hold the exit.
    void closeEngine()
    {
        if (m_link.isConnected()) {
            if (!m_window.AgwConnectedCall.isEmpty())
                put('d', m_window.AgwConnectedCall);
            if (m_registered)
                put('x', QString());
        }
        m_link.closeWithin(GoodbyeMs);
        m_reader.clear();
        m_registered = false;
    }

    /// AGWPutData: a frame from the station call to `to`.
    void put(char kind, const QString& to, const QByteArray& data = {})
    {
        AgwFrame frame;
        frame.kind = kind;
        frame.pid = kind == 'D' ? 0xF0 : 0;
        frame.callFrom = m_call;
        frame.callTo = to;
        frame.data = data;
        m_link.send(encodeAgwFrame(frame));
    }

    void SendAgwText(const QString& t)
    {
        if (t.startsWith(u':')) {
            const QString letter = t.mid(1, 1).toUpper();
            const QString argument = trimBlanks(t.mid(2));
            if (letter == u'D') {
                if (!m_window.AgwConnectedCall.isEmpty())
                    put('d', m_window.AgwConnectedCall);
            } else if (letter == u'C') {
                const QString call = argument.toUpper();
                if (call.isEmpty())
                    m_window.state().services.prompt.message(
                        QStringLiteral("You must enter a call sign to connect to such as :C Ostrel"),
                        QStringLiteral("Call sign Required"));
                else
                    put('C', call);  // the TCP interface needs no follow-up frame
            }
            return;
        }
        if (!m_window.AgwConnectedCall.isEmpty())
            put('D', m_window.AgwConnectedCall, t.toLatin1() + '\r');
    }

    void handleFrame(const AgwFrame& frame)
    {
        // The engine's answer to the registration is not traffic.
        if (frame.kind == 'X')
            return;
        // A connect notice is 'C' on the wire.
        const char kind = frame.kind == 'C' ? 'c' : frame.kind;
        const QString sender = frame.callFrom;
        QString& connected = m_window.AgwConnectedCall;
        const bool fromConnected = !connected.isEmpty() && connected.compare(sender, Qt::CaseInsensitive) == 0;
        // The monitored copy of an I-frame the connected station sends us
        // comes just before the connected data of that same frame. Its text
        // is the data's, so it adds nothing; shown, it would make every spot
        // in the data a repeat of it.
        if (frame.kind == 'I' && fromConnected && frame.callTo.compare(m_call, Qt::CaseInsensitive) == 0)
            return;
        const QString data = QString::fromLatin1(agwFrameText(frame));
        const QString full = crLfEach(QString(QChar::fromLatin1(kind)) + sender + u' ' + data);
        QString text = crLfEach(data);
        if (connected.isEmpty()) {
            const qsizetype lf = text.indexOf(u'\n');
            if (lf >= 0)
                text = text.mid(lf + 1);
            text = trimBlanks(text);
        }
        if (text == CrLf)
            text.clear();
        if (text.size() > 4 && text.endsWith(CrLf + CrLf))
            text.chop(2);

        // Every line of the text is a unit of its own, as a telnet or TNC
        // line is: a frame may carry several spot lines.
        const bool showConnected = fromConnected && !m_window.listDxOnly();
        for (const QString& unit : crLfLines(text)) {
            const qsizetype dx = unit.indexOf(QStringLiteral("DX"), 0, Qt::CaseInsensitive);
            if (dx == 0 || dx == 1) {
                if (m_window.isRepeatOfMonitor(unit))
                    continue;
                m_window.appendMonitor(unit);
                const ClusterSpotLine spot = cutSpotLine(unit);
                m_window.ForwardSpot(spot.frequency, spot.call, unit);
                m_window.TrimMonitor();
            } else if (showConnected) {
                m_window.appendMonitor(unit);
                m_window.TrimMonitor();
            }
        }
        const bool startsDx = text.startsWith(QStringLiteral("DX"), Qt::CaseInsensitive);
        if (connected.isEmpty() && !m_window.listDxOnly() && !full.contains(QStringLiteral("DX "), Qt::CaseInsensitive)
            && !startsDx) {
            m_window.appendMonitor(full);
            m_window.TrimMonitor();
        }
        auto& beeper = m_window.state().services.beeper;
        if (kind == 'd' && !connected.isEmpty() && connected.compare(sender, Qt::CaseInsensitive) == 0) {
            beeper.beep();
            beeper.beep();
            m_window.appendMonitor(CrLf + QStringLiteral("** Disconnected from ") + connected + QStringLiteral(" **")
                                   + CrLf);
            m_window.TrimMonitor();
            m_window.setWindowTitle(QStringLiteral("DX Spotting Setup"));
            connected.clear();
        }
        if (kind == 'c' && connected.isEmpty()) {
            connected = sender;
            m_window.appendMonitor(QStringLiteral("** Connected to ") + connected + QStringLiteral(" **"));
            m_window.setWindowTitle(QStringLiteral("DX Spotting Setup - Connected to ") + connected);
            m_window.TrimMonitor();
            beeper.beep();
        }
    }

    SpottingWindow& m_window;
    QString m_call;
    AgwFrameReader m_reader;
    bool m_registered = false;
    bool m_sendingPiece = false;
    platform::TcpLink m_link;
};

}  // namespace

std::unique_ptr<SpotConnection> makeAgwConnection(SpottingWindow& window)
{
    return std::make_unique<AgwConnection>(window);
}

}  // namespace spots

#pragma once
// One TCP client connection on the GUI thread, used by the telnet cluster
// and the AGW Packet Engine. Everything is asynchronous: connectTo() starts
// the connection and returns at once; connected, received and failed come
// later as signals. Nothing here waits.
//
// Failures are reported by the socket interface's error numbers (10061
// refused, 11001 host not found, 10054 closed by the far side, ...), which
// the windows turn into their own texts. A connection the far side closes
// is a failure too (10054), so the window never looks open on a dead link.

#include <QByteArray>
#include <QObject>
#include <QString>

class QTcpSocket;

namespace platform {

class TcpLink : public QObject {
    Q_OBJECT
public:
    explicit TcpLink(QObject* parent = nullptr);
    ~TcpLink() override;

    /// Starts connecting (closing any earlier connection). False, with
    /// nothing started, for an empty host or a port outside 1 to 65535.
    bool connectTo(const QString& host, int port);
    /// Closes at once, whatever the state; no signal follows.
    void close();
    /// Sends what is queued, then closes; no signal follows.
    void closeAfterSending();
    /// Closes now, for a caller that goes away at once: what is queued is
    /// written before this returns, and the far side is told that nothing
    /// more comes and given the chance to close its end, so that the last
    /// words are not thrown away by an abortive close. The wait, without
    /// events running, is at most timeoutMs, so a far side that has stopped
    /// reading cannot hold the caller. No signal follows.
    void closeWithin(int timeoutMs);
    [[nodiscard]] bool isConnected() const;
    /// Host and port of the last connectTo().
    [[nodiscard]] QString host() const { return m_host; }
    [[nodiscard]] int port() const { return m_port; }
    /// Queues bytes to send; false when not connected.
    bool send(const QByteArray& bytes);

signals:
    void connected();
    void received(const QByteArray& bytes);
    /// The connection failed or ended; the link is closed when this comes.
    void failed(int errorNumber);

private:
    void onError();

    QTcpSocket* m_socket = nullptr;
    QString m_host;
    int m_port = 0;
};

}  // namespace platform

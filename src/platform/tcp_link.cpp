#include "platform/tcp_link.h"

#include <QDeadlineTimer>
#include <QTcpSocket>

#include <sys/socket.h>

namespace platform {

namespace {

// The socket interface's numbers for the platform's errors.
int errorNumber(QAbstractSocket::SocketError error)
{
    switch (error) {
    case QAbstractSocket::ConnectionRefusedError: return 10061;
    case QAbstractSocket::RemoteHostClosedError: return 10054;
    case QAbstractSocket::HostNotFoundError: return 11001;
    case QAbstractSocket::SocketAccessError: return 10013;
    case QAbstractSocket::SocketResourceError: return 10055;
    case QAbstractSocket::SocketTimeoutError: return 10060;
    case QAbstractSocket::NetworkError: return 10051;
    case QAbstractSocket::AddressInUseError: return 10048;
    case QAbstractSocket::SocketAddressNotAvailableError: return 10049;
    case QAbstractSocket::UnsupportedSocketOperationError: return 10045;
    case QAbstractSocket::OperationError: return 10036;
    case QAbstractSocket::TemporaryError: return 10035;
    default: return 10050;
    }
}

}  // namespace

TcpLink::TcpLink(QObject* parent) : QObject(parent) {}

TcpLink::~TcpLink() { close(); }

bool TcpLink::connectTo(const QString& host, int port)
{
    close();
    m_host = host;
    m_port = port;
    if (host.trimmed().isEmpty() || port < 1 || port > 65535)
        return false;
    m_socket = new QTcpSocket(this);
    connect(m_socket, &QTcpSocket::connected, this, &TcpLink::connected);
    connect(m_socket, &QTcpSocket::readyRead, this, [this] {
        if (m_socket) {
            const QByteArray bytes = m_socket->readAll();
            if (!bytes.isEmpty())
                emit received(bytes);
        }
    });
    connect(m_socket, &QTcpSocket::errorOccurred, this, [this] { onError(); });
    m_socket->connectToHost(host, static_cast<quint16>(port));
    return true;
}

void TcpLink::onError()
{
    if (!m_socket)
        return;
    // Data that came with the close is still handed on before the failure.
    const QByteArray rest = m_socket->readAll();
    const int number = errorNumber(m_socket->error());
    close();
    if (!rest.isEmpty())
        emit received(rest);
    emit failed(number);
}

void TcpLink::close()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    socket->abort();
    socket->deleteLater();
}

void TcpLink::closeAfterSending()
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    connect(socket, &QTcpSocket::disconnected, socket, &QObject::deleteLater);
    connect(socket, &QTcpSocket::errorOccurred, socket, &QObject::deleteLater);
    socket->disconnectFromHost();
    if (socket->state() == QAbstractSocket::UnconnectedState)
        socket->deleteLater();
}

void TcpLink::closeWithin(int timeoutMs)
{
    if (!m_socket)
        return;
    QTcpSocket* socket = m_socket;
    m_socket = nullptr;
    socket->disconnect(this);
    const QDeadlineTimer deadline(timeoutMs);
    const auto left = [&] { return static_cast<int>(std::max<qint64>(0, deadline.remainingTime())); };
    while (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() > 0 && !deadline.hasExpired())
        socket->waitForBytesWritten(left());
    if (socket->state() == QAbstractSocket::ConnectedState && socket->bytesToWrite() == 0) {
        // Closing a socket that holds unread input resets the connection,
        // and a reset may discard what was written but not yet delivered:
        // our end finishes, and what the far side still sends is read
        // until it closes its end too.
        ::shutdown(static_cast<int>(socket->socketDescriptor()), SHUT_WR);
        while (socket->state() == QAbstractSocket::ConnectedState && !deadline.hasExpired()) {
            if (!socket->waitForReadyRead(left()))
                break;
            socket->readAll();
        }
    }
    socket->abort();
    socket->deleteLater();
}

bool TcpLink::isConnected() const
{
    return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
}

bool TcpLink::send(const QByteArray& bytes)
{
    if (!isConnected())
        return false;
    return m_socket->write(bytes) == bytes.size();
}

}  // namespace platform

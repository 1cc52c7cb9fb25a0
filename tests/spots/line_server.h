#pragma once
// A cluster's line server on 127.0.0.1 for the telnet connection: it takes
// one connection and writes what the test hands it, as a cluster writes.

#include "support/pty_peer.h"

#include <QHostAddress>
#include <QTcpServer>
#include <QTcpSocket>
#include <utility>

namespace spots_testing {

class LineServer {
public:
    LineServer() { m_server.listen(QHostAddress::LocalHost, 0); }
    int port() const { return m_server.serverPort(); }
    /// Waits for the program to connect.
    QTcpSocket* accept()
    {
        if (!testing_support::waitUntil([this] { return m_server.hasPendingConnections(); }, 5000))
            return nullptr;
        m_peer = m_server.nextPendingConnection();
        return m_peer;
    }
    void write(const QByteArray& bytes)
    {
        m_peer->write(bytes);
        m_peer->flush();
    }
    QByteArray readUntil(const QByteArray& end)
    {
        testing_support::waitUntil(
            [&] { return m_got.endsWith(end) || (m_got += m_peer->readAll()).endsWith(end); }, 5000);
        return std::exchange(m_got, QByteArray());
    }

    QTcpServer m_server;
    QTcpSocket* m_peer = nullptr;
    QByteArray m_got;
};

}  // namespace spots_testing

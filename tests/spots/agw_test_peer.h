#pragma once
// AGW TCP frames as the tests build and read them, from the interface's own
// layout (36-byte header: port, 3 reserved, kind, reserved, PID, reserved,
// call from [10], call to [10], data length as 32-bit little-endian, 4
// reserved; then the data), and the spotting window set up for the AGW
// Packet Engine at a chosen port.

#include "spotting_fixture.h"
#include "spots/spot_connection_kinds.h"
#include "support/pty_peer.h"

#include <QTcpSocket>
#include <QtEndian>

namespace spots_testing {

struct AgwTestFrame {
    char kind = 0;
    int pid = 0;
    QByteArray from, to, data;
};

/// One frame; a length other than the data's own size makes a false header.
inline QByteArray frameBytes(char kind, const QByteArray& from, const QByteArray& to, const QByteArray& data,
                             quint32 length = 0xffffffffu, int pid = 0)
{
    QByteArray h(36, '\0');
    h[4] = kind;
    h[6] = static_cast<char>(pid);
    h.replace(8, from.size(), from);
    h.replace(18, to.size(), to);
    qToLittleEndian<quint32>(length == 0xffffffffu ? static_cast<quint32>(data.size()) : length, h.data() + 28);
    return h + data;
}

/// The next whole frame from the socket within timeoutMs; kind 0 when none
/// came. `pending` keeps what was read beyond it.
inline AgwTestFrame readFrame(QTcpSocket& socket, QByteArray& pending, int timeoutMs = 5000)
{
    AgwTestFrame f;
    testing_support::waitUntil(
        [&] {
            pending += socket.readAll();
            return pending.size() >= 36
                   && pending.size() >= 36 + qFromLittleEndian<quint32>(pending.constData() + 28);
        },
        timeoutMs);
    if (pending.size() < 36 || pending.size() < 36 + qFromLittleEndian<quint32>(pending.constData() + 28))
        return f;
    const auto length = qFromLittleEndian<quint32>(pending.constData() + 28);
    f.kind = pending[4];
    f.pid = static_cast<unsigned char>(pending[6]);
    f.from = QByteArray(pending.constData() + 8, 10).split('\0').front();
    f.to = QByteArray(pending.constData() + 18, 10).split('\0').front();
    f.data = pending.mid(36, length);
    pending.remove(0, 36 + length);
    return f;
}

struct AgwFixture : SpottingFixture {
    explicit AgwFixture(int enginePort)
    {
        spots->connections = spots::makeSpotConnection;
        testing_support::writeLines(fx.path(QStringLiteral("AgwEngine.txt")),
                                    {QStringLiteral("port=%1").arg(enginePort)});
        writePackSpot(packSpot("AGW Packet Engine", 1));
    }
    /// Ticks the timer until the condition holds, at most timeoutMs.
    bool tickUntil(const std::function<bool()>& condition, int timeoutMs = 5000)
    {
        return testing_support::waitUntil(
            [&] {
                w->onPollTick();
                return condition();
            },
            timeoutMs);
    }
    void type(const QString& text)
    {
        QTest::keyClicks(w->sendBox, text);
        QTest::keyClick(w->sendBox, Qt::Key_Return);
    }
    SpottingWindow* w = nullptr;
};

inline QByteArray spotLine(const char* kHz, const char* call)
{
    return clusterLine(QStringLiteral("W3LPL"), QString::fromLatin1(kHz), QString::fromLatin1(call)).toLatin1();
}

}  // namespace spots_testing

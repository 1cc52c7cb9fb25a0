#pragma once
// A transceiver on the Icom CI-V bus, on a pty: an Icom (five frequency
// bytes), an IC-735 (four) or a Ten-Tec Omni VI (five, address 04). The bus
// is one wire, so every byte the program sends comes straight back to it
// before the rig's answer. The rig reads frames FE FE <its address>
// <sender> <command> <data> FD, answers to the sender, and acknowledges a
// set command with FB, or FA when it cannot do it. Replies go out at the
// port's pace (1,200 baud, 8N1: 10 bits a byte), so they arrive in pieces.
//
// Written from the rigs' manuals, not from the program's code:
//   03          -> 03 + frequency: BCD Hz, least significant pair first
//   04          -> 04 + mode (00 LSB, 01 USB, 02 AM, 03 CW, 04 RTTY, 05 FM,
//                  07 CW-R, 08 RTTY-R) + filter (01)
//   05 <freq>   set the frequency, same bytes as 03's answer -> FB
//   06 <mode>   set the mode -> FB

#include "answer_faults.h"
#include "support/pty_peer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QThread>
#include <mutex>

namespace testing_support {

class IcomRigEmulator {
public:
    enum class Kind { Icom, Icom735, OmniVI };

    explicit IcomRigEmulator(Kind kind)
        : m_address(kind == Kind::OmniVI ? char(0x04) : char(0x64)), m_frequencyBytes(kind == Kind::Icom735 ? 4 : 5)
    {
    }

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] bool isOk() const { return m_pty.isOk(); }

    void turnDial(qint64 hz)
    {
        std::lock_guard lock(m_mutex);
        m_hz = hz;
    }
    void switchMode(char mode)
    {
        std::lock_guard lock(m_mutex);
        m_mode = mode;
    }
    /// Each answer starts this long after its command came (the echo on
    /// the bus still comes at once).
    void setAnswerDelay(int ms)
    {
        std::lock_guard lock(m_mutex);
        m_delayMs = ms;
    }
    /// Every answer from now on comes with this fault (the echo on the
    /// bus is the line's, not the rig's, and stays whole).
    void setAnswerFault(AnswerFault fault) { m_faults.set(fault); }
    [[nodiscard]] qint64 frequency() const
    {
        std::lock_guard lock(m_mutex);
        return m_hz;
    }
    [[nodiscard]] char mode() const
    {
        std::lock_guard lock(m_mutex);
        return m_mode;
    }
    /// Every frame addressed to the rig, whole, in order.
    [[nodiscard]] QList<QByteArray> frames() const
    {
        std::lock_guard lock(m_mutex);
        return m_frames;
    }
    /// The frames that were not queries.
    [[nodiscard]] QList<QByteArray> setFrames() const
    {
        QList<QByteArray> sets;
        for (const QByteArray& f : frames())
            if (f.size() > 5 && f[4] != 0x03 && f[4] != 0x04)
                sets << f;
        return sets;
    }
    bool waitForFrames(int count, int timeoutMs)
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs && setFrames().size() < count) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return setFrames().size() >= count;
    }

private:
    QByteArray bcd(qint64 hz) const
    {
        QByteArray data;
        for (int i = 0; i < m_frequencyBytes; ++i) {
            const int pair = static_cast<int>(hz % 100);
            data += char(((pair / 10) << 4) | (pair % 10));
            hz /= 100;
        }
        return data;
    }

    static qint64 fromBcd(const QByteArray& data)
    {
        qint64 hz = 0;
        for (qsizetype i = data.size() - 1; i >= 0; --i) {
            const auto b = static_cast<unsigned char>(data[i]);
            hz = hz * 100 + (b >> 4) * 10 + (b & 0x0F);
        }
        return hz;
    }

    QByteArray answer(const QByteArray& frame)
    {
        const char sender = frame[3];
        const char command = frame[4];
        const QByteArray data = frame.mid(5, frame.size() - 6);
        QByteArray reply = QByteArray("\xFE\xFE", 2) + sender + m_address;
        if (command == 0x03 && data.isEmpty())
            return reply + command + bcd(m_hz) + '\xFD';
        if (command == 0x04 && data.isEmpty())
            return reply + command + m_mode + '\x01' + '\xFD';
        if (command == 0x05 && data.size() == m_frequencyBytes) {
            m_hz = fromBcd(data);
            return reply + '\xFB' + '\xFD';
        }
        if (command == 0x06 && (data.size() == 1 || data.size() == 2) && data[0] <= 0x08) {
            m_mode = data[0];
            return reply + '\xFB' + '\xFD';
        }
        return reply + '\xFA' + '\xFD';
    }

    void onBytes(PtyEmulator& pty, const QByteArray& bytes)
    {
        const QByteArray echo = bytes;  // the bus echoes what was sent
        QByteArray out;
        int delay = 0;
        {
            std::lock_guard lock(m_mutex);
            delay = m_delayMs;
            m_pending += bytes;
            qsizetype end;
            while ((end = m_pending.indexOf('\xFD')) >= 0) {
                const QByteArray frame = m_pending.left(end + 1);
                m_pending.remove(0, end + 1);
                if (frame.size() < 6 || !frame.startsWith("\xFE\xFE") || frame[2] != m_address)
                    continue;
                m_frames << frame;
                out += m_faults.apply(answer(frame));
            }
        }
        pty.sendPaced(echo, 1200, 10);
        pty.sendPaced(out, 1200, 10, delay);
    }

    const char m_address;
    const int m_frequencyBytes;
    mutable std::mutex m_mutex;
    qint64 m_hz = 14'025'000;
    int m_delayMs = 0;
    char m_mode = 0x03;
    QByteArray m_pending;
    QList<QByteArray> m_frames;
    AnswerFaults m_faults;
    // Last: destroyed (its thread joined) before what its handler touches.
    PtyEmulator m_pty{[this](PtyEmulator& pty, const QByteArray& b) { onBytes(pty, b); }};
};

}  // namespace testing_support

#pragma once
// Ten-Tec transceivers on a pty, answering as the rigs do. Replies go out
// at the port's pace, so they arrive in pieces; a lower pace spreads one
// reply over several of the program's reads. Every set command is
// acknowledged with "G" and a carriage return.
//
// Written from the rigs' command descriptions, not from the program's code.
//
// The Orion: text commands and replies, each ended by a carriage return.
//   ?AF        -> @AF<Hz, decimal digits>
//   ?RMM       -> @RMM<mode digit: 0 USB, 1 LSB, 2 UCW, 3 LCW, 4 AM, 5 FM>
//   *AF<Hz>    set the frequency -> G
//   X          (the program's greeting on opening) -> G
//
// The front-panel rig: a letter, binary bytes, a carriage return.
//   ?A         -> A <4 bytes of Hz, most significant first>
//   ?M         -> M <main mode> <sub mode> (ASCII digits: 0 AM, 1 USB,
//                 2 LSB, 3 CW, 4 FM)
//   *A <4 bytes of Hz>  set the frequency -> G

#include "answer_faults.h"
#include "support/pty_peer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QList>
#include <QThread>
#include <mutex>

namespace testing_support {

class TenTecRigEmulator {
public:
    enum class Kind { Orion, FrontPanel };

    explicit TenTecRigEmulator(Kind kind) : m_kind(kind) {}

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] bool isOk() const { return m_pty.isOk(); }

    void turnDial(qint64 hz)
    {
        std::lock_guard lock(m_mutex);
        m_hz = hz;
    }
    /// The mode digit (see above).
    void switchMode(char mode)
    {
        std::lock_guard lock(m_mutex);
        m_mode = mode;
    }
    void setPace(int baud)
    {
        std::lock_guard lock(m_mutex);
        m_baud = baud;
    }
    void setSilent(bool silent) { m_pty.setSilent(silent); }
    /// Every answer from now on comes with this fault.
    void setAnswerFault(AnswerFault fault) { m_faults.set(fault); }

    [[nodiscard]] qint64 frequency() const
    {
        std::lock_guard lock(m_mutex);
        return m_hz;
    }
    /// Every whole command received, in order, without its carriage return.
    [[nodiscard]] QList<QByteArray> commands() const
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }
    /// The commands that were not queries.
    [[nodiscard]] QList<QByteArray> setCommands() const
    {
        QList<QByteArray> sets;
        for (const QByteArray& c : commands())
            if (c.startsWith('*'))
                sets << c;
        return sets;
    }
    bool waitForSetCommands(int count, int timeoutMs) const
    {
        QElapsedTimer t;
        t.start();
        while (t.elapsed() < timeoutMs && setCommands().size() < count) {
            QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
            QThread::msleep(2);
        }
        return setCommands().size() >= count;
    }

private:
    static constexpr char CR = '\r';

    /// The length of the command at the front of pending, or 0 while it is
    /// not complete. Front-panel commands are cut by their fixed layout: the
    /// frequency bytes of *A may themselves be 0D.
    qsizetype commandLength(const QByteArray& pending) const
    {
        if (m_kind == Kind::FrontPanel && pending.startsWith("*A"))
            return pending.size() >= 7 ? 7 : 0;
        const qsizetype end = pending.indexOf(CR);
        return end < 0 ? 0 : end + 1;
    }

    QByteArray answerOrion(const QByteArray& command)
    {
        if (command == "?AF")
            return "@AF" + QByteArray::number(m_hz) + CR;
        if (command == "?RMM")
            return QByteArray("@RMM") + m_mode + CR;
        if (command.startsWith("*AF")) {
            bool ok = false;
            const qint64 hz = command.mid(3).toLongLong(&ok);
            if (ok)
                m_hz = hz;
            return QByteArray("G") + CR;
        }
        if (command == "X")
            return QByteArray("G") + CR;
        return {};
    }

    QByteArray answerFrontPanel(const QByteArray& command)
    {
        if (command == "?A") {
            QByteArray reply("A");
            for (int shift = 24; shift >= 0; shift -= 8)
                reply += char((m_hz >> shift) & 0xFF);
            return reply + CR;
        }
        if (command == "?M")
            return QByteArray("M") + m_mode + m_mode + CR;
        if (command.startsWith("*A") && command.size() == 6) {
            qint64 hz = 0;
            for (int i = 2; i < 6; ++i)
                hz = (hz << 8) | static_cast<unsigned char>(command[i]);
            m_hz = hz;
            return QByteArray("G") + CR;
        }
        return {};
    }

    void onBytes(PtyEmulator& pty, const QByteArray& bytes)
    {
        QByteArray out;
        int baud = 0;
        {
            std::lock_guard lock(m_mutex);
            m_pending += bytes;
            qsizetype length;
            while ((length = commandLength(m_pending)) > 0) {
                const QByteArray command = m_pending.left(length - 1);
                m_pending.remove(0, length);
                m_commands << command;
                out += m_faults.apply(m_kind == Kind::Orion ? answerOrion(command) : answerFrontPanel(command));
            }
            baud = m_baud;
        }
        if (!out.isEmpty())
            pty.sendPaced(out, baud, 10);
    }

    const Kind m_kind;
    mutable std::mutex m_mutex;
    qint64 m_hz = 14'025'000;
    char m_mode = '3';
    int m_baud = 56000;
    QByteArray m_pending;
    QList<QByteArray> m_commands;
    AnswerFaults m_faults;
    // Last: destroyed (its thread joined) before what its handler touches.
    PtyEmulator m_pty{[this](PtyEmulator& pty, const QByteArray& b) { onBytes(pty, b); }};
};

}  // namespace testing_support

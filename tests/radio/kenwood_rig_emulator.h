#pragma once
// A transceiver that speaks the Kenwood-style text protocol, on a pty: a
// Kenwood (TS-2000 family), an Elecraft (K2/K3) or a Yaesu FTdx9000. It
// answers from its own front panel (VFO A and B, mode, active VFO) as the
// rigs do: a query gets one reply ended by ";", a set command gets no reply
// and changes the panel, a command the rig does not know gets "?;". Replies
// go out one character at a time at the port's speed (11 bits a character
// at 4,800 baud, 8N2), so the program reads them in pieces; a slower pace
// spreads one reply over several of its reads. A silent rig (switched off,
// unplugged) answers nothing.
//
// Written from the rigs' manuals, not from the program's code:
//   FA; FB;       -> FA/FB + frequency in Hz (11 digits; 8 on the FTdx9000) + ;
//   FAn…; FBn…;   set VFO A/B
//   MD;           -> MD + mode digit (1 LSB, 2 USB, 3 CW, 4 FM, 5 AM, 6 FSK, 7 CW-R) + ;
//   MD0; MD0n;    the FTdx9000's main-receiver mode, read and set
//   MDn;          set the mode
//   IF;           -> the 38-character status (Kenwood, Elecraft)

#include "answer_faults.h"
#include "support/pty_peer.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QThread>
#include <QList>
#include <QString>
#include <mutex>

namespace testing_support {

class KenwoodRigEmulator {
public:
    enum class Kind { Kenwood, Elecraft, FTdx9000 };

    explicit KenwoodRigEmulator(Kind kind) : m_kind(kind) {}

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] bool isOk() const { return m_pty.isOk(); }

    // The front panel.
    void turnDial(qint64 hz);          ///< the active VFO
    void switchMode(char modeDigit);   ///< '1' LSB … '7' CW-R
    void selectVfo(int vfo);           ///< 0 A, 1 B
    [[nodiscard]] qint64 vfoA() const;
    [[nodiscard]] qint64 vfoB() const;
    [[nodiscard]] char mode() const;

    /// Replies paced at this speed (default 4,800 baud).
    void setPace(int baud);
    /// A rig that answers nothing (switched off, cable pulled).
    void setSilent(bool silent) { m_pty.setSilent(silent); }
    /// Each answer starts this long after its command came (a slow interface).
    void setAnswerDelay(int ms)
    {
        std::lock_guard lock(m_mutex);
        m_delayMs = ms;
    }

    /// Every answer from now on comes with this fault.
    void setAnswerFault(AnswerFault fault) { m_faults.set(fault); }
    /// Every command the program sent, in order, each with its ";".
    [[nodiscard]] QList<QByteArray> commands() const;
    /// The commands that were not queries (set frequency, set mode, …).
    [[nodiscard]] QList<QByteArray> setCommands() const;
    [[nodiscard]] QByteArray received() const { return m_pty.received(); }
    void clear();
    /// Waits (letting the program's events run) until a command arrived.
    bool waitForCommand(const QByteArray& command, int timeoutMs);

private:
    void onBytes(PtyEmulator& pty, const QByteArray& bytes);
    QByteArray answer(const QByteArray& command);
    QByteArray frequencyField(qint64 hz) const;
    QByteArray status() const;

    const Kind m_kind;
    mutable std::mutex m_mutex;
    qint64 m_vfoA = 14'025'000;
    qint64 m_vfoB = 7'040'000;
    char m_mode = '3';
    int m_vfo = 0;
    int m_paceBaud = 4800;
    int m_delayMs = 0;
    QByteArray m_pending;
    QList<QByteArray> m_commands;
    AnswerFaults m_faults;
    // Last: destroyed (its thread joined) before what its handler touches.
    PtyEmulator m_pty{[this](PtyEmulator& pty, const QByteArray& b) { onBytes(pty, b); }};
};

inline void KenwoodRigEmulator::turnDial(qint64 hz)
{
    std::lock_guard lock(m_mutex);
    (m_vfo == 1 ? m_vfoB : m_vfoA) = hz;
}

inline void KenwoodRigEmulator::switchMode(char modeDigit)
{
    std::lock_guard lock(m_mutex);
    m_mode = modeDigit;
}

inline void KenwoodRigEmulator::selectVfo(int vfo)
{
    std::lock_guard lock(m_mutex);
    m_vfo = vfo;
}

inline qint64 KenwoodRigEmulator::vfoA() const
{
    std::lock_guard lock(m_mutex);
    return m_vfoA;
}

inline qint64 KenwoodRigEmulator::vfoB() const
{
    std::lock_guard lock(m_mutex);
    return m_vfoB;
}

inline char KenwoodRigEmulator::mode() const
{
    std::lock_guard lock(m_mutex);
    return m_mode;
}

inline void KenwoodRigEmulator::setPace(int baud)
{
    std::lock_guard lock(m_mutex);
    m_paceBaud = baud;
}

inline QList<QByteArray> KenwoodRigEmulator::commands() const
{
    std::lock_guard lock(m_mutex);
    return m_commands;
}

inline QList<QByteArray> KenwoodRigEmulator::setCommands() const
{
    QList<QByteArray> sets;
    for (const QByteArray& c : commands()) {
        const bool query = c == "FA;" || c == "FB;" || c == "MD;" || c == "MD0;" || c == "IF;";
        if (!query)
            sets << c;
    }
    return sets;
}

inline void KenwoodRigEmulator::clear()
{
    std::lock_guard lock(m_mutex);
    m_commands.clear();
    m_pty.clearReceived();
}

inline bool KenwoodRigEmulator::waitForCommand(const QByteArray& command, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (t.elapsed() < timeoutMs) {
        if (commands().contains(command))
            return true;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::msleep(2);
    }
    return commands().contains(command);
}

inline QByteArray KenwoodRigEmulator::frequencyField(qint64 hz) const
{
    const int width = m_kind == Kind::FTdx9000 ? 8 : 11;
    return QByteArray::number(hz).rightJustified(width, '0');
}

inline QByteArray KenwoodRigEmulator::status() const
{
    const qint64 hz = m_vfo == 1 ? m_vfoB : m_vfoA;
    // IF, frequency, 5 blanks, RIT/XIT offset, RIT, XIT, memory channel,
    // TX/RX, mode, VFO, scan, split, tone, tone number, shift, ";".
    return "IF" + frequencyField(hz) + "     " + "+00000" + "0" + "0" + "000" + m_mode +
           static_cast<char>('0' + m_vfo) + "0" + "0" + "0" + "00" + " " + ";";
}

inline QByteArray KenwoodRigEmulator::answer(const QByteArray& command)
{
    const QByteArray name = command.left(2);
    const QByteArray value = command.mid(2, command.size() - 3);
    const bool ftdx = m_kind == Kind::FTdx9000;
    if (name == "FA" || name == "FB") {
        qint64& vfo = name == "FA" ? m_vfoA : m_vfoB;
        if (value.isEmpty())
            return name + frequencyField(vfo) + ";";
        bool ok = false;
        const qint64 hz = value.toLongLong(&ok);
        if (!ok || value.size() != (ftdx ? 8 : 11))
            return "?;";
        vfo = hz;
        return {};
    }
    if (name == "MD") {
        if (ftdx) {
            // The FTdx9000 names the receiver: MD0 is the main one.
            if (value == "0")
                return QByteArray("MD0") + m_mode + ";";
            if (value.size() == 2 && value[0] == '0') {
                m_mode = value[1];
                return {};
            }
            return "?;";
        }
        if (value.isEmpty())
            return QByteArray("MD") + m_mode + ";";
        if (value.size() == 1 && value[0] >= '1' && value[0] <= '9') {
            m_mode = value[0];
            return {};
        }
        return "?;";
    }
    if (name == "IF" && value.isEmpty() && !ftdx)
        return status();
    return "?;";
}

inline void KenwoodRigEmulator::onBytes(PtyEmulator& pty, const QByteArray& bytes)
{
    QByteArray replies;
    int pace = 0;
    int delay = 0;
    {
        std::lock_guard lock(m_mutex);
        m_pending += bytes;
        qsizetype end;
        while ((end = m_pending.indexOf(';')) >= 0) {
            const QByteArray command = m_pending.left(end + 1);
            m_pending.remove(0, end + 1);
            m_commands << command;
            replies += m_faults.apply(answer(command));
        }
        pace = m_paceBaud;
        delay = m_delayMs;
    }
    // 8 data bits, no parity, 2 stop bits.
    pty.sendPaced(replies, pace, 11, delay);
}

}  // namespace testing_support

#pragma once
// A Yaesu transceiver of the binary command set, on a pty. The rig reads
// five-byte commands (P1 P2 P3 P4 opcode) and answers a poll with one whole
// block at the port's pace (4,800 baud, 8 data bits, 2 stop bits: 11 bits a
// byte), so a long block arrives over several of the program's reads. Set
// commands get no answer.
//
// Written from the rigs' tables, not from the program's code:
//   03 (the FT-817 style "Yaesu")  -> 4 BCD bytes of 10 Hz, most significant
//                                     first, then the mode byte
//                                     (00 LSB, 01 USB, 02 CW, 04 AM, 08 FM)
//   10 status update (the others)  -> the status block of the rig:
//      757 GX II  75 bytes: 10 Hz BCD in bytes 6-9 least significant first,
//                 mode in byte 10 (0 LSB, 1 USB, 2 CW, 4 AM, 5 FM)
//      890        19 bytes: 10 Hz binary in bytes 3-5, mode nibble in byte 8
//      920        28 bytes: Hz binary in bytes 2-5, mode nibble in byte 8
//      990/1000 D 16 bytes: 10 Hz binary in bytes 2-4, mode nibble in byte 8
//      1000       16 bytes: 10 Hz binary in the middle six nibbles of bytes
//                 2-5, mode nibble in byte 8
//      mode nibble: 0 LSB, 1 USB, 2 CW, 3 AM, 4 FM; the 920: 0 LSB, 1 CW,
//                   2 USB, 3 AM, 4 FM; all of them 8 RTTY, A packet (the
//                   values their set-mode command takes)
//   01 set frequency ("Yaesu"): 4 BCD bytes, most significant first
//   0A set frequency (others):  4 BCD bytes, least significant first
//   07 set mode ("Yaesu"): mode in P1 (00 LSB, 01 USB, 02 CW, 04 AM, 08 FM,
//                          0A digital, 0C packet); its mode byte says the same
//   0C set mode (others):  mode in P4 (00 LSB, 01 USB, 02 CW, 04 AM, 06 FM,
//                          08 RTTY, 0A packet)
// Every byte of a block that carries no field holds filler, so that reading
// a wrong position shows. A slow interface can be made to answer late (a
// delay between a poll and its block, changing from poll to poll within a
// range), and a noisy line to put random bytes on the line when a poll
// comes in, before the block. A USB-serial adapter or a network serial
// link can be made to deliver each block in two halves with a silence
// between them.

#include "answer_faults.h"
#include "support/pty_peer.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <algorithm>
#include <map>
#include <mutex>
#include <random>
#include <utility>

namespace testing_support {

class YaesuRigEmulator {
public:
    enum class Kind { Yaesu, Ft757, Ft890, Ft920, Ft990, Ft1000 };

    explicit YaesuRigEmulator(Kind kind) : m_kind(kind) {}

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] bool isOk() const { return m_pty.isOk(); }

    void turnDial(qint64 hz)
    {
        std::lock_guard lock(m_mutex);
        m_hz = hz;
    }
    /// "LSB", "USB", "CW", "AM", "FM", "RTTY" or "PKT" (the 757 has no
    /// RTTY or packet).
    void switchMode(const QString& mode)
    {
        std::lock_guard lock(m_mutex);
        m_mode = mode;
    }
    [[nodiscard]] qint64 frequency() const
    {
        std::lock_guard lock(m_mutex);
        return m_hz;
    }
    [[nodiscard]] QString mode() const
    {
        std::lock_guard lock(m_mutex);
        return m_mode;
    }
    /// The rig answers each poll with this many bytes of noise after its block.
    void setNoiseAfterBlock(int bytes)
    {
        std::lock_guard lock(m_mutex);
        m_noise = bytes;
    }
    /// Each block starts between minMs and maxMs after its poll came in.
    void setAnswerDelay(int minMs, int maxMs)
    {
        std::lock_guard lock(m_mutex);
        m_delayMin = minMs;
        m_delayMax = maxMs;
    }
    /// This many random bytes of line noise come with each poll, before
    /// its block (right away, so after a gap when the block is late).
    void setNoiseBeforeBlock(int bytes)
    {
        std::lock_guard lock(m_mutex);
        m_noiseBefore = bytes;
    }
    /// Each block comes in two halves (the first the shorter by a byte
    /// when the block's length is odd) with gapMs of silence between the
    /// last byte of the first and the first byte of the second; 0: whole.
    void setAnswerInHalves(int gapMs)
    {
        std::lock_guard lock(m_mutex);
        m_halvesGapMs = gapMs;
    }
    /// The next answer stops after this many bytes.
    void cutNextBlock(int bytes)
    {
        std::lock_guard lock(m_mutex);
        m_cut = bytes;
    }
    void setSilent(bool silent) { m_pty.setSilent(silent); }
    /// Every answer from now on comes with this fault.
    void setAnswerFault(AnswerFault fault) { m_faults.set(fault); }
    /// Every command block received, in order.
    [[nodiscard]] QList<QByteArray> commands() const
    {
        std::lock_guard lock(m_mutex);
        return m_commands;
    }
    /// The commands that were neither polls nor the CAT on/off blocks.
    [[nodiscard]] QList<QByteArray> setCommands() const
    {
        QList<QByteArray> sets;
        for (const QByteArray& c : commands()) {
            const char op = c[4];
            if (op != 0x03 && op != 0x10 && op != 0x00 && op != char(0x80))
                sets << c;
        }
        return sets;
    }
    /// How many polls the rig has answered.
    [[nodiscard]] int polls() const
    {
        std::lock_guard lock(m_mutex);
        return m_polls;
    }
    /// Lets events run (the program polls and tunes meanwhile) until count
    /// set commands came, at most timeoutMs.
    bool waitForSets(int count, int timeoutMs)
    {
        return waitUntil([&] { return setCommands().size() >= count; }, timeoutMs);
    }

    [[nodiscard]] static int blockLength(Kind kind)
    {
        switch (kind) {
        case Kind::Yaesu: return 5;
        case Kind::Ft757: return 75;
        case Kind::Ft890: return 19;
        case Kind::Ft920: return 28;
        case Kind::Ft990:
        case Kind::Ft1000: return 16;
        }
        return 0;
    }

private:
    static constexpr char Filler = char(0x99);

    static QByteArray bcdPairs(qint64 value, int pairs)
    {
        QByteArray out(pairs, '\0');  // most significant first
        for (int i = pairs - 1; i >= 0; --i) {
            const int pair = static_cast<int>(value % 100);
            out[i] = char(((pair / 10) << 4) | (pair % 10));
            value /= 100;
        }
        return out;
    }
    static qint64 fromBcd(const QByteArray& mostFirst)
    {
        qint64 v = 0;
        for (char b : mostFirst) {
            const auto u = static_cast<unsigned char>(b);
            v = v * 100 + (u >> 4) * 10 + (u & 0x0F);
        }
        return v;
    }
    static QByteArray reversed(QByteArray bytes)
    {
        std::reverse(bytes.begin(), bytes.end());
        return bytes;
    }

    int statusNibble() const
    {
        static const std::map<QString, int> common{{"LSB", 0}, {"USB", 1}, {"CW", 2}, {"AM", 3},
                                                   {"FM", 4},  {"RTTY", 8}, {"PKT", 0xA}};
        static const std::map<QString, int> ft920{{"LSB", 0}, {"CW", 1}, {"USB", 2}, {"AM", 3},
                                                  {"FM", 4},  {"RTTY", 8}, {"PKT", 0xA}};
        const auto& table = m_kind == Kind::Ft920 ? ft920 : common;
        return table.at(m_mode);
    }

    QByteArray block() const
    {
        const qint64 tens = m_hz / 10;
        QByteArray b(blockLength(m_kind), Filler);
        switch (m_kind) {
        case Kind::Yaesu: {
            static const std::map<QString, char> codes{{"LSB", 0x00}, {"USB", 0x01}, {"CW", 0x02},
                                                       {"AM", 0x04},  {"FM", 0x08},  {"RTTY", 0x0A},
                                                       {"PKT", 0x0C}};
            b = bcdPairs(tens, 4) + codes.at(m_mode);
            break;
        }
        case Kind::Ft757: {
            static const std::map<QString, char> codes{
                {"LSB", 0x00}, {"USB", 0x01}, {"CW", 0x02}, {"AM", 0x04}, {"FM", 0x05}};
            b.replace(5, 4, reversed(bcdPairs(tens, 4)));
            b[9] = codes.at(m_mode);
            break;
        }
        case Kind::Ft890:
            b[2] = char(tens >> 16);
            b[3] = char(tens >> 8);
            b[4] = char(tens);
            b[7] = char(0x40 | statusNibble());  // the high nibble holds flags
            break;
        case Kind::Ft920:
            b[1] = char(m_hz >> 24);
            b[2] = char(m_hz >> 16);
            b[3] = char(m_hz >> 8);
            b[4] = char(m_hz);
            b[7] = char(0x80 | statusNibble());
            break;
        case Kind::Ft990:
            b[1] = char(tens >> 16);
            b[2] = char(tens >> 8);
            b[3] = char(tens);
            b[7] = char(0x40 | statusNibble());
            break;
        case Kind::Ft1000: {
            // Six nibbles of 10 Hz between a nibble of flags and one of
            // finer steps.
            const quint32 word = (0x7u << 28) | (static_cast<quint32>(tens) << 4) | 0x5u;
            b[1] = char(word >> 24);
            b[2] = char(word >> 16);
            b[3] = char(word >> 8);
            b[4] = char(word);
            b[7] = char(0x40 | statusNibble());
            break;
        }
        }
        return b;
    }

    /// Runs one command block; returns the answer (possibly nothing).
    QByteArray run(const QByteArray& c)
    {
        const char op = c[4];
        const bool yaesu = m_kind == Kind::Yaesu;
        if ((yaesu && op == 0x03) || (!yaesu && op == 0x10)) {
            ++m_polls;
            if (m_cut > 0)
                return block().left(std::exchange(m_cut, 0));
            return block() + QByteArray(m_noise, char(0xA5));
        }
        if (yaesu && op == 0x01)
            m_hz = fromBcd(c.left(4)) * 10;
        if (!yaesu && op == 0x0A)
            m_hz = fromBcd(reversed(c.left(4))) * 10;
        if (yaesu && op == 0x07) {
            static const std::map<char, QString> modes{{0x00, "LSB"}, {0x01, "USB"}, {0x02, "CW"},
                                                       {0x04, "AM"},  {0x08, "FM"},  {0x0A, "RTTY"},
                                                       {0x0C, "PKT"}};
            if (const auto it = modes.find(c[0]); it != modes.end())
                m_mode = it->second;
        }
        if (!yaesu && op == 0x0C) {
            static const std::map<char, QString> modes{{0x00, "LSB"}, {0x01, "USB"}, {0x02, "CW"},
                                                       {0x04, "AM"},  {0x06, "FM"},  {0x08, "RTTY"},
                                                       {0x0A, "PKT"}};
            if (const auto it = modes.find(c[3]); it != modes.end())
                m_mode = it->second;
        }
        return {};
    }

    void onBytes(PtyEmulator& pty, const QByteArray& bytes)
    {
        std::lock_guard lock(m_mutex);
        m_pending += bytes;
        while (m_pending.size() >= 5) {
            const QByteArray c = m_pending.left(5);
            m_pending.remove(0, 5);
            m_commands << c;
            const QByteArray out = m_faults.apply(run(c));
            if (out.isEmpty())
                continue;
            QByteArray noise;
            for (int i = 0; i < m_noiseBefore; ++i)
                noise += char(m_random() & 0xFF);
            pty.sendPaced(noise, 4800, 11);
            const int delay = m_delayMax > m_delayMin
                                  ? std::uniform_int_distribution<int>(m_delayMin, m_delayMax)(m_random)
                                  : m_delayMin;
            if (m_halvesGapMs <= 0) {
                pty.sendPaced(out, 4800, 11, delay);
                continue;
            }
            const QByteArray first = out.left(out.size() / 2);
            const int firstMs = static_cast<int>((first.size() * 11 * 1000 + 4799) / 4800);
            pty.sendPaced(first, 4800, 11, delay);
            pty.sendPaced(out.mid(first.size()), 4800, 11, delay + firstMs + m_halvesGapMs);
        }
    }

    const Kind m_kind;
    mutable std::mutex m_mutex;
    qint64 m_hz = 14'025'000;
    QString m_mode = QStringLiteral("CW");
    int m_noise = 0;
    int m_cut = 0;
    int m_delayMin = 0;
    int m_delayMax = 0;
    int m_noiseBefore = 0;
    int m_halvesGapMs = 0;
    std::mt19937 m_random{20261211};
    int m_polls = 0;
    QByteArray m_pending;
    QList<QByteArray> m_commands;
    AnswerFaults m_faults;
    // Last: destroyed (its thread joined) before what its handler touches.
    PtyEmulator m_pty{[this](PtyEmulator& pty, const QByteArray& b) { onBytes(pty, b); }};
};

}  // namespace testing_support

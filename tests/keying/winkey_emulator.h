#pragma once
// A serial CW keyer of the WinKey kind on a pty, answering the host
// protocol from the device's own facts: admin commands after 0x00 (echo,
// host open with its version byte, host close), the immediate commands
// (speed, weight, lead-in and tail, backspace, pin configuration, clear,
// mode, status request, ratio), and text 0x20 to 0x7F kept in its buffer
// and "sent" at the set speed by a clock of its own. It reports without
// being asked: a status byte 0xC0 | flags whenever its state changes (XOFF
// once the buffer is nearly full, busy while it sends), and with serial echo
// on (mode bit 2) each character as it goes out.
//
// As the device does, it keys what it holds to the end even after the host
// has closed: only the clear-buffer command stops it. Host close only ends
// the taking of new text.
//
// It can be made silent, answer the echo wrongly, or ignore the host open,
// and it records what it was told, so a test sees the keyer's side.

#include "support/pty_peer.h"

#include <QByteArray>
#include <QString>

#include <atomic>
#include <chrono>
#include <cstdint>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace testing_support {

class WinKeyEmulator {
public:
    enum class Mode { Normal, Silent, WrongEcho, NoOpenAnswer };

    struct State {
        bool hostOpen = false;
        int wpm = 18;
        int weight = -1;
        int leadIn = -1;
        int tail = -1;
        int ratio = -1;
        int pinConfig = -1;
        int mode = -1;
        int clears = 0;
        int backspaces = 0;
        int statusRequests = 0;
        int unknownCommands = 0;
        /// Every command in the order it arrived: the immediate commands by
        /// their byte, the admin commands as 0x100 | their second byte.
        std::vector<int> commands;
        int overflows = 0;      ///< text that arrived with the buffer full
        int maxBuffered = 0;
        bool xoffReported = false;
        QString buffered;       ///< waiting, the one being sent first
        QString keyed;          ///< sent, in order
        /// When each character of text arrived, and when each was sent.
        std::vector<std::chrono::steady_clock::time_point> arrivedAt, keyedAt;
    };

    explicit WinKeyEmulator(int version = 23) : m_version(version)
    {
        m_clock = std::thread([this] { run(); });
    }
    ~WinKeyEmulator()
    {
        m_stop = true;
        m_clock.join();
    }
    WinKeyEmulator(const WinKeyEmulator&) = delete;
    WinKeyEmulator& operator=(const WinKeyEmulator&) = delete;

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] PtyEmulator& pty() { return m_pty; }

    void setMode(Mode mode)
    {
        std::lock_guard lock(m_mutex);
        m_mode = mode;
        m_pty.setSilent(mode == Mode::Silent);
    }
    /// Buffer room and the fill at which it reports XOFF.
    void setBuffer(int capacity, int xoffAt)
    {
        std::lock_guard lock(m_mutex);
        m_capacity = capacity;
        m_xoffAt = xoffAt;
    }
    /// Milliseconds of sending per unit at 1 WPM (1200 is real time).
    void setUnitScale(double msAtOneWpm)
    {
        std::lock_guard lock(m_mutex);
        m_unitAtOneWpm = msAtOneWpm;
    }
    /// The operator turns the speed pot.
    void turnPot(int value) { m_pty.send(QByteArray(1, static_cast<char>(0x80 | (value & 0x3F)))); }

    /// The host's last words to the keyer were the clear-buffer command and
    /// then host close, and it holds nothing more to key.
    [[nodiscard]] static bool clearedThenClosed(const State& s)
    {
        const auto& c = s.commands;
        return !s.hostOpen && s.buffered.isEmpty() && c.size() >= 2 && c.back() == 0x103 && c[c.size() - 2] == 0x0A;
    }

    [[nodiscard]] State state() const
    {
        std::lock_guard lock(m_mutex);
        return m_state;
    }
    /// Waits (the keyer's own threads run on) until condition(state) holds.
    bool waitFor(const std::function<bool(const State&)>& condition, int timeoutMs) const
    {
        const auto end = std::chrono::steady_clock::now() + std::chrono::milliseconds(timeoutMs);
        while (std::chrono::steady_clock::now() < end) {
            if (condition(state()))
                return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
        return condition(state());
    }

private:
    using Clock = std::chrono::steady_clock;

    void onBytes(const QByteArray& bytes)
    {
        std::lock_guard lock(m_mutex);
        for (char c : bytes)
            take(static_cast<std::uint8_t>(c));
        reportChange();
    }

    // One byte of the host's stream; commands may arrive split.
    void take(std::uint8_t b)
    {
        if (m_need > 0) {
            m_params.append(static_cast<char>(b));
            if (--m_need == 0)
                finishCommand();
            return;
        }
        if (m_inAdmin) {
            m_inAdmin = false;
            admin(b);
            return;
        }
        if (b == 0x00) {
            m_inAdmin = true;
            return;
        }
        if (b < 0x20) {
            immediate(b);
            return;
        }
        if (b <= 0x7F)
            text(static_cast<char>(b));
    }

    void admin(std::uint8_t sub)
    {
        m_state.commands.push_back(0x100 | sub);
        switch (sub) {
        case 0x01: m_state = State{}; break;
        case 0x02:
            m_state.hostOpen = true;
            if (m_mode != Mode::NoOpenAnswer)
                m_pty.send(QByteArray(1, static_cast<char>(m_version)));
            break;
        case 0x03: m_state.hostOpen = false; break;
        case 0x04: expect(0x104, 1); break;
        default: ++m_state.unknownCommands; break;
        }
    }

    void immediate(std::uint8_t cmd)
    {
        m_state.commands.push_back(cmd);
        switch (cmd) {
        case 0x02: case 0x03: case 0x09: case 0x0E: case 0x17: expect(cmd, 1); break;
        case 0x04: expect(cmd, 2); break;
        case 0x08:
            ++m_state.backspaces;
            if (m_state.buffered.size() > (m_charEnd != Clock::time_point{} ? 1 : 0))
                m_state.buffered.chop(1);
            break;
        case 0x0A:
            ++m_state.clears;
            m_state.buffered.clear();
            m_charEnd = {};
            break;
        case 0x15:
            ++m_state.statusRequests;
            m_pty.send(QByteArray(1, static_cast<char>(statusByte())));
            break;
        default: ++m_state.unknownCommands; break;
        }
    }

    void expect(int command, int count)
    {
        m_command = command;
        m_need = count;
        m_params.clear();
    }

    void finishCommand()
    {
        const auto p = [this](int i) { return static_cast<std::uint8_t>(m_params[i]); };
        switch (m_command) {
        case 0x104: {
            std::uint8_t answer = p(0);
            if (m_mode == Mode::WrongEcho)
                answer = static_cast<std::uint8_t>(answer + 1);
            m_pty.send(QByteArray(1, static_cast<char>(answer)));
            break;
        }
        case 0x02: m_state.wpm = p(0); break;
        case 0x03: m_state.weight = p(0); break;
        case 0x04: m_state.leadIn = p(0); m_state.tail = p(1); break;
        case 0x09: m_state.pinConfig = p(0); break;
        case 0x0E: m_state.mode = p(0); break;
        case 0x17: m_state.ratio = p(0); break;
        default: break;
        }
        m_command = -1;
    }

    void text(char c)
    {
        if (!m_state.hostOpen)
            return;
        if (m_state.buffered.size() >= m_capacity) {
            ++m_state.overflows;
            return;
        }
        m_state.buffered.append(QLatin1Char(c));
        m_state.arrivedAt.push_back(Clock::now());
        m_state.maxBuffered = std::max(m_state.maxBuffered, static_cast<int>(m_state.buffered.size()));
    }

    [[nodiscard]] int statusByte() const
    {
        int flags = 0;
        if (m_state.buffered.size() >= m_xoffAt)
            flags |= 0x01;
        if (!m_state.buffered.isEmpty())
            flags |= 0x04;
        return 0xC0 | flags;
    }

    void reportChange()
    {
        const int now = statusByte();
        if (now != m_reported && m_state.hostOpen) {
            m_reported = now;
            if ((now & 0x01) != 0)
                m_state.xoffReported = true;
            m_pty.send(QByteArray(1, static_cast<char>(now)));
        }
    }

    // The keyer's sending: the first buffered character takes its time at
    // the set speed, then goes out (and is echoed when asked for).
    void run()
    {
        while (!m_stop) {
            {
                std::lock_guard lock(m_mutex);
                if (m_mode != Mode::Silent)
                    sendStep();
            }
            std::this_thread::sleep_for(std::chrono::milliseconds(1));
        }
    }

    void sendStep()
    {
        if (m_state.buffered.isEmpty())
            return;
        const auto now = Clock::now();
        if (m_charEnd == Clock::time_point{}) {
            const QChar c = m_state.buffered.front();
            const int units = c == QLatin1Char(' ') ? 4 : 10;
            const double ms = units * m_unitAtOneWpm / std::max(1, m_state.wpm);
            m_charEnd = now + std::chrono::microseconds(static_cast<std::int64_t>(ms * 1000));
            return;
        }
        if (now < m_charEnd)
            return;
        const QChar c = m_state.buffered.front();
        m_state.buffered.remove(0, 1);
        m_state.keyed.append(c);
        m_state.keyedAt.push_back(now);
        m_charEnd = {};
        if (m_state.mode >= 0 && (m_state.mode & 0x04) != 0)
            m_pty.send(QByteArray(1, c.toLatin1()));
        reportChange();
    }

    int m_version;
    mutable std::mutex m_mutex;
    State m_state;
    Mode m_mode = Mode::Normal;
    int m_capacity = 128;
    int m_xoffAt = 85;
    double m_unitAtOneWpm = 1200;
    int m_reported = -1;
    int m_command = -1;
    bool m_inAdmin = false;
    int m_need = 0;
    QByteArray m_params;
    Clock::time_point m_charEnd{};
    std::atomic<bool> m_stop{false};
    std::thread m_clock;
    // Last: its thread is joined first, before anything its handler touches.
    PtyEmulator m_pty{[this](PtyEmulator&, const QByteArray& bytes) { onBytes(bytes); }};
};

}  // namespace testing_support

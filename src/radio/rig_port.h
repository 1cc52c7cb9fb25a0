#pragma once
// The rig's serial port as the poll loop and tuning use it: opened by port
// number with a settings string ("4800,N,8,2"), written and read, and asked
// how many characters still wait to go out. The link itself belongs to the
// shared hardware layer; several windows may name one port number.
//
// The characters still waiting are counted from the port's speed: a write
// puts its bytes on the line one after the other, each taking its start,
// data, parity and stop bits, so the count falls as the time passes. The
// poll loop sends no new query while a previous one is still going out, and
// tuning waits for the count to reach 0 before its next command.
//
// What arrives is taken from the link as soon as it comes (its readyRead),
// and kept in the pieces it came in with the time of each: for a rig whose
// replies nothing marks the end of, the poll loop tells by them whether a
// block is still coming in, which its ticks alone are too coarse to see.

#include "platform/serial_link.h"
#include "radio/frame_buffer.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>
#include <vector>

namespace platform {
class Hardware;
}

namespace radio {

/// A settings string ("4800,N,8,2": baud, parity letter, data bits, stop
/// bits) as serial settings; nullopt when a part is missing or invalid.
[[nodiscard]] std::optional<platform::SerialSettings> parsePortSettings(const QString& text);

class RigPort {
public:
    explicit RigPort(platform::Hardware& hardware) : m_hardware(hardware) {}
    ~RigPort() { close(); }
    RigPort(const RigPort&) = delete;
    RigPort& operator=(const RigPort&) = delete;

    /// Opens port number port with both lines down. False with error set;
    /// a port kept (closeKeepingPort()) stays kept when it cannot be opened
    /// again.
    bool open(int port, const QString& settings, bool rtsHandshake, QString& error);
    /// Closes the port and lets it go.
    void close();
    /// Closes the port and keeps it for the rig (its device went away and is
    /// to be opened again): until open() or close(), the other parts of the
    /// program are refused it, told the rig interface holds it.
    void closeKeepingPort();
    [[nodiscard]] bool isOpen() const;

    /// Writes bytes; false when the port is closed or the write failed.
    bool write(const QByteArray& bytes);
    /// Everything that arrived since the last read.
    [[nodiscard]] QByteArray readAll();
    /// The same, in the pieces it came in, each with its time.
    [[nodiscard]] std::vector<ArrivedBytes> takeArrivals();
    /// The time one character takes on the line at the port's settings.
    [[nodiscard]] std::int64_t nsPerCharacter() const { return static_cast<std::int64_t>(m_nsPerChar); }
    /// Throws away what arrived and was not read.
    void discardInput();
    /// Characters written and not yet on the line; nullopt while closed.
    [[nodiscard]] std::optional<int> outputPending() const;

    bool setDtr(bool on);
    bool setRts(bool on);

    /// The link in use (null while closed); the frequency test writes to it.
    [[nodiscard]] platform::SerialLink* link() const { return m_link; }

private:
    /// Takes what has arrived from the link into m_arrivals.
    void collect();

    platform::Hardware& m_hardware;
    platform::SerialLink* m_link = nullptr;
    /// The link kept for the rig while closed; null when none is.
    platform::SerialLink* m_kept = nullptr;
    /// The opening of m_link that is the rig's (SerialLink::connection()).
    quint64 m_connection = 0;
    double m_nsPerChar = 0;
    std::int64_t m_lineFreeAtNs = 0;
    std::vector<ArrivedBytes> m_arrivals;
    qsizetype m_arrivedSize = 0;
    QMetaObject::Connection m_readyRead;
};

}  // namespace radio

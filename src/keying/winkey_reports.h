#pragma once
// What the WinKey keyer tells the host without being asked, kept as the
// driver's picture of the keyer: a status byte when its state changes
// (110x xxxx: 0x01 XOFF, buffer nearly full; 0x02 break-in; 0x04 busy;
// 0x08 key down; 0x10 waiting), the speed pot's position (10xx xxxx) and,
// with serial echo on, each character (blank to 0x7F) as it goes out.
// Any other byte is neither: line noise, which changes nothing here.
//
// Plain state, no port: the driver feeds it whatever bytes arrive, in
// whatever pieces the port delivers them.

#include <QByteArray>
#include <cstdint>
#include <optional>

namespace keying {

class WinKeyReports {
public:
    /// The characters kept of the echo (the most recent).
    static constexpr qsizetype EchoKept = 256;

    /// A fresh connection: idle, pot not heard, no echo.
    void reset() { *this = WinKeyReports{}; }

    /// One byte from the keyer; false for noise.
    bool take(std::uint8_t byte);
    /// The bytes of one read while a question is open: the first byte that
    /// is not a status or pot report is the answer (nullopt when none came);
    /// every other byte, before or after it, is taken as a report.
    std::optional<std::uint8_t> takeAnswer(const QByteArray& bytes);

    /// Text went to the keyer: it is busy until its next status report.
    void textSent() { m_textUnreported = true; }
    /// The keyer was told to empty its buffer: an empty buffer is not nearly
    /// full, and nothing we sent is waiting any more (whether it still
    /// finishes a character it reports itself).
    void bufferCleared();

    /// The keyer said its buffer is nearly full and has not said otherwise.
    [[nodiscard]] bool full() const;
    /// The keyer sends, or has text from us it has not reported on yet.
    [[nodiscard]] bool busy() const;

    [[nodiscard]] int statusByte() const { return m_statusByte; }
    /// The pot's position (0 to 63), -1 until the keyer reported it.
    [[nodiscard]] int speedPot() const { return m_speedPot; }
    [[nodiscard]] const QByteArray& echoed() const { return m_echoed; }

    [[nodiscard]] static bool isStatus(std::uint8_t byte) { return (byte & 0xE0) == 0xC0; }
    [[nodiscard]] static bool isPot(std::uint8_t byte) { return (byte & 0xC0) == 0x80; }
    [[nodiscard]] static bool isEcho(std::uint8_t byte) { return byte >= 0x20 && byte <= 0x7F; }

private:
    int m_statusByte = 0xC0;
    int m_speedPot = -1;
    QByteArray m_echoed;
    bool m_textUnreported = false;
};

}  // namespace keying

#include "keying/winkey_reports.h"

namespace keying {

namespace {

constexpr int StatusXoff = 0x01;
constexpr int StatusBusyFlags = 0x02 | 0x04 | 0x08 | 0x10;  // break-in, busy, key down, waiting

}  // namespace

bool WinKeyReports::take(std::uint8_t byte)
{
    if (isStatus(byte)) {
        m_statusByte = byte;
        m_textUnreported = false;
    } else if (isPot(byte)) {
        m_speedPot = byte & 0x3F;
    } else if (isEcho(byte)) {
        m_echoed.append(static_cast<char>(byte));
        if (m_echoed.size() > EchoKept)
            m_echoed.remove(0, m_echoed.size() - EchoKept);
    } else {
        return false;
    }
    return true;
}

std::optional<std::uint8_t> WinKeyReports::takeAnswer(const QByteArray& bytes)
{
    std::optional<std::uint8_t> answer;
    for (char c : bytes) {
        const auto b = static_cast<std::uint8_t>(c);
        if (!answer && !isStatus(b) && !isPot(b))
            answer = b;
        else
            (void)take(b);
    }
    return answer;
}

void WinKeyReports::bufferCleared()
{
    m_statusByte &= ~StatusXoff;
    m_textUnreported = false;
}

bool WinKeyReports::full() const { return (m_statusByte & StatusXoff) != 0; }

bool WinKeyReports::busy() const { return m_textUnreported || (m_statusByte & StatusBusyFlags) != 0; }

}  // namespace keying

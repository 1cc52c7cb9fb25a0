#include "spots/telnet_text.h"

#include <array>
#include <utility>

namespace spots {

namespace {
constexpr unsigned char IAC = 255;
constexpr unsigned char SB = 250;
constexpr unsigned char SE = 240;
constexpr unsigned char WILL = 251;  // WILL, WONT, DO, DONT: 251 to 254, one option byte follows
}  // namespace

QString TelnetDecoder::decode(const QByteArray& block)
{
    QString text;
    text.reserve(block.size());
    for (const char ch : block) {
        const auto b = static_cast<unsigned char>(ch);
        switch (m_state) {
        case State::Data:
            if (b == IAC)
                m_state = State::Iac;
            else if (b != 0)
                text.append(QChar(b));
            break;
        case State::Iac:
            if (b == IAC) {
                text.append(QChar(b));
                m_state = State::Data;
            } else if (b >= WILL) {
                m_state = State::Option;
            } else if (b == SB) {
                m_state = State::Sub;
            } else {
                m_state = State::Data;  // a two-byte command (NOP, GA, AYT, ...)
            }
            break;
        case State::Option:
            m_state = State::Data;
            break;
        case State::Sub:
            if (b == IAC)
                m_state = State::SubIac;
            break;
        case State::SubIac:
            m_state = b == SE ? State::Data : State::Sub;
            break;
        }
    }
    return text;
}

QString WinsockErrorText(int number)
{
    static const std::array<std::pair<int, const char*>, 30> texts{{
        {7, "ERROR: Out of memory."},
        {380, "ERROR: The property value is invalid."},
        {383, "ERROR: The property is read-only."},
        {394, "ERROR: The property can't be read."},
        {1004, "ERROR: The operation was canceled."},
        {10014, "ERROR: The requested address is a broadcast address, but flag is not set."},
        {10035, "ERROR: Socket is non-blocking and the specified operation will block."},
        {10036, "ERROR: A blocking Winsock operation in progress."},
        {10037, "ERROR: The operation is completed. No blocking operation in progress"},
        {10038, "ERROR: The descriptor is not a socket."},
        {10040, "ERROR: The datagram is too large to fit into the buffer and is truncated."},
        {10043, "ERROR: The specified port is not supported."},
        {10048, "ERROR: Address in use."},
        {10049, "ERROR: Address not available from the local machine."},
        {10050, "ERROR: Network subsystem failed."},
        {10051, "ERROR: The network cannot be reached from this host at this time."},
        {10052, "ERROR: Connection has timed out when SO_KEEPALIVE is set."},
        {10053, "ERROR: Connection is aborted due to timeout or other failure."},
        {10054, "ERROR: The connection is reset by remote side.!"},
        {10055, "ERROR: No buffer space is available."},
        {10056, "ERROR: Socket is already connected."},
        {10057, "ERROR: Socket is not connected."},
        {10058, "ERROR: Socket has been shut down."},
        {10060, "ERROR: Socket has been shut down."},
        {10061, "ERROR: Connection is forcefully rejected."},
        {10093, "ERROR: WinsockInit should be called first."},
        {11001, "ERROR: Authoritative answer: Host not found."},
        {11002, "ERROR: Non-Authoritative answer: Host not found."},
        {11003, "ERROR: Non-recoverable errors."},
        {11004, "ERROR: Valid name, no data record of requested type."},
    }};
    for (const auto& [n, text] : texts)
        if (n == number)
            return QString::fromLatin1(text);
    return QStringLiteral("Error number ") + QString::number(number);
}

}  // namespace spots

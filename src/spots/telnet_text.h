#pragma once
// What a telnet DX cluster sends, made into text: the telnet protocol's
// negotiation (IAC sequences: option requests, sub-negotiation, commands)
// is removed, a doubled IAC gives one 0xFF byte, and NUL bytes (the filler
// after a bare CR) are dropped. A sequence split over two blocks is still
// removed whole. Bytes are taken one character each (Latin-1), so no block
// can fail to decode. The program answers no negotiation: clusters talk to
// plain line clients.
//
// And the texts shown for socket errors, by the socket interface's error
// numbers.

#include <QByteArray>
#include <QString>

namespace spots {

class TelnetDecoder {
public:
    /// The text of one received block, negotiation removed.
    QString decode(const QByteArray& block);
    /// A new connection starts outside any sequence.
    void reset() { m_state = State::Data; }

private:
    enum class State { Data, Iac, Option, Sub, SubIac };
    State m_state = State::Data;
};

/// The text shown for a socket error number: "ERROR: ..." for the numbers
/// the window knows, "Error number N" for any other.
[[nodiscard]] QString WinsockErrorText(int number);

}  // namespace spots

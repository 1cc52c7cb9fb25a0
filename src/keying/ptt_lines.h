#pragma once
// The push-to-talk lines the voice keyer has raised. The end of a message
// drops exactly what its start raised, whatever the settings boxes say by
// then, so that no path (a box edited while a message plays, a failure half
// way through keying) leaves the transmitter keyed.

#include <QString>
#include <QtGlobal>
#include <optional>
#include <vector>

namespace platform {
class Hardware;
}

namespace keying {

class PttLines {
public:
    explicit PttLines(platform::Hardware& hardware) : m_hardware(hardware) {}

    /// Raises DTR (dtr) or RTS on the open serial port portNumber. False
    /// when the line did not take the level (see failureText).
    bool raiseSerial(int portNumber, bool dtr);
    /// Writes 3 to the control register of the parallel port at baseAddress
    /// (bits 0 and 1 set). False when the port cannot be reached (see
    /// failureText).
    bool raiseParallel(int baseAddress);
    /// Why the last raise that failed failed: the hardware layer's text,
    /// naming the line or the device.
    [[nodiscard]] QString failureText() const { return m_failure; }
    /// Drops every line raised: the serial line off, 2 to the parallel
    /// port's control register (bit 0 cleared, bit 1 still set).
    void dropAll();
    /// Forgets the serial lines of a port that is being closed (closing it
    /// lowers them).
    void forgetSerial(int portNumber);
    [[nodiscard]] bool keyed() const { return !m_serial.empty() || m_parallel.has_value(); }

private:
    struct SerialLine {
        int port = 0;
        bool dtr = false;
        /// The opening of the port the line was raised on: a port closed
        /// under the keyer and opened since by another part is not dropped.
        quint64 connection = 0;
        bool operator==(const SerialLine&) const = default;
    };
    platform::Hardware& m_hardware;
    std::vector<SerialLine> m_serial;
    std::optional<int> m_parallel;
    QString m_failure;
};

}  // namespace keying

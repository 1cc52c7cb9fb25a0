#pragma once
// The push-to-talk lines the voice keyer has raised. The end of a message
// drops exactly what its start raised, whatever the settings boxes say by
// then, so that no path (a box edited while a message plays, a failure half
// way through keying) leaves the transmitter keyed.

#include <optional>
#include <vector>

namespace platform {
class Hardware;
}

namespace keying {

class PttLines {
public:
    explicit PttLines(platform::Hardware& hardware) : m_hardware(hardware) {}

    /// Raises DTR (dtr) or RTS on the open serial port portNumber.
    void raiseSerial(int portNumber, bool dtr);
    /// Writes 3 to the control register of the parallel port at baseAddress
    /// (bits 0 and 1 set). False when the port cannot be reached.
    bool raiseParallel(int baseAddress);
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
        bool operator==(const SerialLine&) const = default;
    };
    platform::Hardware& m_hardware;
    std::vector<SerialLine> m_serial;
    std::optional<int> m_parallel;
};

}  // namespace keying

#pragma once
// The keying engine's lines on the program's hardware layer: a serial
// port's RTS or DTR line, or the parallel port's control register (3 key
// down, 2 key up: bits 0 and 1, then bit 1 alone).

#include "keying/morse_engine.h"

#include <cstdint>

namespace platform {
class ParallelPort;
class SerialLink;
}  // namespace platform

namespace keying {

class SerialKeyLine final : public KeyLine {
public:
    enum class Which { Rts, Dtr };
    SerialKeyLine(platform::SerialLink& link, Which which) : m_link(link), m_which(which) {}
    bool setKey(bool down) override;
    /// The serial layer's text, naming the line that failed.
    [[nodiscard]] QString failureText() const override;

private:
    platform::SerialLink& m_link;
    Which m_which;
};

class ParallelKeyLine final : public KeyLine {
public:
    static constexpr std::uint8_t KeyDown = 3;
    static constexpr std::uint8_t KeyUp = 2;
    ParallelKeyLine(platform::ParallelPort& port, int baseAddress) : m_port(port), m_base(baseAddress) {}
    bool setKey(bool down) override;
    /// The parallel layer's text and what to do about it.
    [[nodiscard]] QString failureText() const override;

private:
    platform::ParallelPort& m_port;
    int m_base;
};

}  // namespace keying

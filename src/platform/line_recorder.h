#pragma once
// What the hardware layers did, for tests and benchmarks: every modem-line
// or parallel-port change and every block of bytes written, with a monotonic
// time stamp. A layer given no recorder records nothing.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

namespace platform {

struct LineEvent {
    enum class Kind { Dtr, Rts, ParallelControl, Written, Opened, Closed };
    std::int64_t monotonicNs = 0;  ///< CLOCK_MONOTONIC
    QString device;                ///< device path (or the port's name)
    Kind kind = Kind::Written;
    int value = 0;                 ///< line level 0/1, or the control byte
    QByteArray bytes;              ///< the bytes of a Written event
};

class LineRecorder {
public:
    void record(LineEvent event) { m_events.push_back(std::move(event)); }
    [[nodiscard]] const std::vector<LineEvent>& events() const { return m_events; }
    void clear() { m_events.clear(); }

private:
    std::vector<LineEvent> m_events;
};

/// Nanoseconds on CLOCK_MONOTONIC.
[[nodiscard]] std::int64_t monotonicNs();

}  // namespace platform

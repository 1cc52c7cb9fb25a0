#pragma once
// The waits that tuning makes between its commands: a pause of a number of
// milliseconds that lets no events run while it counts (but lets them run
// once before and once after), and a wait for the port's output to go out
// (at most two seconds) that lets events run while it waits. Tests put a
// recording stand-in in their place, so that the order and length of the
// waits can be checked without spending the time.

#include <functional>
#include <optional>

namespace radio {

class RigWaits {
public:
    virtual ~RigWaits() = default;
    /// Lets the events waiting in the queue run once.
    virtual void letEventsRun();
    /// Events once; then ms milliseconds without events; then events once.
    virtual void WaitMilliseconds(double ms);
    /// Returns when outputPending() gives 0 (or nullopt: no port to wait
    /// for) or after 2,000 ms, letting events run between its looks.
    virtual void WaitForOutputDrain(const std::function<std::optional<int>()>& outputPending);

    static constexpr int DrainLimitMs = 2000;
};

}  // namespace radio

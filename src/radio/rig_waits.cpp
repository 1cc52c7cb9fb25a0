#include "radio/rig_waits.h"

#include "platform/events.h"
#include "platform/line_recorder.h"

#include <cmath>

namespace radio {

void RigWaits::letEventsRun() { platform::letPendingEventsRun(); }

void RigWaits::WaitMilliseconds(double ms)
{
    letEventsRun();
    platform::waitMs(static_cast<int>(std::lround(ms)));
    letEventsRun();
}

void RigWaits::WaitForOutputDrain(const std::function<std::optional<int>()>& outputPending)
{
    const std::int64_t deadline = platform::monotonicNs() + std::int64_t{DrainLimitMs} * 1'000'000;
    for (;;) {
        const std::optional<int> pending = outputPending();
        if (!pending || *pending <= 0 || platform::monotonicNs() >= deadline)
            return;
        // A millisecond between looks, as fine as the waits are measured.
        platform::waitMsLettingEventsRun(1);
    }
}

}  // namespace radio

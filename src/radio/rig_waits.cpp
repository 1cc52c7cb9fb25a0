#include "radio/rig_waits.h"

#include "platform/events.h"
#include "platform/line_recorder.h"

#include <algorithm>
#include <cerrno>
#include <time.h>

namespace radio {

namespace {

void sleepUntil(std::int64_t deadlineNs)
{
    // Sleeping to an absolute time on the monotonic clock: no events run,
    // and no processor is spent counting.
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadlineNs / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(deadlineNs % 1'000'000'000);
    while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
    }
}

}  // namespace

void RigWaits::letEventsRun() { platform::letPendingEventsRun(); }

void RigWaits::WaitMilliseconds(double ms)
{
    letEventsRun();
    if (ms > 0)
        sleepUntil(platform::monotonicNs() + static_cast<std::int64_t>(ms * 1e6));
    letEventsRun();
}

void RigWaits::WaitForOutputDrain(const std::function<std::optional<int>()>& outputPending)
{
    const std::int64_t deadline = platform::monotonicNs() + std::int64_t{DrainLimitMs} * 1'000'000;
    for (;;) {
        const std::optional<int> pending = outputPending();
        if (!pending || *pending <= 0)
            return;
        const std::int64_t now = platform::monotonicNs();
        if (now >= deadline)
            return;
        letEventsRun();
        // A millisecond between looks, as fine as the waits are measured.
        sleepUntil(std::min(deadline, now + 1'000'000));
    }
}

}  // namespace radio

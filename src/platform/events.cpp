#include "platform/events.h"

#include "platform/line_recorder.h"

#include <QCoreApplication>

#include <algorithm>
#include <cerrno>
#include <time.h>

namespace platform {

namespace {

// Sleeps until the monotonic time deadlineNs; a signal only shortens the
// sleep, the caller's loop decides whether it is over.
void sleepUntil(std::int64_t deadlineNs)
{
    timespec ts{};
    ts.tv_sec = static_cast<time_t>(deadlineNs / 1'000'000'000);
    ts.tv_nsec = static_cast<long>(deadlineNs % 1'000'000'000);
    clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr);
}

}  // namespace

void letPendingEventsRun()
{
    QCoreApplication::processEvents(QEventLoop::AllEvents);
    // The redraws those events asked for, and the paints the redraws ask for
    // in turn, run now rather than first thing in the next call: there they
    // would come before the clicks that waited meanwhile, and a click would
    // be handled against a screen the operator never saw.
    QCoreApplication::sendPostedEvents();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::UpdateRequest);
}

void waitMs(int ms)
{
    if (ms <= 0)
        return;
    const std::int64_t deadline = monotonicNs() + static_cast<std::int64_t>(ms) * 1'000'000;
    while (monotonicNs() < deadline)
        sleepUntil(deadline);
}

void waitMsLettingEventsRun(int ms)
{
    constexpr std::int64_t Slice = 1'000'000;
    const std::int64_t deadline = monotonicNs() + static_cast<std::int64_t>(std::max(ms, 0)) * 1'000'000;
    for (;;) {
        letPendingEventsRun();
        const std::int64_t now = monotonicNs();
        if (now >= deadline)
            return;
        sleepUntil(std::min(deadline, now + Slice));
    }
}

}  // namespace platform

#include "keying/morse_engine.h"

#include "platform/end_signals.h"
#include "platform/line_recorder.h"

#include <cerrno>
#include <cmath>
#include <time.h>

namespace keying {

namespace {

class MonotonicKeyClock final : public KeyClock {
public:
    [[nodiscard]] std::int64_t nowNs() const override { return platform::monotonicNs(); }
    void waitUntil(std::int64_t deadlineNs, TimingMethod method, const std::atomic<bool>& stop) const override
    {
        if (method == TimingMethod::Sleep) {
            timespec ts{};
            ts.tv_sec = static_cast<time_t>(deadlineNs / 1'000'000'000);
            ts.tv_nsec = static_cast<long>(deadlineNs % 1'000'000'000);
            // A signal wakes the sleep (EINTR): an end request ends the wait.
            while (clock_nanosleep(CLOCK_MONOTONIC, TIMER_ABSTIME, &ts, nullptr) == EINTR) {
                if (stop.load(std::memory_order_relaxed))
                    return;
            }
            return;
        }
        while (platform::monotonicNs() < deadlineNs) {
            if (stop.load(std::memory_order_relaxed))
                return;
        }
    }
};

}  // namespace

const KeyClock& monotonicKeyClock()
{
    static const MonotonicKeyClock clock;
    return clock;
}

void MorseEngine::countTo(double limit)
{
    // volatile, so the compiler keeps every round of the loop.
    volatile double counter = 0;
    while (counter < limit)
        counter = counter + 1;
}

MorseEngine::MorseEngine(const KeyClock& clock, const std::atomic<bool>* stop)
    : m_clock(&clock), m_stop(stop ? stop : &platform::endRequestFlag())
{
}

MorseEngine::Outcome MorseEngine::key(const QString& units, const UnitTiming& timing, KeyLine* line)
{
    const Outcome outcome = keyToGap(units, timing, line);
    return outcome == Outcome::Keyed ? finishCharacter() : outcome;
}

MorseEngine::Outcome MorseEngine::stop(KeyLine* keyedLine)
{
    if (keyedLine)
        keyedLine->setKey(false);
    resetTimeline();
    return Outcome::Stopped;
}

MorseEngine::Outcome MorseEngine::keyToGap(const QString& units, const UnitTiming& timing, KeyLine* line)
{
    if (const Outcome before = finishCharacter(); before != Outcome::Keyed)
        return before;
    if (units.isEmpty())
        return Outcome::Keyed;
    const double unitNs = 1'200'000'000.0 / timing.wpm;
    const std::int64_t now = m_clock->nowNs();
    // Continue the previous character's timeline when it ended a moment ago
    // (events ran in between); start afresh after a longer pause.
    std::int64_t start = now;
    if (m_timelineNs > 0 && now >= m_timelineNs && now - m_timelineNs < unitNs / 2)
        start = m_timelineNs;
    // The trailing key-up units: the gap the caller may use.
    qsizetype gap = units.size();
    while (gap > 0 && units[gap - 1] != QLatin1Char('1'))
        --gap;

    int level = -1;
    for (qsizetype k = 0; k < units.size(); ++k) {
        if (stopRequested())
            return stop(level == 1 ? line : nullptr);
        const int want = units[k] == QLatin1Char('1') ? 1 : 0;
        if (want != level && timing.method != TimingMethod::Loop) {
            // Held up far past this edge (a busy machine): the rest of the
            // character moves with it, so that no element is cut short by
            // more than half a unit.
            const auto idealEdge = start + static_cast<std::int64_t>(std::llround(unitNs * static_cast<double>(k)));
            const std::int64_t late = m_clock->nowNs() - idealEdge;
            if (late > unitNs / 2)
                start += late;
        }
        if (line && want != level) {
            if (!line->setKey(want == 1)) {
                if (want == 1)
                    line->setKey(false);
                resetTimeline();
                return Outcome::LineFailed;
            }
            level = want;
        }
        if (k == gap) {
            // The line is up for the rest: leave the gap to finishCharacter.
            m_pending.active = true;
            m_pending.method = timing.method;
            m_pending.loopUnits = static_cast<int>(units.size() - gap);
            m_pending.loopRounds = timing.loopsPer60ms > 0 ? timing.loopsPer60ms / timing.wpm * 20 : 0;
            break;
        }
        const auto end = start + static_cast<std::int64_t>(std::llround(unitNs * static_cast<double>(k + 1)));
        if (timing.method == TimingMethod::Loop) {
            if (timing.loopsPer60ms > 0)
                countTo(timing.loopsPer60ms / timing.wpm * 20);
        } else {
            m_clock->waitUntil(end, timing.method, *m_stop);
        }
    }
    // A character that ends on a key-down unit (none does in the table)
    // still leaves the line up.
    if (line && level == 1)
        line->setKey(false);
    m_timelineNs = timing.method == TimingMethod::Loop
                       ? 0
                       : start + static_cast<std::int64_t>(std::llround(unitNs * static_cast<double>(units.size())));
    if (stopRequested()) {
        resetTimeline();
        return Outcome::Stopped;
    }
    return Outcome::Keyed;
}

MorseEngine::Outcome MorseEngine::finishCharacter()
{
    if (!m_pending.active)
        return Outcome::Keyed;
    const PendingGap gap = m_pending;
    m_pending = {};
    if (gap.method == TimingMethod::Loop) {
        for (int u = 0; u < gap.loopUnits && !stopRequested(); ++u)
            countTo(gap.loopRounds);
    } else {
        m_clock->waitUntil(m_timelineNs, gap.method, *m_stop);
    }
    if (stopRequested()) {
        resetTimeline();
        return Outcome::Stopped;
    }
    return Outcome::Keyed;
}

double MorseEngine::calibrateLoop()
{
    constexpr std::int64_t MinimumNs = 20'000'000;
    double rounds = 5'000'000;
    for (int attempt = 0; attempt < 8; ++attempt) {
        const std::int64_t t0 = platform::monotonicNs();
        countTo(rounds);
        const std::int64_t elapsed = platform::monotonicNs() - t0;
        if (elapsed >= MinimumNs)
            return std::nearbyint(rounds / (static_cast<double>(elapsed) / 1e6) * 60.0);
        rounds *= 4;
    }
    // A machine that counts this fast: the last count, measured as 20 ms.
    return std::nearbyint(rounds / 4 / 20.0 * 60.0);
}

}  // namespace keying

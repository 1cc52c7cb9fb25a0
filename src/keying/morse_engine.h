#pragma once
// The keying engine: keys one character's units on a line and holds each
// unit for its time, without letting any event run, by one of three
// methods: "Timer" spins on the monotonic clock, "Sleep" sleeps the thread
// until each unit's end, "Loop" counts a calibrated counting loop.
//
// Timer and Sleep wait for absolute ends on one timeline (character start +
// k units), so that rounding never piles up over a message; a character
// that follows the one before at once (the send loop only let events run in
// between) continues that one's timeline. An edge held up by more than
// half a unit (the machine was busy) moves the rest of the character with it,
// so that no element is cut short by more than that. The line is up on every way out:
// the last units of a character are key-up, and a line that fails is
// released before the rest of the character is given up.
//
// The send loop keys a character up to the start of its trailing gap
// (keyToGap), lets events run while the line is up, then waits out the gap
// on the same timeline (finishCharacter), so that the time the events take
// never delays the next character's first element.
//
// An end of the program asked for by a signal is seen between units and
// inside every wait: the line goes up and the rest of the character is
// given up, so a long character never keeps a transmitter keyed.

#include <QString>
#include <atomic>
#include <cstdint>

namespace keying {

enum class TimingMethod { Timer, Loop, Sleep };

/// The line a character is keyed on: a serial port's RTS or DTR line, or the
/// parallel port's control register.
class KeyLine {
public:
    virtual ~KeyLine() = default;
    /// Key down (true) or up; false when the line did not take the level.
    virtual bool setKey(bool down) = 0;
    /// Why the last change that failed failed, and what the operator can do.
    [[nodiscard]] virtual QString failureText() const { return {}; }
};

/// Where the engine reads the time and waits for a unit's end. The
/// program keys on the monotonic clock; a test hands in its own clock so
/// that the timeline rules are checked to the nanosecond on any machine.
class KeyClock {
public:
    virtual ~KeyClock() = default;
    [[nodiscard]] virtual std::int64_t nowNs() const = 0;
    /// Returns at deadlineNs or later (Timer spins, Sleep sleeps the
    /// thread), or as soon as stop is seen set.
    virtual void waitUntil(std::int64_t deadlineNs, TimingMethod method, const std::atomic<bool>& stop) const = 0;
};

/// The monotonic clock the program keys on.
const KeyClock& monotonicKeyClock();

struct UnitTiming {
    double wpm = 13;  ///< within MinWpm..MaxWpm (see keyingWpm)
    TimingMethod method = TimingMethod::Timer;
    double loopsPer60ms = 0;  ///< Loop: rounds of the counting loop in 60 ms
};

class MorseEngine {
public:
    /// stop: the end of the program was asked for (the signal handlers'
    /// flag unless a test hands in its own).
    explicit MorseEngine(const KeyClock& clock = monotonicKeyClock(), const std::atomic<bool>* stop = nullptr);

    enum class Outcome {
        Keyed,       ///< every unit keyed and timed (or only timed, without a line)
        LineFailed,  ///< a line change failed: the rest of the character was given up
        Stopped,     ///< the program is ending: the line was let up, the rest given up
    };

    /// Keys units ("1" down, "0" up) on line, or only times them when line
    /// is null (a port that is not open). Returns when the last unit has
    /// passed.
    Outcome key(const QString& units, const UnitTiming& timing, KeyLine* line);

    /// Keys units up to the first unit of the trailing key-up gap, with
    /// the line set up for it, and returns at once; finishCharacter (or the
    /// next character) waits out the rest of the gap on the timeline. A
    /// character still pending is finished first.
    Outcome keyToGap(const QString& units, const UnitTiming& timing, KeyLine* line);

    /// Waits until the end of the character keyToGap left pending; returns
    /// at once when none is.
    Outcome finishCharacter();

    /// Forgets the timeline, so the next character starts on its own.
    void resetTimeline()
    {
        m_timelineNs = 0;
        m_pending = {};
    }

    /// Counts the counting loop until it takes a measurable time and
    /// returns the rounds in 60 ms (rounded, halves to even). Starts with
    /// 5,000,000 rounds and counts more until at least 20 ms have passed,
    /// so the result never comes from a zero or noise-sized interval.
    [[nodiscard]] static double calibrateLoop();

    /// One pass of the Loop method's wait: counts to limit rounds.
    static void countTo(double limit);

private:
    /// The rest of a character's trailing gap, left by keyToGap.
    struct PendingGap {
        bool active = false;
        TimingMethod method = TimingMethod::Timer;
        int loopUnits = 0;       ///< Loop: units still to count
        double loopRounds = 0;   ///< Loop: rounds of one unit
    };

    [[nodiscard]] bool stopRequested() const { return m_stop->load(std::memory_order_relaxed); }
    /// Gives up the character: lets keyedLine (null when up) up.
    Outcome stop(KeyLine* keyedLine);

    const KeyClock* m_clock;
    const std::atomic<bool>* m_stop;
    std::int64_t m_timelineNs = 0;  ///< ideal end of the last character keyed
    PendingGap m_pending;
};

}  // namespace keying

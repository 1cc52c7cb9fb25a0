#pragma once
// Clocks: the computer's local date and time (with its offset from UTC, so
// local time and UTC always come from one reading), and a monotonic
// millisecond clock for waits and rates that must not jump with the wall clock.

#include <QDateTime>
#include <QElapsedTimer>

namespace platform {

class Clock {
public:
    virtual ~Clock() = default;
    /// Local date and time, carrying the computer's current offset from UTC.
    [[nodiscard]] virtual QDateTime now() const = 0;
    /// Milliseconds from an arbitrary start; never goes backwards.
    [[nodiscard]] virtual qint64 monotonicMs() const = 0;

    [[nodiscard]] QDateTime utcNow() const { return now().toUTC(); }
    /// Seconds since local midnight (with fractions), like a day timer.
    [[nodiscard]] double secondsSinceMidnight() const
    {
        const QTime t = now().time();
        return t.msecsSinceStartOfDay() / 1000.0;
    }
};

class SystemClock final : public Clock {
public:
    SystemClock() { m_elapsed.start(); }
    QDateTime now() const override { return QDateTime::currentDateTime(); }
    qint64 monotonicMs() const override { return m_elapsed.elapsed(); }

private:
    QElapsedTimer m_elapsed;
};

/// A clock that a test sets and moves by hand.
class ManualClock final : public Clock {
public:
    ManualClock();
    /// Sets the local date and time and the computer's offset east of UTC.
    void set(const QDate& date, const QTime& time, int offsetFromUtcSeconds = 0);
    void advanceMs(qint64 ms);
    QDateTime now() const override { return m_now; }
    qint64 monotonicMs() const override { return m_mono; }

private:
    QDateTime m_now;
    qint64 m_mono = 0;
};

}  // namespace platform

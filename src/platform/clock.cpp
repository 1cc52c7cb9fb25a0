#include "platform/clock.h"


namespace platform {

ManualClock::ManualClock() { set(QDate(2026, 10, 3), QTime(16, 0, 0), 0); }

void ManualClock::set(const QDate& date, const QTime& time, int offsetFromUtcSeconds)
{
    m_now = QDateTime(date, time, Qt::OffsetFromUTC, offsetFromUtcSeconds);
}

void ManualClock::advanceMs(qint64 ms)
{
    m_now = m_now.addMSecs(ms);
    m_mono += ms;
}

}  // namespace platform

#include "spots/spot_line.h"

namespace spots {

QString trimBlanks(const QString& text)
{
    qsizetype start = 0;
    qsizetype end = text.size();
    while (start < end && text.at(start) == u' ')
        ++start;
    while (end > start && text.at(end - 1) == u' ')
        --end;
    return text.mid(start, end - start);
}

bool isSpotUnit(const QString& unit)
{
    return unit.size() >= 2 && (unit.at(0) == u'D' || unit.at(0) == u'd')
           && (unit.at(1) == u'X' || unit.at(1) == u'x');
}

ClusterSpotLine cutSpotLine(const QString& unit)
{
    ClusterSpotLine s;
    s.frequency = trimBlanks(unit.mid(15, 9));
    s.call = trimBlanks(unit.mid(26, 13));
    s.record = trimBlanks(unit.mid(3));
    return s;
}

bool isRepeatOfMonitor(const QString& monitor, const QString& unit)
{
    const qsizetype from = std::max<qsizetype>(0, monitor.size() - RepeatWindow - 1);
    return QStringView(monitor).mid(from).contains(unit, Qt::CaseInsensitive);
}

QString trimmedMonitor(const QString& monitor)
{
    if (monitor.size() > MonitorLimit)
        return monitor.right(MonitorKeep);
    return monitor;
}

QStringList TncLineCutter::add(const QString& received)
{
    m_buffer += received;
    QStringList lines;
    qsizetype start = m_buffer.indexOf(u'\n');
    if (start < 0) {
        // No line has begun: nothing here can ever be shown.
        if (m_buffer.size() > BufferLimit)
            m_buffer = m_buffer.right(BufferLimit / 2);
        return lines;
    }
    for (;;) {
        const qsizetype end = m_buffer.indexOf(u'\n', start + 1);
        if (end < 0)
            break;
        lines.append(m_buffer.mid(start + 1, end - start));
        start = end;
    }
    m_buffer.remove(0, start);
    if (m_buffer.size() > BufferLimit)
        m_buffer = m_buffer.right(BufferLimit / 2);
    return lines;
}

}  // namespace spots

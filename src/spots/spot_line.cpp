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

QString spotUnitIn(const QString& line)
{
    if (isSpotUnit(line))
        return line;
    const qsizetype start = line.indexOf(QLatin1String("DX de"), 0, Qt::CaseInsensitive);
    if (start <= 0)
        return {};
    // A line that only begins with blanks before it stays no spot.
    if (trimBlanks(line.left(start)).isEmpty())
        return {};
    return line.mid(start);
}

QStringList crLfLines(const QString& text)
{
    QStringList lines;
    qsizetype from = 0;
    while (from < text.size()) {
        const qsizetype end = text.indexOf(QLatin1String("\r\n"), from);
        if (end < 0) {
            lines.append(text.mid(from));
            break;
        }
        lines.append(text.mid(from, end + 2 - from));
        from = end + 2;
    }
    return lines;
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

}  // namespace spots

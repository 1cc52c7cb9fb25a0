#include "log/recent_contacts.h"

#include "platform/settings_stream.h"

#include <QDate>
#include <QTime>
#include <algorithm>

namespace contactlog {

std::vector<int> recentContactRecords(const ContactLog& log, quint8 ListAllFlag)
{
    const int count = log.ContactCount();
    const int first = (ListAllFlag == 1 || count < 20) ? 1 : count - 19;
    std::vector<int> rows;
    rows.reserve(static_cast<std::size_t>(std::max(0, count - first + 1)));
    for (int i = count; i >= first; --i)
        rows.push_back(i);
    return rows;
}

QString listDateTime(const QString& LogDate, const QString& LogTime)
{
    const QDate d = QDate::fromString(LogDate, QStringLiteral("yyyy/MM/dd"));
    QTime t = QTime::fromString(LogTime, QStringLiteral("HH:mm:ss"));
    if (!t.isValid())
        t = QTime::fromString(LogTime, QStringLiteral("HH:mm"));
    if (!t.isValid())
        t = QTime::fromString(LogTime, QStringLiteral("H:mm"));
    const QString date = d.isValid() ? d.toString(QStringLiteral("MM/dd")) : LogDate;
    const QString time = t.isValid() ? t.toString(QStringLiteral("HH:mm")) : LogTime;
    return date + u' ' + time;
}

QStringList contactListRow(const ContactLog& log, int i, bool inState, bool rover)
{
    const ContactRecord& r = log.record(i);
    QStringList row{QString::number(i), r.LogCall, r.LogSerialRcvd};
    if (inState)
        row << r.LogSPC;
    row << r.LogCountyRcvd << r.LogSerialSent << listDateTime(r.LogDate, r.LogTime) << r.LogMode << r.LogBand;
    if (inState && rover)
        row << r.LogCountySent;
    return row;
}

bool isNumericText(const QString& text) { return platform::parseNumber(text).has_value(); }

QString NextSerial(const ContactLog& log)
{
    QString next;
    const int count = log.ContactCount();
    if (count < 1) {
        next = QStringLiteral("1");
    } else if (auto serial = platform::parseNumber(log.record(count).LogSerialSent)) {
        next = platform::formatNumber(*serial + 1);
    } else {
        next = QString::number(count + 1);
    }
    if (next.size() < 3)
        next.prepend(QString(3 - next.size(), u'0'));
    return next;
}

}  // namespace contactlog

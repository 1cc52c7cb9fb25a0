#include "reports/log_date_time.h"

#include <QRegularExpression>

namespace reports {

std::optional<QDate> readLogDate(const QString& text)
{
    static const QRegularExpression yearFirst(QStringLiteral("^(\\d{4})[/-](\\d{1,2})[/-](\\d{1,2})$"));
    static const QRegularExpression yearLast(QStringLiteral("^(\\d{1,2})[/-](\\d{1,2})[/-](\\d{4})$"));
    const QString t = text.trimmed();
    QDate d;
    if (const auto m = yearFirst.match(t); m.hasMatch())
        d = QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
    else if (const auto m2 = yearLast.match(t); m2.hasMatch())
        d = QDate(m2.captured(3).toInt(), m2.captured(1).toInt(), m2.captured(2).toInt());
    if (!d.isValid())
        return std::nullopt;
    return d;
}

std::optional<QTime> readLogTime(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^(\\d{1,2}):(\\d{1,2})(?::(\\d{1,2}))?$"));
    const auto m = form.match(text.trimmed());
    if (!m.hasMatch())
        return std::nullopt;
    const int h = m.captured(1).toInt();
    const int mi = m.captured(2).toInt();
    const int s = m.captured(3).isEmpty() ? 0 : m.captured(3).toInt();
    if (h > 23 || mi > 59 || s > 59)
        return std::nullopt;
    return QTime(h, mi, s);
}

QString logDateText(const QDate& date) { return date.toString(QStringLiteral("yyyy/MM/dd")); }

QString logTimeText(const QString& text)
{
    static const QRegularExpression logForm(QStringLiteral("^\\d{2}:\\d{2}(:\\d{2})?$"));
    const auto t = readLogTime(text);
    if (!t)
        return text;
    if (logForm.match(text).hasMatch())
        return text;
    return t->toString(QStringLiteral("HH:mm:ss"));
}

}  // namespace reports

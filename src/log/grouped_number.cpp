#include "log/grouped_number.h"

#include <QLocale>
#include <cmath>

namespace contactlog {

QChar groupSeparator()
{
    const QString sep = QLocale::system().groupSeparator();
    return sep.size() == 1 ? sep.at(0) : QChar(u',');
}

QString wholeNumberText(double value, bool grouped, ZeroShows zero)
{
    if (!std::isfinite(value))
        return {};
    const double rounded = std::round(value);  // halves away from zero
    if (rounded == 0)
        return zero == ZeroShows::Zero ? QStringLiteral("0") : QString();
    const bool negative = rounded < 0;
    QString digits = QString::number(std::fabs(rounded), 'f', 0);
    if (grouped) {
        const QChar sep = groupSeparator();
        for (qsizetype pos = digits.size() - 3; pos > 0; pos -= 3)
            digits.insert(pos, sep);
    }
    return negative ? QStringLiteral("-") + digits : digits;
}

}  // namespace contactlog

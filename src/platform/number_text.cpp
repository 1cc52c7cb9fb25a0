#include "platform/number_text.h"

#include "platform/settings_stream.h"

#include <QLocale>

namespace platform {

QString localNumberText(double value)
{
    QLocale locale = QLocale::system();
    locale.setNumberOptions(QLocale::OmitGroupSeparator);
    // Seven significant digits: a single-precision value shown as typed.
    QString s = locale.toString(value, 'g', 7);
    if (s == QStringLiteral("-0"))
        s = QStringLiteral("0");
    return s;
}

std::optional<double> typedNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool ok = false;
    const double v = QLocale::system().toDouble(t, &ok);
    if (ok)
        return v;
    return parseNumber(t);
}

}  // namespace platform

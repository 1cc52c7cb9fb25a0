#include "platform/name_value_lines.h"

#include <QStringList>

namespace platform {

std::vector<NameValue> nameValueLines(const QString& text)
{
    std::vector<NameValue> lines;
    QString unified = text;
    unified.replace(QLatin1String("\r\n"), QLatin1String("\n")).replace(u'\r', u'\n');
    for (const QString& raw : unified.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        lines.push_back({line.left(eq).trimmed(), line.mid(eq + 1).trimmed()});
    }
    return lines;
}

}  // namespace platform

#include "spots/agw_engine_address.h"

#include <QFile>
#include <QStringList>

namespace spots {

AgwEngineAddress parseAgwEngineAddress(const QString& text)
{
    AgwEngineAddress address;
    for (const QString& raw : text.split(u'\n')) {
        const QString line = raw.trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        const QString name = line.left(eq).trimmed().toLower();
        const QString value = line.mid(eq + 1).trimmed();
        if (name == QStringLiteral("host") && !value.isEmpty()) {
            address.host = value;
        } else if (name == QStringLiteral("port")) {
            bool ok = false;
            const int port = value.toInt(&ok);
            if (ok && port >= 1 && port <= 65535)
                address.port = port;
        }
    }
    return address;
}

AgwEngineAddress loadAgwEngineAddress(const QString& filePath)
{
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return parseAgwEngineAddress(QString::fromUtf8(file.read(4096)));
}

}  // namespace spots

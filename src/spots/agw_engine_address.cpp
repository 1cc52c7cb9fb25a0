#include "spots/agw_engine_address.h"

#include "platform/name_value_lines.h"

#include <QFile>

namespace spots {

AgwEngineAddress parseAgwEngineAddress(const QString& text)
{
    AgwEngineAddress address;
    for (const platform::NameValue& line : platform::nameValueLines(text)) {
        const QString name = line.name.toLower();
        const QString& value = line.value;
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

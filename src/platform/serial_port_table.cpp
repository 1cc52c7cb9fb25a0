#include "platform/serial_port_table.h"

#include "platform/name_value_lines.h"

#include <QFile>

namespace platform {

SerialPortTable SerialPortTable::load(const QString& filePath)
{
    SerialPortTable table;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly))
        return table;
    for (const NameValue& line : nameValueLines(QString::fromUtf8(file.readAll()))) {
        bool ok = false;
        const int number = line.name.toInt(&ok);
        // A line the operator mistyped names no port rather than a wrong one.
        if (!ok || number <= 0 || line.value.isEmpty())
            continue;
        table.set(number, line.value);
    }
    return table;
}

std::optional<QString> SerialPortTable::device(int portNumber) const
{
    const auto it = m_devices.find(portNumber);
    if (it == m_devices.end())
        return std::nullopt;
    return it->second;
}

}  // namespace platform

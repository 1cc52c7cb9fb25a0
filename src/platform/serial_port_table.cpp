#include "platform/serial_port_table.h"

#include <QFile>
#include <QTextStream>

namespace platform {

SerialPortTable SerialPortTable::load(const QString& filePath)
{
    SerialPortTable table;
    QFile file(filePath);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return table;
    QTextStream in(&file);
    while (!in.atEnd()) {
        const QString line = in.readLine().trimmed();
        if (line.isEmpty() || line.startsWith(u'#'))
            continue;
        const qsizetype eq = line.indexOf(u'=');
        if (eq <= 0)
            continue;
        bool ok = false;
        const int number = line.left(eq).trimmed().toInt(&ok);
        const QString device = line.mid(eq + 1).trimmed();
        // A line the operator mistyped names no port rather than a wrong one.
        if (!ok || number <= 0 || device.isEmpty())
            continue;
        table.set(number, device);
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

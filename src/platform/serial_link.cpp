// Placeholder until the tty implementation lands: every open fails.
#include "platform/parallel_port.h"
#include "platform/serial_link.h"

#include <QObject>
#include <time.h>
#include <utility>

namespace platform {

std::int64_t monotonicNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

SerialPortTable SerialPortTable::load(const QString&) { return {}; }

std::optional<QString> SerialPortTable::device(int portNumber) const
{
    const auto it = m_devices.find(portNumber);
    if (it == m_devices.end())
        return std::nullopt;
    return it->second;
}

SerialLink::SerialLink(QObject* parent) : QObject(parent) {}
SerialLink::~SerialLink() { close(); }
void SerialLink::setPortTable(const SerialPortTable& table) { m_table = std::make_unique<SerialPortTable>(table); }
bool SerialLink::open(int portNumber, const SerialSettings&)
{
    m_error = QObject::tr("Port %1 is not available").arg(portNumber);
    return false;
}
bool SerialLink::openDevice(const QString& devicePath, const SerialSettings&)
{
    m_error = QObject::tr("Cannot open %1").arg(devicePath);
    return false;
}
void SerialLink::close() {}
bool SerialLink::write(const QByteArray&) { return false; }
bool SerialLink::drainOutput(int) { return false; }
void SerialLink::discardInput() { m_input.clear(); }
QByteArray SerialLink::readAll() { return std::exchange(m_input, {}); }
qint64 SerialLink::bytesAvailable() { return m_input.size(); }
bool SerialLink::setDtr(bool on) { return setLine(0, on, m_dtr, LineEvent::Kind::Dtr); }
bool SerialLink::setRts(bool on) { return setLine(0, on, m_rts, LineEvent::Kind::Rts); }
bool SerialLink::setLine(int, bool, bool&, LineEvent::Kind) { return false; }
void SerialLink::fillBuffer() {}

ParallelPort::~ParallelPort() { close(); }
std::optional<int> ParallelPort::parseBaseAddress(const QString&) { return std::nullopt; }
bool ParallelPort::writeControl(int, std::uint8_t) { return false; }
void ParallelPort::close() {}

}  // namespace platform

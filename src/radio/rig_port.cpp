#include "radio/rig_port.h"

#include "platform/hardware.h"
#include "platform/line_recorder.h"

#include <QObject>
#include <QStringList>
#include <algorithm>
#include <cmath>

namespace radio {

std::optional<platform::SerialSettings> parsePortSettings(const QString& text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    platform::SerialSettings s;
    bool ok = false;
    s.baudRate = parts[0].trimmed().toInt(&ok);
    if (!ok || s.baudRate <= 0)
        return std::nullopt;
    const QString parity = parts[1].trimmed().toUpper();
    if (parity.size() != 1 || !QStringLiteral("NOEMS").contains(parity))
        return std::nullopt;
    s.parity = parity[0].toLatin1();
    s.dataBits = parts[2].trimmed().toInt(&ok);
    if (!ok || s.dataBits < 5 || s.dataBits > 8)
        return std::nullopt;
    const QString stop = parts[3].trimmed();
    if (stop == QLatin1String("1"))
        s.stopBits = 1;
    else if (stop == QLatin1String("1.5"))
        s.stopBits = 1.5;
    else if (stop == QLatin1String("2"))
        s.stopBits = 2;
    else
        return std::nullopt;
    return s;
}

bool RigPort::open(int port, const QString& settings, bool rtsHandshake, QString& error)
{
    close();
    auto parsed = parsePortSettings(settings);
    if (!parsed) {
        error = QObject::tr("Invalid port settings \"%1\"").arg(settings);
        return false;
    }
    parsed->rtsCts = rtsHandshake;
    parsed->dtrOn = false;
    parsed->rtsOn = false;
    platform::SerialLink& link = m_hardware.serial(port);
    if (!link.open(port, *parsed)) {
        error = link.errorText();
        return false;
    }
    m_link = &link;
    const double bits = 1 + parsed->dataBits + (parsed->parity == 'N' ? 0 : 1) + parsed->stopBits;
    m_nsPerChar = bits * 1e9 / parsed->baudRate;
    m_lineFreeAtNs = 0;
    return true;
}

void RigPort::close()
{
    if (m_link)
        m_link->close();
    m_link = nullptr;
}

bool RigPort::isOpen() const { return m_link && m_link->isOpen(); }

bool RigPort::write(const QByteArray& bytes)
{
    if (!isOpen())
        return false;
    if (bytes.isEmpty())
        return true;
    if (!m_link->write(bytes))
        return false;
    const std::int64_t now = platform::monotonicNs();
    m_lineFreeAtNs = std::max(m_lineFreeAtNs, now) +
                     static_cast<std::int64_t>(m_nsPerChar * static_cast<double>(bytes.size()));
    return true;
}

QByteArray RigPort::readAll() { return isOpen() ? m_link->readAll() : QByteArray(); }

void RigPort::discardInput()
{
    if (!isOpen())
        return;
    // Only what arrived: the output still going out is left to finish.
    (void)m_link->readAll();
}

std::optional<int> RigPort::outputPending() const
{
    if (!isOpen())
        return std::nullopt;
    const std::int64_t left = m_lineFreeAtNs - platform::monotonicNs();
    if (left <= 0 || m_nsPerChar <= 0)
        return 0;
    return static_cast<int>(std::ceil(static_cast<double>(left) / m_nsPerChar));
}

bool RigPort::setDtr(bool on) { return isOpen() && m_link->setDtr(on); }

bool RigPort::setRts(bool on) { return isOpen() && m_link->setRts(on); }

}  // namespace radio

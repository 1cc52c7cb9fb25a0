#include "radio/rig_port.h"

#include "platform/hardware.h"
#include "platform/line_recorder.h"

#include <QObject>
#include <QStringList>
#include <algorithm>
#include <cmath>
#include <utility>

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
    // What was open stays the rig's until the new port is.
    if (m_link)
        closeKeepingPort();
    platform::SerialLink& link = m_hardware.serial(port);
    if (m_kept && m_kept != &link) {
        m_kept->release();
        m_kept = nullptr;
    }
    auto parsed = parsePortSettings(settings);
    if (!parsed) {
        error = QObject::tr("Invalid port settings \"%1\"").arg(settings);
        return false;
    }
    parsed->rtsCts = rtsHandshake;
    parsed->dtrOn = false;
    parsed->rtsOn = false;
    if (!link.open(port, *parsed, QStringLiteral("the rig interface"))) {
        error = link.errorText();
        return false;
    }
    m_kept = nullptr;
    m_link = &link;
    m_connection = link.connection();
    m_readyRead = QObject::connect(&link, &platform::SerialLink::readyRead, [this] { collect(); });
    const double bits = 1 + parsed->dataBits + (parsed->parity == 'N' ? 0 : 1) + parsed->stopBits;
    m_nsPerChar = bits * 1e9 / parsed->baudRate;
    m_lineFreeAtNs = 0;
    return true;
}

void RigPort::close()
{
    closeKeepingPort();
    if (m_kept)
        m_kept->release();
    m_kept = nullptr;
}

void RigPort::closeKeepingPort()
{
    QObject::disconnect(m_readyRead);
    if (m_link) {
        // A link closed under the rig and opened since by another part is
        // no longer the rig's to close or keep.
        if (m_link->connection() == m_connection) {
            m_link->closeKeepingHolder();
            m_kept = m_link;
        }
    }
    m_link = nullptr;
    m_connection = 0;
    m_arrivals.clear();
    m_arrivedSize = 0;
}

void RigPort::collect()
{
    if (!isOpen())
        return;
    QByteArray bytes = m_link->readAll();
    if (bytes.isEmpty())
        return;
    // A port nobody reads (polling stopped) keeps only its latest bytes.
    constexpr qsizetype Kept = 4 * FrameBuffer::Capacity;
    m_arrivedSize += bytes.size();
    m_arrivals.push_back({platform::monotonicNs(), std::move(bytes)});
    while (m_arrivedSize > Kept && m_arrivals.size() > 1) {
        m_arrivedSize -= m_arrivals.front().bytes.size();
        m_arrivals.erase(m_arrivals.begin());
    }
}

std::vector<ArrivedBytes> RigPort::takeArrivals()
{
    collect();
    m_arrivedSize = 0;
    return std::exchange(m_arrivals, {});
}

bool RigPort::isOpen() const { return m_link && m_link->isOpen() && m_link->connection() == m_connection; }

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

QByteArray RigPort::readAll()
{
    QByteArray all;
    for (const ArrivedBytes& piece : takeArrivals())
        all += piece.bytes;
    return all;
}

void RigPort::discardInput()
{
    // Only what arrived: the output still going out is left to finish.
    (void)takeArrivals();
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

#include "platform/parallel_port.h"

#include "platform/name_value_lines.h"

#include <QFile>
#include <QObject>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/parport.h>
#include <linux/ppdev.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace platform {

namespace {

QString hexAddress(int base) { return QStringLiteral("&H%1").arg(base, 0, 16).toUpper(); }

QString deviceError(const char* what, const QString& device, int err)
{
    const QString text =
        QObject::tr("%1 %2: %3.").arg(QLatin1String(what), device, QString::fromLocal8Bit(std::strerror(err)));
    const QString advice = ParallelPort::adviceFor(device, err);
    return advice.isEmpty() ? text : text + QStringLiteral("  ") + advice;
}

}  // namespace

ParallelPort::~ParallelPort() { close(); }

QString ParallelPort::adviceFor(const QString& device, int err)
{
    if (err == EACCES || err == EPERM) {
        return QObject::tr("Your user needs access to %1, usually through the lp group (sudo usermod -aG lp "
                           "$USER, then log in again).")
            .arg(device);
    }
    if (err == ENOENT || err == ENODEV || err == ENXIO) {
        return QObject::tr("This machine has no such parallel port: load the ppdev module, or name the port's "
                           "device for this address in %1.")
            .arg(QLatin1String(TableFileName));
    }
    if (err == EBUSY)
        return QObject::tr("Another program holds it.");
    return {};
}

std::optional<int> ParallelPort::parseBaseAddress(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    int value = 0;
    // Decimal digits are decimal (888 is 0x378); hexadecimal is written the
    // Basic way ("&H378") or the C way ("0x378").
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive))
        value = t.mid(2).toInt(&ok, 16);
    else if (t.startsWith(QLatin1String("0x"), Qt::CaseInsensitive))
        value = t.mid(2).toInt(&ok, 16);
    else if (!t.isEmpty() && std::all_of(t.begin(), t.end(), [](QChar c) { return c.isDigit(); }))
        value = t.toInt(&ok, 10);
    if (!ok || value <= 0 || value > 0xFFFF)
        return std::nullopt;
    return value;
}

QString ParallelPort::addressErrorText(const QString& text)
{
    return QObject::tr("The parallel port address \"%1\" names no port; type its base address as &H378, 0x378 "
                       "or 888.")
        .arg(text);
}

std::optional<QString> ParallelPort::deviceFor(int baseAddress)
{
    QFile file(QString::fromLatin1(TableFileName));
    if (file.open(QIODevice::ReadOnly)) {
        for (const NameValue& line : nameValueLines(QString::fromUtf8(file.readAll()))) {
            const auto base = parseBaseAddress(line.name);
            if (base && *base == baseAddress && !line.value.isEmpty())
                return line.value;
        }
    }
    switch (baseAddress) {
    case 0x378: return QStringLiteral("/dev/parport0");
    case 0x278: return QStringLiteral("/dev/parport1");
    case 0x3BC: return QStringLiteral("/dev/parport2");
    default: return std::nullopt;
    }
}

bool ParallelPort::writeControl(int baseAddress, std::uint8_t value)
{
    if (m_recordOnly) {
        if (m_recorder)
            m_recorder->record({monotonicNs(), hexAddress(baseAddress), LineEvent::Kind::ParallelControl, value, {}});
        return true;
    }
    if (m_fd >= 0 && m_openBase != baseAddress)
        close();
    if (m_fd < 0 && m_failedBase != baseAddress) {
        m_failedBase = -1;
        m_error.clear();
        const auto device = deviceFor(baseAddress);
        if (!device) {
            m_error = QObject::tr("No parallel port is set up for address %1 in %2.")
                          .arg(hexAddress(baseAddress), QLatin1String(TableFileName));
        } else {
            const int fd = ::open(QFile::encodeName(*device).constData(), O_RDWR | O_CLOEXEC);
            if (fd < 0) {
                m_error = deviceError("Cannot open the parallel port", *device, errno);
            } else if (ioctl(fd, PPCLAIM) != 0) {
                m_error = deviceError("Cannot claim the parallel port", *device, errno);
                ::close(fd);
            } else {
                m_fd = fd;
                m_openBase = baseAddress;
            }
        }
        if (m_fd < 0)
            m_failedBase = baseAddress;
    }
    if (m_recorder)
        m_recorder->record({monotonicNs(), hexAddress(baseAddress), LineEvent::Kind::ParallelControl, value, {}});
    if (m_fd < 0)
        return false;
    unsigned char control = value;
    if (ioctl(m_fd, PPWCONTROL, &control) != 0) {
        m_error = QObject::tr("Cannot write to the parallel port: %1").arg(QString::fromLocal8Bit(std::strerror(errno)));
        return false;
    }
    return true;
}

void ParallelPort::close()
{
    m_failedBase = -1;
    if (m_fd < 0)
        return;
    ioctl(m_fd, PPRELEASE);
    ::close(m_fd);
    m_fd = -1;
    m_openBase = -1;
}

}  // namespace platform

// The tty is driven through termios2 (asm/termbits.h) rather than
// <termios.h>: only termios2 takes an arbitrary baud rate (BOTHER), which
// 14,400, 28,800 and 56,000 need. The two headers cannot be mixed, so the
// flush is the TCFLSH ioctl here.
#include "platform/serial_link.h"

#include "platform/events.h"
#include "platform/serial_termios.h"

#include <QFile>
#include <QObject>
#include <QSocketNotifier>

#include <algorithm>
#include <asm/termbits.h>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>
#include <utility>

namespace platform {

namespace detail {

TermiosFlags termiosFlags(const SerialSettings& s, TermiosFlags f)
{
    // Raw: every byte as it comes, nothing translated, no echo, no signals.
    f.iflag &= ~(IGNBRK | BRKINT | PARMRK | ISTRIP | INLCR | IGNCR | ICRNL | IXON | IXOFF | IXANY | INPCK);
    f.oflag &= ~OPOST;
    f.lflag &= ~(ECHO | ECHONL | ICANON | ISIG | IEXTEN);
    f.cflag &= ~(CSIZE | PARENB | PARODD | CMSPAR | CSTOPB | CRTSCTS);
    // HUPCL: when the port is closed for the last time, by this program or
    // by the kernel after a crash or SIGKILL, DTR and RTS drop, so a
    // transmitter keyed by either line is never left on the air.
    f.cflag |= CREAD | CLOCAL | HUPCL;

    static constexpr tcflag_t Sizes[] = {CS5, CS6, CS7, CS8};
    f.cflag |= Sizes[std::clamp(s.dataBits, 5, 8) - 5];
    switch (s.parity) {
    case 'E': f.cflag |= PARENB; break;
    case 'O': f.cflag |= PARENB | PARODD; break;
    case 'M': f.cflag |= PARENB | CMSPAR | PARODD; break;  // stick parity, always 1
    case 'S': f.cflag |= PARENB | CMSPAR; break;           // stick parity, always 0
    default: break;
    }
    // Linux has no 1.5 stop bits: CSTOPB gives 2 (a UART sends 1.5 only
    // with 5 data bits, where CSTOPB means 1.5), so 1.5 is taken as 2.
    if (s.stopBits > 1)
        f.cflag |= CSTOPB;
    // RTS/CTS and XON/XOFF may be on together: they are separate flags.
    if (s.rtsCts)
        f.cflag |= CRTSCTS;
    if (s.xonXoff)
        f.iflag |= IXON | IXOFF;

    f.cflag &= ~(CBAUD | (CBAUD << IBSHIFT));
    f.cflag |= BOTHER | (BOTHER << IBSHIFT);
    return f;
}

}  // namespace detail

namespace {

// A chatty peer that nobody reads must not grow memory without end: past
// this the oldest bytes are dropped.
constexpr qsizetype MaxBuffered = 64 * 1024;
constexpr int WriteTimeoutMs = 1000;

QString systemError(int err) { return QString::fromLocal8Bit(std::strerror(err)); }

std::int64_t msToNs(int ms) { return static_cast<std::int64_t>(ms) * 1'000'000; }

// What the settings refuse, or an empty text when they are usable.
QString checkSettings(const SerialSettings& s)
{
    if (s.baudRate <= 0)
        return QObject::tr("Baud rate %1 is not valid").arg(s.baudRate);
    if (s.dataBits < 5 || s.dataBits > 8)
        return QObject::tr("%1 data bits is not valid").arg(s.dataBits);
    if (!QByteArrayView("NEOMS").contains(s.parity))
        return QObject::tr("Parity '%1' is not valid").arg(QChar::fromLatin1(s.parity));
    if (s.stopBits != 1 && s.stopBits != 1.5 && s.stopBits != 2)
        return QObject::tr("%1 stop bits is not valid").arg(s.stopBits);
    return {};
}

bool applySettings(int fd, const SerialSettings& s, QString& error)
{
    struct termios2 tio {};
    if (ioctl(fd, TCGETS2, &tio) != 0) {
        error = QObject::tr("Not a serial port (%1)").arg(systemError(errno));
        return false;
    }
    const detail::TermiosFlags flags =
        detail::termiosFlags(s, {tio.c_iflag, tio.c_oflag, tio.c_cflag, tio.c_lflag});
    tio.c_iflag = flags.iflag;
    tio.c_oflag = flags.oflag;
    tio.c_cflag = flags.cflag;
    tio.c_lflag = flags.lflag;
    // VMIN 1 with O_NONBLOCK: a read with nothing there fails with EAGAIN,
    // so a read of 0 bytes only ever means the device hung up.
    tio.c_cc[VMIN] = 1;
    tio.c_cc[VTIME] = 0;
    tio.c_ispeed = static_cast<speed_t>(s.baudRate);
    tio.c_ospeed = static_cast<speed_t>(s.baudRate);
    if (ioctl(fd, TCSETS2, &tio) != 0) {
        error = QObject::tr("The port refused the settings (%1)").arg(systemError(errno));
        return false;
    }
    return true;
}

}  // namespace

SerialLink::SerialLink(QObject* parent) : QObject(parent) {}

SerialLink::~SerialLink() { close(); }

void SerialLink::setPortTable(const SerialPortTable& table) { m_table = std::make_unique<SerialPortTable>(table); }

bool SerialLink::open(int portNumber, const SerialSettings& settings, const QString& holder)
{
    // Every user of a port number shares this link: opening it again would
    // close the holder's connection and reconfigure the port under it. A
    // port its holder keeps while its device is away is as much in use:
    // taking it then would leave the holder without its port when the
    // device is back.
    m_inUse.clear();
    const QString heldBy = isOpen() ? m_holder : m_keptFor;
    if (isOpen() || (!m_keptFor.isEmpty() && m_keptFor != holder)) {
        m_error = heldBy.isEmpty() ? tr("Serial port %1 is in use.").arg(portNumber)
                                   : tr("Serial port %1 is in use by %2.").arg(portNumber).arg(heldBy);
        m_inUse = m_error;
        return false;
    }
    const SerialPortTable table =
        m_table ? *m_table : SerialPortTable::load(QString::fromLatin1(SerialPortTable::FileName));
    const auto device = table.device(portNumber);
    if (!device) {
        m_portNumber = 0;
        m_error = tr("Serial port %1 is not set up in %2").arg(portNumber).arg(QLatin1String(SerialPortTable::FileName));
        return false;
    }
    if (!openDevice(*device, settings))
        return false;
    m_portNumber = portNumber;
    m_holder = holder;
    m_keptFor.clear();
    return true;
}

bool SerialLink::openDevice(const QString& devicePath, const SerialSettings& settings)
{
    close();
    m_error.clear();
    m_lineError.clear();
    m_lastLineError.clear();
    m_hungUp = false;
    m_dropped = false;
    m_portNumber = 0;
    m_holder.clear();
    m_device = devicePath;
    if (const QString refused = checkSettings(settings); !refused.isEmpty()) {
        m_error = tr("Cannot open %1: %2").arg(devicePath, refused);
        return false;
    }
    const int fd = ::open(QFile::encodeName(devicePath).constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0) {
        m_error = tr("Cannot open %1: %2").arg(devicePath, systemError(errno));
        return false;
    }
    m_fd = fd;
    static quint64 openings = 0;
    m_connection = ++openings;
    if (m_recorder)
        m_recorder->record({monotonicNs(), m_device, LineEvent::Kind::Opened, 1, {}});
    // Linux raises DTR and RTS when a tty opens; a rig or transmitter keyed
    // by either line must not key up because its port was opened, so both go
    // down at once, before anything else.
    setLine(TIOCM_DTR, false, m_dtr, LineEvent::Kind::Dtr);
    setLine(TIOCM_RTS, false, m_rts, LineEvent::Kind::Rts);

    QString refused;
    if (!applySettings(fd, settings, refused)) {
        close();
        m_error = tr("Cannot open %1: %2").arg(devicePath, refused);
        return false;
    }
    const double bitsPerChar = 1 + settings.dataBits + (settings.parity == 'N' ? 0 : 1) + settings.stopBits;
    m_charNs = static_cast<std::int64_t>(bitsPerChar * 1e9 / std::max(settings.baudRate, 1));
    m_lineFreeAtNs = 0;
    // Bytes left over from before the port was opened belong to nobody.
    ioctl(fd, TCFLSH, TCIFLUSH);
    m_input.clear();

    if (settings.dtrOn)
        setLine(TIOCM_DTR, true, m_dtr, LineEvent::Kind::Dtr);
    // With RTS/CTS flow control the driver moves RTS itself.
    if (settings.rtsOn && !settings.rtsCts)
        setLine(TIOCM_RTS, true, m_rts, LineEvent::Kind::Rts);

    m_notifier = new QSocketNotifier(fd, QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, [this] {
        const qsizetype before = m_input.size();
        const bool more = fillBuffer();
        if (!more && m_notifier)
            m_notifier->setEnabled(false);
        const bool arrived = m_input.size() != before || m_dropped;
        m_dropped = false;
        // Last: a reader may close the link, or open another port, in its slot.
        if (arrived)
            emit readyRead();
    });
    return true;
}

void SerialLink::closeKeepingHolder()
{
    const QString keeper = holder();
    close();
    if (!keeper.isEmpty())
        m_keptFor = keeper;
}

void SerialLink::close()
{
    if (m_fd < 0)
        return;
    // What was written goes out before the lines drop and the port goes: a
    // device powered or keyed by DTR or RTS takes its last command only
    // while they are up. The driver's queue may be empty while the bytes
    // are still on their way (a pty, a USB adapter's own buffer, which
    // tcdrain does not see), so the wait lasts as long as the line takes
    // for them at its speed and two characters more.
    if (!m_hungUp) {
        constexpr int CloseDrainMs = 2000;
        constexpr std::int64_t CharactersToSpare = 2;
        const std::int64_t deadline = monotonicNs() + msToNs(CloseDrainMs);
        (void)drainOutput(CloseDrainMs);
        const std::int64_t lastByteOut = m_lineFreeAtNs > 0 ? m_lineFreeAtNs + CharactersToSpare * m_charNs : 0;
        const std::int64_t until = std::min(deadline, lastByteOut);
        while (monotonicNs() < until)
            waitMs(1);
    }
    m_lineFreeAtNs = 0;
    setLine(TIOCM_DTR, false, m_dtr, LineEvent::Kind::Dtr);
    setLine(TIOCM_RTS, false, m_rts, LineEvent::Kind::Rts);
    delete m_notifier;
    m_notifier = nullptr;
    ::close(m_fd);
    m_fd = -1;
    m_input.clear();
    if (m_recorder)
        m_recorder->record({monotonicNs(), m_device, LineEvent::Kind::Closed, 0, {}});
}

bool SerialLink::write(const QByteArray& bytes)
{
    if (m_fd < 0) {
        m_error = tr("Serial port is not open");
        return false;
    }
    const std::int64_t start = monotonicNs();
    const std::int64_t deadline = start + msToNs(WriteTimeoutMs);
    qsizetype done = 0;
    bool ok = true;
    while (done < bytes.size()) {
        const ssize_t n = ::write(m_fd, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno != EAGAIN) {
            m_error = tr("Cannot write to %1: %2").arg(m_device, systemError(errno));
            ok = false;
            break;
        }
        // The output queue is full (flow control, or a slow port): wait for
        // room without letting events run, as the caller expects the bytes
        // gone when this returns.
        const std::int64_t left = deadline - monotonicNs();
        pollfd p{m_fd, POLLOUT, 0};
        if (left <= 0 || poll(&p, 1, static_cast<int>((left + 999'999) / 1'000'000)) == 0) {
            m_error = tr("Cannot write to %1: the port does not take any more bytes").arg(m_device);
            ok = false;
            break;
        }
    }
    if (done > 0)
        m_lineFreeAtNs = std::max(m_lineFreeAtNs, start) + done * m_charNs;
    if (m_recorder && done > 0)
        m_recorder->record({start, m_device, LineEvent::Kind::Written, 0, bytes.left(done)});
    return ok;
}

bool SerialLink::drainOutput(int timeoutMs)
{
    if (m_fd < 0)
        return false;
    // tcdrain could wait for ever on a port that flow control has stopped;
    // watching the output queue keeps the wait bounded.
    const std::int64_t deadline = monotonicNs() + msToNs(std::max(timeoutMs, 0));
    for (;;) {
        int queued = 0;
        if (ioctl(m_fd, TIOCOUTQ, &queued) != 0 || queued <= 0)
            break;
        if (monotonicNs() >= deadline)
            return false;
        waitMs(1);
    }
    // The queue is empty, yet the last character may still be in the UART's
    // shift register: give it one character time (at most 12 bits).
    struct termios2 tio {};
    if (ioctl(m_fd, TCGETS2, &tio) == 0 && tio.c_ospeed > 0) {
        const std::int64_t charNs = 12LL * 1'000'000'000 / tio.c_ospeed;
        const std::int64_t until = std::min(deadline, monotonicNs() + charNs);
        while (monotonicNs() < until)
            waitMs(1);
    }
    return true;
}

void SerialLink::discardInput()
{
    if (m_fd >= 0)
        ioctl(m_fd, TCFLSH, TCIFLUSH);
    m_input.clear();
}

void SerialLink::discardOutput()
{
    if (m_fd >= 0)
        ioctl(m_fd, TCFLSH, TCOFLUSH);
    m_lineFreeAtNs = 0;
}

bool SerialLink::waitForBytes(qint64 count, int timeoutMs)
{
    const std::int64_t deadline = monotonicNs() + msToNs(std::max(timeoutMs, 0));
    for (;;) {
        if (m_fd < 0)
            return false;
        const bool more = fillBuffer();
        if (m_input.size() >= count)
            return true;
        const std::int64_t left = deadline - monotonicNs();
        if (!more || left <= 0)
            return false;
        pollfd p{m_fd, POLLIN, 0};
        poll(&p, 1, static_cast<int>((left + 999'999) / 1'000'000));
    }
}

QByteArray SerialLink::readAll()
{
    fillBuffer();
    return std::exchange(m_input, {});
}

qint64 SerialLink::bytesAvailable()
{
    fillBuffer();
    return m_input.size();
}

bool SerialLink::setDtr(bool on) { return setLine(TIOCM_DTR, on, m_dtr, LineEvent::Kind::Dtr); }
bool SerialLink::setRts(bool on) { return setLine(TIOCM_RTS, on, m_rts, LineEvent::Kind::Rts); }

bool SerialLink::setLine(int bit, bool on, bool& level, LineEvent::Kind kind)
{
    if (m_fd < 0)
        return false;
    // Recorded whether or not the port has the line, so a test on a pty (no
    // modem lines) still sees what was keyed and when.
    if (m_recorder)
        m_recorder->record({monotonicNs(), m_device, kind, on ? 1 : 0, {}});
    level = on;
    if (ioctl(m_fd, on ? TIOCMBIS : TIOCMBIC, &bit) == 0)
        return true;
    m_lastLineError = tr("Cannot set %1 on %2: %3")
                          .arg(kind == LineEvent::Kind::Dtr ? QStringLiteral("DTR") : QStringLiteral("RTS"), m_device,
                               systemError(errno));
    if (m_lineError.isEmpty())
        m_lineError = m_lastLineError;
    return false;
}

bool SerialLink::fillBuffer()
{
    if (m_fd < 0)
        return false;
    char chunk[4096];
    // Bounded, so a peer that never stops talking cannot keep us here.
    for (int i = 0; i < 64; ++i) {
        const ssize_t n = ::read(m_fd, chunk, sizeof chunk);
        if (n > 0) {
            m_input.append(chunk, n);
            if (m_input.size() > MaxBuffered) {
                m_input.remove(0, m_input.size() - MaxBuffered);
                m_dropped = true;
            }
            continue;
        }
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0 && errno == EAGAIN)
            return true;
        // End of file or an error: the device went away (a USB adapter
        // pulled out, the far side of a pty closed).
        if (!m_hungUp) {
            m_hungUp = true;
            m_error = tr("%1 stopped answering: %2").arg(m_device, n == 0 ? tr("hung up") : systemError(errno));
        }
        return false;
    }
    return true;
}

QString withPortHolder(const QString& message, const QString& inUse)
{
    return inUse.isEmpty() ? message : message + QStringLiteral("  ") + inUse;
}

}  // namespace platform

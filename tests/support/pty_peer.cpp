#include "support/pty_peer.h"

#include <QCoreApplication>
#include <QFile>
#include <QStringList>
#include <QTextStream>

#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <chrono>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <sys/eventfd.h>
#include <termios.h>
#include <time.h>
#include <unistd.h>

namespace testing_support {

namespace {

std::int64_t nowNs()
{
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    return static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
}

void makeRaw(int fd)
{
    termios tio{};
    if (tcgetattr(fd, &tio) != 0)
        return;
    cfmakeraw(&tio);
    tcsetattr(fd, TCSANOW, &tio);
}

}  // namespace

PtyPeer::PtyPeer()
{
    const int master = posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    char name[128] = {};
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0 || ptsname_r(master, name, sizeof name) != 0) {
        ADD_FAILURE() << "cannot make a pty: " << std::strerror(errno);
        if (master >= 0)
            ::close(master);
        return;
    }
    // Our own slave descriptor keeps the pty alive (and the master free of
    // hang-ups) while the program opens and closes its side.
    m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0) {
        ADD_FAILURE() << "cannot open " << name << ": " << std::strerror(errno);
        ::close(master);
        return;
    }
    makeRaw(m_slave);
    makeRaw(master);
    m_master = master;
    m_path = QString::fromLocal8Bit(name);
}

PtyPeer::~PtyPeer()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

bool PtyPeer::write(const QByteArray& bytes)
{
    const std::int64_t deadline = nowNs() + 1'000'000'000;
    qsizetype done = 0;
    while (done < bytes.size() && m_master >= 0) {
        const ssize_t n = ::write(m_master, bytes.constData() + done, static_cast<size_t>(bytes.size() - done));
        if (n > 0) {
            done += n;
            continue;
        }
        if (n < 0 && errno != EAGAIN && errno != EINTR)
            return false;
        if (nowNs() >= deadline)
            return false;
        pollfd p{m_master, POLLOUT, 0};
        poll(&p, 1, 10);
    }
    return done == bytes.size();
}

QByteArray PtyPeer::read(int timeoutMs, int minBytes)
{
    QByteArray got;
    const std::int64_t deadline = nowNs() + static_cast<std::int64_t>(timeoutMs) * 1'000'000;
    while (m_master >= 0) {
        char chunk[4096];
        const ssize_t n = ::read(m_master, chunk, sizeof chunk);
        if (n > 0) {
            got.append(chunk, n);
            continue;
        }
        const std::int64_t left = deadline - nowNs();
        if (got.size() >= minBytes || left <= 0)
            break;
        pollfd p{m_master, POLLIN, 0};
        poll(&p, 1, static_cast<int>(std::min<std::int64_t>(left / 1'000'000 + 1, 10)));
    }
    return got;
}

PtyEmulator::PtyEmulator(Handler handler) : m_handler(std::move(handler))
{
    m_wakeFd = eventfd(0, EFD_NONBLOCK | EFD_CLOEXEC);
    if (!m_pty.isOk() || m_wakeFd < 0) {
        ADD_FAILURE() << "cannot start the pty emulator";
        return;
    }
    m_thread = std::thread([this] { run(); });
}

PtyEmulator::~PtyEmulator()
{
    {
        std::lock_guard lock(m_mutex);
        m_stop = true;
    }
    wake();
    if (m_thread.joinable())
        m_thread.join();
    if (m_wakeFd >= 0)
        ::close(m_wakeFd);
}

void PtyEmulator::setHandler(Handler handler)
{
    std::lock_guard lock(m_mutex);
    m_handler = std::move(handler);
}

void PtyEmulator::wake()
{
    if (m_wakeFd >= 0) {
        const std::uint64_t one = 1;
        [[maybe_unused]] const ssize_t n = ::write(m_wakeFd, &one, sizeof one);
    }
}

void PtyEmulator::send(const QByteArray& bytes)
{
    if (bytes.isEmpty())
        return;
    {
        std::lock_guard lock(m_mutex);
        m_outgoing.push_back({bytes, 0});
    }
    wake();
}

void PtyEmulator::sendPaced(const QByteArray& bytes, int baud, int bitsPerChar, int delayMs)
{
    if (bytes.isEmpty())
        return;
    const std::int64_t byteNs = baud > 0 ? static_cast<std::int64_t>(bitsPerChar) * 1'000'000'000 / baud : 0;
    const std::int64_t notBeforeNs = delayMs > 0 ? nowNs() + std::int64_t{delayMs} * 1'000'000 : 0;
    {
        std::lock_guard lock(m_mutex);
        m_outgoing.push_back({bytes, byteNs, notBeforeNs});
    }
    wake();
}

void PtyEmulator::setSilent(bool silent)
{
    {
        std::lock_guard lock(m_mutex);
        m_silent = silent;
    }
    wake();
}

QByteArray PtyEmulator::received() const
{
    std::lock_guard lock(m_mutex);
    return m_received;
}

std::vector<PtyEmulator::Chunk> PtyEmulator::receivedChunks() const
{
    std::lock_guard lock(m_mutex);
    return m_chunks;
}

void PtyEmulator::clearReceived()
{
    std::lock_guard lock(m_mutex);
    m_received.clear();
    m_chunks.clear();
}

bool PtyEmulator::waitForReceived(const std::function<bool(const QByteArray&)>& predicate, int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return predicate(m_received); });
}

bool PtyEmulator::waitForReceivedCount(int count, int timeoutMs)
{
    return waitForReceived([count](const QByteArray& r) { return r.size() >= count; }, timeoutMs);
}

bool PtyEmulator::waitUntilSent(int timeoutMs)
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] { return m_outgoing.empty(); });
}

// Writes what is due; nextDueNs is when the next paced byte may go.
void PtyEmulator::writePending(std::int64_t& nextDueNs)
{
    std::lock_guard lock(m_mutex);
    if (m_silent && !m_outgoing.empty()) {
        m_outgoing.clear();
        m_changed.notify_all();
    }
    while (!m_outgoing.empty()) {
        Outgoing& head = m_outgoing.front();
        const std::int64_t now = nowNs();
        if (now < head.notBeforeNs) {
            nextDueNs = std::max(nextDueNs, head.notBeforeNs);
            return;
        }
        qsizetype want = head.bytes.size();
        if (head.byteNs > 0) {
            if (now < nextDueNs)
                return;
            want = 1;
        }
        const ssize_t n = ::write(m_pty.masterFd(), head.bytes.constData(), static_cast<size_t>(want));
        if (n <= 0)
            return;  // the program's side is full: wait for room
        if (head.byteNs > 0)
            nextDueNs = std::max(nextDueNs, now) + head.byteNs;
        head.bytes.remove(0, n);
        if (head.bytes.isEmpty()) {
            m_outgoing.pop_front();
            m_changed.notify_all();
        }
    }
}

void PtyEmulator::run()
{
    const int master = m_pty.masterFd();
    std::int64_t nextDueNs = 0;
    for (;;) {
        bool haveOutput = false;
        {
            std::lock_guard lock(m_mutex);
            if (m_stop)
                return;
            haveOutput = !m_outgoing.empty();
        }
        // Wake for input, for a send(), for a paced byte that falls due, and
        // at least every 50 ms whatever happens.
        std::int64_t waitNs = 50'000'000;
        short events = POLLIN;
        if (haveOutput) {
            const std::int64_t untilDue = nextDueNs - nowNs();
            if (untilDue > 0)
                waitNs = std::min(waitNs, untilDue);
            else
                events |= POLLOUT;
        }
        pollfd fds[2] = {{master, events, 0}, {m_wakeFd, POLLIN, 0}};
        const timespec ts{static_cast<time_t>(waitNs / 1'000'000'000), static_cast<long>(waitNs % 1'000'000'000)};
        ppoll(fds, 2, &ts, nullptr);
        if (fds[1].revents & POLLIN) {
            std::uint64_t count = 0;
            [[maybe_unused]] const ssize_t n = ::read(m_wakeFd, &count, sizeof count);
        }
        if (fds[0].revents & POLLIN) {
            QByteArray got;
            char chunk[4096];
            for (ssize_t n; (n = ::read(master, chunk, sizeof chunk)) > 0;)
                got.append(chunk, n);
            if (!got.isEmpty()) {
                Handler handler;
                {
                    std::lock_guard lock(m_mutex);
                    m_received.append(got);
                    m_chunks.push_back({nowNs(), got});
                    if (!m_silent)
                        handler = m_handler;
                    m_changed.notify_all();
                }
                if (handler)
                    handler(*this, got);
            }
        }
        writePending(nextDueNs);
    }
}

void pointSerialPortAt(int portNumber, const QString& device)
{
    const QString fileName = QStringLiteral("serialports.txt");
    QStringList lines;
    QFile in(fileName);
    if (in.open(QIODevice::ReadOnly | QIODevice::Text)) {
        QTextStream text(&in);
        while (!text.atEnd()) {
            const QString line = text.readLine();
            const qsizetype eq = line.indexOf(u'=');
            bool ok = false;
            if (eq > 0 && line.left(eq).trimmed().toInt(&ok) == portNumber && ok)
                continue;
            lines << line;
        }
        in.close();
    }
    lines << QStringLiteral("%1=%2").arg(portNumber).arg(device);
    QFile out(fileName);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate | QIODevice::Text)) {
        ADD_FAILURE() << "cannot write serialports.txt";
        return;
    }
    out.write((lines.join(u'\n') + u'\n').toUtf8());
}

std::vector<platform::LineEvent> lineEvents(const platform::LineRecorder& recorder, platform::LineEvent::Kind kind)
{
    std::vector<platform::LineEvent> out;
    for (const auto& e : recorder.events())
        if (e.kind == kind)
            out.push_back(e);
    return out;
}

QByteArray writtenBytes(const platform::LineRecorder& recorder)
{
    QByteArray out;
    for (const auto& e : recorder.events())
        if (e.kind == platform::LineEvent::Kind::Written)
            out += e.bytes;
    return out;
}

bool waitUntil(const std::function<bool()>& condition, int timeoutMs)
{
    const std::int64_t deadline = nowNs() + static_cast<std::int64_t>(timeoutMs) * 1'000'000;
    for (;;) {
        QCoreApplication::processEvents(QEventLoop::AllEvents);
        if (condition())
            return true;
        if (nowNs() >= deadline)
            return false;
        const timespec ts{0, 1'000'000};
        nanosleep(&ts, nullptr);
    }
}

}  // namespace testing_support

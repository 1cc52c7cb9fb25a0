#include "platform/end_signals.h"

#include <QSocketNotifier>

#include <array>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {

namespace {

constexpr std::array<int, 3> EndSignalNumbers{SIGTERM, SIGINT, SIGHUP};

// Lock-free, so a handler may store to it.
std::atomic<bool> requestFlag{false};
static_assert(std::atomic<bool>::is_always_lock_free);
std::atomic<int> pipeWrite{-1};

extern "C" void onEndSignal(int signalNumber)
{
    const int savedErrno = errno;
    requestFlag.store(true, std::memory_order_relaxed);
    const int fd = pipeWrite.load(std::memory_order_relaxed);
    if (fd >= 0) {
        const auto byte = static_cast<unsigned char>(signalNumber);
        // A full pipe already holds a request: a lost byte loses nothing.
        [[maybe_unused]] const ssize_t n = ::write(fd, &byte, 1);
    }
    errno = savedErrno;
}

}  // namespace

const std::atomic<bool>& endRequestFlag() { return requestFlag; }

EndSignals::EndSignals(QObject* parent) : QObject(parent)
{
    int fds[2];
    if (::pipe2(fds, O_CLOEXEC | O_NONBLOCK) != 0)
        return;
    pipeWrite.store(fds[1]);
    m_notifier = new QSocketNotifier(fds[0], QSocketNotifier::Read, this);
    connect(m_notifier, &QSocketNotifier::activated, this, &EndSignals::readPipe);

    struct sigaction action {};
    action.sa_handler = onEndSignal;
    sigemptyset(&action.sa_mask);
    // Restarted system calls, so that no file write of the program fails
    // because a signal came; the keying engine's sleep still wakes (a
    // clock_nanosleep is never restarted) and reads the flag.
    action.sa_flags = SA_RESTART;
    for (int number : EndSignalNumbers)
        sigaction(number, &action, nullptr);
}

EndSignals::~EndSignals()
{
    struct sigaction action {};
    action.sa_handler = SIG_DFL;
    sigemptyset(&action.sa_mask);
    for (int number : EndSignalNumbers)
        sigaction(number, &action, nullptr);
    const int writeEnd = pipeWrite.exchange(-1);
    if (m_notifier) {
        const int readEnd = static_cast<int>(m_notifier->socket());
        delete m_notifier;
        m_notifier = nullptr;
        ::close(readEnd);
    }
    if (writeEnd >= 0)
        ::close(writeEnd);
}

void EndSignals::readPipe()
{
    unsigned char bytes[64];
    int first = 0;
    ssize_t n = 0;
    while ((n = ::read(static_cast<int>(m_notifier->socket()), bytes, sizeof bytes)) > 0)
        if (first == 0)
            first = bytes[0];
    if (first == 0 || m_reported)
        return;
    m_reported = true;
    emit endRequested(first);
}

}  // namespace platform

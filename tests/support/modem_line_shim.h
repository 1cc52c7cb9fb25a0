#pragma once
// Include in exactly one source file of a program as it is: it puts its own
// ioctl in front of the C library's (other files of the same program include
// it with MODEM_LINE_SHIM_CONTROLS_ONLY defined, for the controls alone), so
// that while it is enabled the modem-line calls (TIOCMBIS, TIOCMBIC, TIOCMGET, TIOCMSET) on a pty succeed as on a
// serial port with real lines, and each one is recorded with a
// CLOCK_MONOTONIC time stamp. A pty has no modem lines of its own; this is
// how a test or a benchmark watches the keying line of the real serial
// layer. Disabled, every call goes to the C library unchanged.

#include <atomic>
#include <cerrno>
#include <cstdarg>
#include <cstdint>
#include <cstdio>
#include <cstring>
#include <dlfcn.h>
#include <map>
#include <mutex>
#include <string>
#include <sys/ioctl.h>
#include <time.h>
#include <unistd.h>
#include <vector>

namespace modem_line_shim {

struct Call {
    std::int64_t monotonicNs = 0;
    int fd = -1;
    bool set = false;  ///< TIOCMBIS (true) or TIOCMBIC
    int bits = 0;      ///< TIOCM_RTS, TIOCM_DTR
};

struct State {
    std::atomic<bool> enabled{false};
    std::mutex mutex;
    std::map<int, int> lines;  ///< modem bits by descriptor
    std::vector<Call> calls;
    /// Line changes that succeed before every further one fails with EIO
    /// (a USB adapter pulled out); -1 never fails.
    long failAfter = -1;
};

inline State& state()
{
    static State s;
    return s;
}

inline void enable(bool on)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.enabled = on;
    s.lines.clear();
    s.calls.clear();
    s.calls.reserve(4096);
    s.failAfter = -1;
}

/// From now on, count more line changes succeed; then every one fails
/// with EIO, as on an adapter pulled out mid-message. -1 ends the failing.
inline void failAfter(long count)
{
    State& s = state();
    std::lock_guard lock(s.mutex);
    s.failAfter = count < 0 ? -1 : static_cast<long>(s.calls.size()) + count;
}

inline std::vector<Call> calls()
{
    std::lock_guard lock(state().mutex);
    return state().calls;
}

inline bool isPty(int fd)
{
    char link[64];
    char target[256];
    std::snprintf(link, sizeof link, "/proc/self/fd/%d", fd);
    const ssize_t n = readlink(link, target, sizeof target - 1);
    if (n <= 0)
        return false;
    target[n] = '\0';
    return std::strncmp(target, "/dev/pts/", 9) == 0;
}

}  // namespace modem_line_shim

#ifndef MODEM_LINE_SHIM_CONTROLS_ONLY
extern "C" int ioctl(int fd, unsigned long request, ...) noexcept
{
    va_list ap;
    va_start(ap, request);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    modem_line_shim::State& s = modem_line_shim::state();
    const bool modemRequest = request == TIOCMBIS || request == TIOCMBIC || request == TIOCMGET ||
                              request == TIOCMSET;
    if (s.enabled && modemRequest && arg && modem_line_shim::isPty(fd)) {
        timespec ts{};
        clock_gettime(CLOCK_MONOTONIC, &ts);
        const std::int64_t now = static_cast<std::int64_t>(ts.tv_sec) * 1'000'000'000 + ts.tv_nsec;
        std::lock_guard lock(s.mutex);
        if ((request == TIOCMBIS || request == TIOCMBIC) && s.failAfter >= 0 &&
            static_cast<long>(s.calls.size()) >= s.failAfter) {
            errno = EIO;
            return -1;
        }
        int& bits = s.lines[fd];
        const int value = *static_cast<int*>(arg);
        switch (request) {
        case TIOCMBIS:
            bits |= value;
            s.calls.push_back({now, fd, true, value});
            break;
        case TIOCMBIC:
            bits &= ~value;
            s.calls.push_back({now, fd, false, value});
            break;
        case TIOCMSET: bits = value; break;
        default: *static_cast<int*>(arg) = bits; break;
        }
        return 0;
    }
    using Real = int (*)(int, unsigned long, ...);
    static const Real real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, "ioctl"));
    return real(fd, request, arg);
}
#endif

#pragma once
// Ending the program on SIGTERM (logout, shutdown, kill), SIGINT (Ctrl+C)
// and SIGHUP (the terminal closed) the way closing the main window ends it,
// never with a transmitter left keyed.
//
// A signal may arrive anywhere, in the middle of a Morse element as well, so
// the handler does no work of its own: it sets the request flag and writes
// one byte to a pipe. The event loop reads the pipe and runs the ending.
// Loops that do not return to the event loop for seconds (a character at
// 5 WPM is keyed without letting events run) read the flag between units
// and give up the rest, with the line up.
//
// The handler can reach only process-wide state, so the flag and the pipe
// are the one thing here that is not passed by reference.

#include <QObject>
#include <atomic>

class QSocketNotifier;

namespace platform {

/// Set once an end signal has arrived; never cleared.
[[nodiscard]] const std::atomic<bool>& endRequestFlag();
[[nodiscard]] inline bool endRequested() { return endRequestFlag().load(std::memory_order_relaxed); }

/// Installs the handlers of SIGTERM, SIGINT and SIGHUP for its lifetime and
/// reports the first end signal through the event loop.
class EndSignals final : public QObject {
    Q_OBJECT
public:
    explicit EndSignals(QObject* parent = nullptr);
    ~EndSignals() override;
    EndSignals(const EndSignals&) = delete;
    EndSignals& operator=(const EndSignals&) = delete;

    /// False when the handlers could not be installed.
    [[nodiscard]] bool installed() const { return m_notifier != nullptr; }

signals:
    /// The first end signal, from the event loop (once per run).
    void endRequested(int signalNumber);

private:
    void readPipe();

    QSocketNotifier* m_notifier = nullptr;
    bool m_reported = false;
};

}  // namespace platform

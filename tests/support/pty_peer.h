#pragma once
// A pty pair standing in for a device on a serial port. The program opens
// devicePath() (through a SerialLink, usually by a port number that
// pointSerialPortAt() wrote into the port table); the test, or an emulator
// of the device, is the far side on the master.
//
// PtyEmulator runs the far side on its own thread, so it answers even while
// the GUI thread is inside a wait that lets no events run (a rig command
// followed by a pause, a keyer keying a character). Emulators of rigs,
// keyers and TNCs hold one and answer from the device's own facts:
//
//     class MyRigEmulator {
//     public:
//         QString devicePath() const { return m_pty.devicePath(); }
//     private:
//         void onBytes(testing_support::PtyEmulator& pty, const QByteArray& bytes);
//         QByteArray m_pending;
//         // Last member: it is destroyed (its thread joined) first, before
//         // anything its handler touches.
//         testing_support::PtyEmulator m_pty{[this](auto& pty, const QByteArray& b) { onBytes(pty, b); }};
//     };

#include "platform/line_recorder.h"

#include <QByteArray>
#include <QString>

#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace testing_support {

/// The pty pair: a master (the device's side) and the slave's path (the
/// program's side). The peer keeps a slave descriptor of its own open, so
/// the pty lives while the program opens and closes it, and sets raw mode.
class PtyPeer {
public:
    PtyPeer();
    ~PtyPeer();
    PtyPeer(const PtyPeer&) = delete;
    PtyPeer& operator=(const PtyPeer&) = delete;

    /// False when no pty could be made (the test then fails with a message).
    [[nodiscard]] bool isOk() const { return m_master >= 0; }
    /// The program's side, e.g. "/dev/pts/7".
    [[nodiscard]] QString devicePath() const { return m_path; }
    /// The device's side (non-blocking).
    [[nodiscard]] int masterFd() const { return m_master; }

    /// For tests without an emulator thread: writes all bytes to the master
    /// (bounded to a second).
    bool write(const QByteArray& bytes);
    /// Reads what reaches the master within timeoutMs, returning as soon as
    /// at least minBytes have come.
    QByteArray read(int timeoutMs, int minBytes = 1);

private:
    int m_master = -1;
    int m_slave = -1;
    QString m_path;
};

class PtyEmulator {
public:
    /// Called on the emulator's thread with each block of bytes the program
    /// wrote (a command may come split over blocks: keep the tail); it
    /// answers with send()/sendPaced() and must not block.
    using Handler = std::function<void(PtyEmulator&, const QByteArray&)>;

    explicit PtyEmulator(Handler handler = {});
    /// Stops the thread and joins it.
    ~PtyEmulator();
    PtyEmulator(const PtyEmulator&) = delete;
    PtyEmulator& operator=(const PtyEmulator&) = delete;

    [[nodiscard]] QString devicePath() const { return m_pty.devicePath(); }
    [[nodiscard]] bool isOk() const { return m_pty.isOk(); }
    void setHandler(Handler handler);

    /// Sends bytes to the program as fast as the pty takes them (any thread).
    void send(const QByteArray& bytes);
    /// Sends bytes one at a time, each a character time apart at baud
    /// (bitsPerChar: start, data, parity and stop bits; 10 for 8N1). With
    /// delayMs the first byte goes no sooner than that long from now (a
    /// device that takes its time to answer); what was queued before still
    /// goes first.
    void sendPaced(const QByteArray& bytes, int baud, int bitsPerChar = 10, int delayMs = 0);
    /// A silent device: received bytes are still recorded, but the handler
    /// is not called and nothing queued or sent is delivered.
    void setSilent(bool silent);

    /// Everything the program wrote so far.
    [[nodiscard]] QByteArray received() const;
    /// The same, block by block as read, with the monotonic time each block
    /// arrived (for pacing checks; a block may hold several writes).
    struct Chunk {
        std::int64_t monotonicNs = 0;
        QByteArray bytes;
    };
    [[nodiscard]] std::vector<Chunk> receivedChunks() const;
    void clearReceived();
    /// Waits (without the event loop; the emulator thread keeps reading)
    /// until predicate(received()) holds, at most timeoutMs. The predicate
    /// runs under the emulator's lock: it must not call the emulator.
    bool waitForReceived(const std::function<bool(const QByteArray&)>& predicate, int timeoutMs);
    /// Waits until at least count bytes have been received in total.
    bool waitForReceivedCount(int count, int timeoutMs);
    /// Waits until everything queued by send()/sendPaced() has reached the
    /// pty (the program may still have to read it).
    bool waitUntilSent(int timeoutMs);

private:
    struct Outgoing {
        QByteArray bytes;
        std::int64_t byteNs = 0;  ///< pacing; 0 sends at once
        std::int64_t notBeforeNs = 0;  ///< monotonic time before which nothing of it goes
    };
    void run();
    void wake();
    void writePending(std::int64_t& nextDueNs);

    PtyPeer m_pty;
    int m_wakeFd = -1;
    mutable std::mutex m_mutex;
    std::condition_variable m_changed;
    Handler m_handler;
    std::deque<Outgoing> m_outgoing;
    QByteArray m_received;
    std::vector<Chunk> m_chunks;
    bool m_silent = false;
    bool m_stop = false;
    std::thread m_thread;
};

/// Points serial port number portNumber at device in "serialports.txt" of the
/// current folder (the program folder a ProgramFolderFixture made), keeping
/// the table's other lines.
void pointSerialPortAt(int portNumber, const QString& device);

/// The recorder's events of one kind, in order.
[[nodiscard]] std::vector<platform::LineEvent> lineEvents(const platform::LineRecorder& recorder,
                                                          platform::LineEvent::Kind kind);
/// Every byte the recorder saw written, joined in order.
[[nodiscard]] QByteArray writtenBytes(const platform::LineRecorder& recorder);

/// Lets events run until condition() holds, at most timeoutMs. For a test on
/// the GUI thread that waits for readyRead to do its work.
bool waitUntil(const std::function<bool()>& condition, int timeoutMs);

}  // namespace testing_support

#pragma once
// One serial port, shared by every window that keys or talks through one
// (CW and PTT lines, rig control, the TNC, the WinKey keyer). It works on the
// tty's file descriptor: custom baud rates (14,400, 28,800, 56,000) need
// termios2, and RTS/CTS together with XON/XOFF is no single Qt flow-control
// value. Linux raises DTR and RTS when a tty opens: the link lowers them at
// once, so a transmitter is never keyed by opening its port. A pty has no
// modem lines; a line change that fails is reported once per open (see
// lineErrorText) and never stops the caller.
//
// A port has one holder at a time: open() refuses a link that is already
// open, as the system refuses a device another program holds, so that a
// window can never take over (and reconfigure) the port of the rig or the
// keyer. Whoever hands a port over closes it first. A holder names itself
// when it opens the port, so that a refusal can tell the operator which part
// of the program has it. A holder remembers the connection() it opened, so
// it can tell that its port was closed under it even when someone else has
// opened the port since. A holder whose device went away (a USB adapter
// pulled out) keeps its port while it waits to open it again
// (closeKeepingHolder()): until it lets go, the port is still its, and
// another part is refused just as while it was open.
//
// Reading is asynchronous: readyRead fires when bytes arrive (a socket
// notifier on the GUI thread), and readAll() returns what has arrived.

#include "platform/line_recorder.h"
#include "platform/serial_port_table.h"

#include <QByteArray>
#include <QObject>
#include <QString>
#include <cstdint>
#include <memory>

class QSocketNotifier;

namespace platform {

struct SerialSettings {
    int baudRate = 9600;
    int dataBits = 8;       ///< 5 to 8
    char parity = 'N';      ///< 'N', 'E', 'O', 'M', 'S'
    double stopBits = 1;    ///< 1, 1.5 or 2
    bool rtsCts = false;    ///< hardware flow control
    bool xonXoff = false;   ///< software flow control (may be set with rtsCts)
    bool dtrOn = false;     ///< DTR level right after opening
    bool rtsOn = false;     ///< RTS level right after opening (ignored with rtsCts)
};

class SerialLink : public QObject {
    Q_OBJECT
public:
    explicit SerialLink(QObject* parent = nullptr);
    ~SerialLink() override;

    /// Where port numbers are looked up; by default the table in the current
    /// directory, read afresh at each open.
    void setPortTable(const SerialPortTable& table);
    void setRecorder(LineRecorder* recorder) { m_recorder = recorder; }

    /// Opens port number portNumber with the settings for holder, the part
    /// of the program that will hold it, named as the operator knows it
    /// ("the rig interface"). False with errorText() set when the port is
    /// already open (in use: "Serial port 3 is in use by the rig
    /// interface."; its holder closes it first), the table does not name the
    /// port, the device cannot be opened or the settings are refused.
    bool open(int portNumber, const SerialSettings& settings, const QString& holder = {});
    /// Opens a device path directly (tests, and a port typed as a path).
    bool openDevice(const QString& devicePath, const SerialSettings& settings);
    /// Waits (bounded) until what was written is on the line, then lowers
    /// DTR and RTS and closes. Safe to call when closed.
    void close();
    /// Closes as close() does, keeping the port for its holder: until that
    /// holder opens it again or lets it go (release()), an open() by anyone
    /// else is refused as while the port was open, naming the holder.
    void closeKeepingHolder();
    /// The holder lets go of a port it kept while closed.
    void release() { m_keptFor.clear(); }
    [[nodiscard]] bool isOpen() const { return m_fd >= 0; }
    /// This opening of the port: a number no other opening of any link has
    /// had; 0 while closed.
    [[nodiscard]] quint64 connection() const { return m_fd >= 0 ? m_connection : 0; }
    [[nodiscard]] int portNumber() const { return m_portNumber; }
    [[nodiscard]] QString devicePath() const { return m_device; }
    /// Who holds the port, as given to open(); empty while closed or when
    /// the holder did not say.
    [[nodiscard]] QString holder() const { return m_fd >= 0 ? m_holder : QString(); }
    [[nodiscard]] QString errorText() const { return m_error; }
    /// Why the last open() was refused when another part of the program
    /// holds the port, open or kept ("Serial port 3 is in use by the rig
    /// interface."); empty when it was refused for anything else, or not.
    [[nodiscard]] QString inUseText() const { return m_inUse; }

    /// Writes all of bytes (non-blocking tty; waits for room without letting
    /// events run, at most a second). Returns false on an error.
    bool write(const QByteArray& bytes);
    /// Waits, without letting events run, until the output has been sent
    /// (tcdrain), at most timeoutMs.
    bool drainOutput(int timeoutMs = 1000);
    /// Throws away what has arrived and not been read. Unsent output is
    /// kept: a command written just before must still reach the device.
    void discardInput();
    /// Throws away output written and not yet sent (stopping a message).
    void discardOutput();

    /// What has arrived and not been read yet (also reads the descriptor, so
    /// it works without the event loop).
    [[nodiscard]] QByteArray readAll();
    [[nodiscard]] qint64 bytesAvailable();
    /// Waits, without letting events run, until at least count bytes have
    /// arrived and not been read, at most timeoutMs. True when they have;
    /// readyRead does not fire for bytes that arrive meanwhile.
    bool waitForBytes(qint64 count, int timeoutMs);

    /// Modem lines. True when the line took the level; a failure (a pty has
    /// no modem lines) sets lineErrorText() the first time in this open, and
    /// lastLineErrorText() every time.
    bool setDtr(bool on);
    bool setRts(bool on);
    [[nodiscard]] bool dtr() const { return m_dtr; }
    [[nodiscard]] bool rts() const { return m_rts; }
    [[nodiscard]] QString lineErrorText() const { return m_lineError; }
    /// Why the latest line change that failed in this open failed, naming
    /// that line ("Cannot set RTS on ...").
    [[nodiscard]] QString lastLineErrorText() const { return m_lastLineError; }

signals:
    void readyRead();

private:
    bool setLine(int bit, bool on, bool& level, LineEvent::Kind kind);
    bool fillBuffer();

    std::unique_ptr<SerialPortTable> m_table;
    LineRecorder* m_recorder = nullptr;
    QSocketNotifier* m_notifier = nullptr;
    int m_fd = -1;
    int m_portNumber = 0;
    QString m_device;
    QString m_holder;
    QString m_keptFor;  ///< the holder that keeps the port while it is closed
    QString m_error;
    QString m_inUse;
    QString m_lineError;
    QString m_lastLineError;
    quint64 m_connection = 0;
    QByteArray m_input;
    bool m_dtr = false;
    bool m_rts = false;
    bool m_hungUp = false;   ///< the device went away; reported once
    bool m_dropped = false;  ///< the receive buffer overflowed
    std::int64_t m_charNs = 0;        ///< one character on the line at the port's settings
    std::int64_t m_lineFreeAtNs = 0;  ///< when the last byte written is out, by that count
};

/// A refusal's message followed by inUse, the link's word that another part
/// of the program holds the port ("Serial port 3 is in use by the rig
/// interface."): "invalid" alone would send the operator looking for a
/// wiring fault. message alone when inUse is empty.
[[nodiscard]] QString withPortHolder(const QString& message, const QString& inUse);

}  // namespace platform

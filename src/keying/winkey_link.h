#pragma once
// Our driver of the WinKey keyer's host protocol on a serial port: the
// operations the WinKey window, the CW window and the main windows call
// (wk_open, wk_char, wk_getstatus, ...), with the results they rely on.
//
// The keyer talks back without being asked: a status byte when its state
// changes (0xC0 | flags), the speed pot's position (0x80 | value) and, with
// serial echo on, each character as it goes out. Every call first takes in
// whatever has arrived, so wk_getstatus answers at once from what the keyer
// last said, without waiting on the port.
//
// The status the callers see is mapped onto the thresholds they use: 0 the
// keyer is idle, 1 it is sending (or has text it has not reported on yet)
// and takes more, 5 its buffer is nearly full (XOFF) and the sender must
// wait; WinKeyNotOpen (-9) while no keyer is open.

#include "keying/winkey_reports.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {
class Hardware;
class SerialLink;
}  // namespace platform

namespace keying {

/// Results of wk_open, as the WinKey window shows them.
enum WinKeyResult : int {
    WkSuccess = 0,
    WkNoEchoResponse = -1,
    WkEchoMismatch = -2,
    WkNoOpenResponse = -3,
    WkComOpenFailed = -4,
    WkGetComStateFailed = -5,
    WkSetComStateFailed = -6,
    WkAlreadyOpen = -8,
    WkNotOpen = -9,
};

/// The status line's text for a result code; nullopt for a code without one.
[[nodiscard]] std::optional<QString> winKeyResultText(int code);

/// wk_getstatus values (see the header comment).
constexpr long WinKeyIdle = 0;
constexpr long WinKeyBusy = 1;
constexpr long WinKeyFull = 5;

class WinKeyLink {
public:
    /// The keyer's serial settings: 1200 baud, 8 data bits, no parity, 2 stop bits.
    static constexpr int Baud = 1200;

    explicit WinKeyLink(platform::Hardware& hardware) : m_hardware(hardware) {}
    ~WinKeyLink();
    WinKeyLink(const WinKeyLink&) = delete;
    WinKeyLink& operator=(const WinKeyLink&) = delete;

    /// Opens the port, checks that a keyer answers the echo test and opens
    /// the keyer for the host; version receives the keyer's version byte (0
    /// when none answered). A port that another window holds open is never
    /// taken from it (WkComOpenFailed, and portInUseText() says who has it).
    int wk_open(int& version, int port);
    /// Empties the keyer's buffer, so that it keys nothing more, and closes
    /// the keyer for the host and the port; nothing when closed.
    void wk_close();
    /// Queues one character to be keyed. Only the characters the keyer
    /// takes as text (blank to tilde) are written: any other byte would be
    /// a command to it. False when nothing was written.
    bool wk_char(int code);
    [[nodiscard]] long wk_getstatus();
    void wk_clearbuf();
    void wk_backspace();
    /// Settings; each is brought within the range the keyer accepts. The
    /// calls do nothing while no keyer is open.
    void wk_wpm(int wordsPerMinute);
    void wk_weight(int weight);
    void wk_ptt_leadtail(int leadIn, int tail);
    void wk_ditdah_ratio(int ratio);
    void wk_pincfg(int configuration);
    void wk_setmode(int mode);

    [[nodiscard]] bool isOpen() const;
    /// Why the last wk_open could not have its port because another part of
    /// the program holds it ("Serial port 3 is in use by the rig
    /// interface."); empty otherwise.
    [[nodiscard]] QString portInUseText() const { return m_portInUseText; }
    /// The port number the keyer is open on (0 while closed).
    [[nodiscard]] int portNumber() const;
    /// The keyer asked for its status and said nothing for longer than the
    /// answer time, or the port failed or was closed under it: it is gone,
    /// and waiting for it would never end.
    [[nodiscard]] bool keyerLost() const { return m_lost || portLost(); }
    /// The keyer's port was closed under it (the keyer itself was not closed).
    [[nodiscard]] bool portLost() const { return m_link && !isOpen(); }
    /// How long the keyer may take to answer a question (ms).
    void setAnswerTimeoutMs(int ms) { m_answerTimeoutMs = ms; }

    // What the keyer last reported.
    [[nodiscard]] int statusByte() const { return m_reports.statusByte(); }
    [[nodiscard]] int speedPot() const { return m_reports.speedPot(); }
    /// The characters the keyer echoed as it sent them (the last few hundred).
    [[nodiscard]] const QByteArray& echoed() const { return m_reports.echoed(); }

private:
    bool send(const QByteArray& bytes);
    /// Takes in what has arrived: reports, or noise that changes nothing.
    void takeReports();
    /// The keyer said something: it is there, and an open question is answered.
    void heard();
    /// Waits (no events run) for the first byte that is not a status or
    /// speed-pot report, at most timeoutMs.
    std::optional<std::uint8_t> awaitAnswer(int timeoutMs);
    void failOpen();

    platform::Hardware& m_hardware;
    platform::SerialLink* m_link = nullptr;  ///< the port the keyer is open on
    WinKeyReports m_reports;
    /// The link's connection the keyer was opened on: once the port has been
    /// closed (and perhaps opened again by someone else), it is not ours.
    quint64 m_connection = 0;
    int m_port = 0;
    QString m_portInUseText;
    bool m_lost = false;
    std::int64_t m_lastHeardNs = 0;
    std::int64_t m_statusAskedNs = 0;  ///< 0 when no question is open
    int m_answerTimeoutMs = 2000;
};

}  // namespace keying

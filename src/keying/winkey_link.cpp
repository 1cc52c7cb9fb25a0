#include "keying/winkey_link.h"

#include "platform/hardware.h"
#include "platform/line_recorder.h"
#include "platform/serial_link.h"

#include <algorithm>

namespace keying {

namespace {

// Host protocol bytes. Admin commands start with 0x00.
constexpr char Admin = 0x00;
constexpr char AdminHostOpen = 0x02;
constexpr char AdminHostClose = 0x03;
constexpr char AdminEcho = 0x04;
constexpr char CmdSpeed = 0x02;
constexpr char CmdWeight = 0x03;
constexpr char CmdLeadTail = 0x04;
constexpr char CmdBackspace = 0x08;
constexpr char CmdPinConfig = 0x09;
constexpr char CmdClearBuffer = 0x0A;
constexpr char CmdMode = 0x0E;
constexpr char CmdStatus = 0x15;
constexpr char CmdRatio = 0x17;

constexpr std::uint8_t EchoProbe = 0x55;
constexpr int OpenAnswerMs = 500;
/// While the keyer holds the sender back, it is asked for its status this
/// often, so that a keyer that went away is noticed.
constexpr int AskIntervalMs = 500;

QByteArray bytes(std::initializer_list<int> values)
{
    QByteArray out;
    for (int v : values)
        out.append(static_cast<char>(static_cast<std::uint8_t>(v)));
    return out;
}

std::int64_t msSince(std::int64_t ns) { return (platform::monotonicNs() - ns) / 1'000'000; }

}  // namespace

std::optional<QString> winKeyResultText(int code)
{
    switch (code) {
    case WkSuccess: return QStringLiteral("WK Success!");
    case WkNoEchoResponse: return QStringLiteral("No Echo Response");
    case WkEchoMismatch: return QStringLiteral("Echo Mismatch");
    case WkNoOpenResponse: return QStringLiteral("No Open Response");
    case WkComOpenFailed: return QStringLiteral("Com Open Failed");
    case WkGetComStateFailed: return QStringLiteral("Get Com ST Failed");
    case WkSetComStateFailed: return QStringLiteral("Set Com ST Failed");
    case WkAlreadyOpen: return QStringLiteral("WK Already Open");
    case WkNotOpen: return QStringLiteral("WK Not Open");
    default: return std::nullopt;
    }
}

WinKeyLink::~WinKeyLink() { wk_close(); }

bool WinKeyLink::isOpen() const { return m_link && m_link->connection() == m_connection; }

int WinKeyLink::portNumber() const { return m_link ? m_port : 0; }

int WinKeyLink::wk_open(int& version, int port)
{
    version = 0;
    if (m_link)
        return WkAlreadyOpen;
    m_portInUseText.clear();
    platform::SerialLink& link = m_hardware.serial(port);
    platform::SerialSettings settings;
    settings.baudRate = Baud;
    settings.dataBits = 8;
    settings.parity = 'N';
    settings.stopBits = 2;
    // The rig or the TNC may be on that port: the link refuses it rather
    // than cut them off, and says who has it.
    if (!link.open(port, settings, QStringLiteral("the WinKey keyer"))) {
        m_portInUseText = link.inUseText();
        return WkComOpenFailed;
    }
    m_link = &link;
    m_connection = link.connection();
    m_port = port;
    m_lost = false;
    m_reports.reset();
    m_statusAskedNs = 0;
    link.discardInput();

    if (!send(bytes({Admin, AdminEcho, EchoProbe}))) {
        failOpen();
        return WkComOpenFailed;
    }
    const auto echo = awaitAnswer(OpenAnswerMs);
    if (!echo) {
        failOpen();
        return WkNoEchoResponse;
    }
    if (*echo != EchoProbe) {
        failOpen();
        return WkEchoMismatch;
    }
    send(bytes({Admin, AdminHostOpen}));
    const auto answer = awaitAnswer(OpenAnswerMs);
    if (!answer || *answer == 0) {
        failOpen();
        return WkNoOpenResponse;
    }
    version = *answer;
    m_lastHeardNs = platform::monotonicNs();
    return WkSuccess;
}

void WinKeyLink::failOpen()
{
    if (isOpen())
        m_link->close();
    m_link = nullptr;
}

void WinKeyLink::wk_close()
{
    if (!m_link)
        return;
    // A port closed under the keyer may have been opened since by another
    // window: that connection is not the keyer's to write to or close.
    if (isOpen()) {
        // The keyer leaves host mode and keys from its paddle again. What it
        // still holds it would key to the end on its own, with nobody left
        // to stop it: its buffer is emptied first.
        m_link->write(bytes({CmdClearBuffer, Admin, AdminHostClose}));
        m_link->drainOutput(200);
        m_link->close();
    }
    m_link = nullptr;
    m_reports.reset();
    m_statusAskedNs = 0;
}

bool WinKeyLink::send(const QByteArray& data)
{
    if (!isOpen())
        return false;
    if (!m_link->write(data)) {
        m_lost = true;
        return false;
    }
    return true;
}

bool WinKeyLink::wk_char(int code)
{
    takeReports();
    if (code < 0x20 || code > 0x7E)
        return false;
    if (!send(bytes({code})))
        return false;
    m_reports.textSent();
    return true;
}

long WinKeyLink::wk_getstatus()
{
    if (!isOpen())
        return WkNotOpen;
    takeReports();
    if (m_reports.full()) {
        if (m_statusAskedNs != 0) {
            if (msSince(m_statusAskedNs) > m_answerTimeoutMs)
                m_lost = true;
        } else if (msSince(m_lastHeardNs) >= AskIntervalMs) {
            if (send(bytes({CmdStatus})))
                m_statusAskedNs = platform::monotonicNs();
        }
        return WinKeyFull;
    }
    if (m_reports.busy())
        return WinKeyBusy;
    return WinKeyIdle;
}

void WinKeyLink::wk_clearbuf()
{
    takeReports();
    if (!send(bytes({CmdClearBuffer})))
        return;
    m_reports.bufferCleared();
    m_statusAskedNs = 0;
}

void WinKeyLink::wk_backspace()
{
    takeReports();
    send(bytes({CmdBackspace}));
}

void WinKeyLink::wk_wpm(int wordsPerMinute) { send(bytes({CmdSpeed, std::clamp(wordsPerMinute, 5, 99)})); }

void WinKeyLink::wk_weight(int weight) { send(bytes({CmdWeight, std::clamp(weight, 10, 90)})); }

void WinKeyLink::wk_ptt_leadtail(int leadIn, int tail)
{
    send(bytes({CmdLeadTail, std::clamp(leadIn, 0, 255), std::clamp(tail, 0, 255)}));
}

void WinKeyLink::wk_ditdah_ratio(int ratio) { send(bytes({CmdRatio, std::clamp(ratio, 33, 66)})); }

void WinKeyLink::wk_pincfg(int configuration) { send(bytes({CmdPinConfig, configuration & 0xFF})); }

void WinKeyLink::wk_setmode(int mode) { send(bytes({CmdMode, mode & 0xFF})); }

void WinKeyLink::takeReports()
{
    if (!isOpen())
        return;
    bool reported = false;
    for (char c : m_link->readAll())
        reported = m_reports.take(static_cast<std::uint8_t>(c)) || reported;
    // Noise on the line is not the keyer answering: a keyer that went away
    // behind a noisy line must still be noticed.
    if (reported)
        heard();
}

void WinKeyLink::heard()
{
    m_lastHeardNs = platform::monotonicNs();
    m_statusAskedNs = 0;
}

std::optional<std::uint8_t> WinKeyLink::awaitAnswer(int timeoutMs)
{
    const std::int64_t deadline = platform::monotonicNs() + static_cast<std::int64_t>(timeoutMs) * 1'000'000;
    for (;;) {
        const QByteArray in = m_link->readAll();
        if (!in.isEmpty())
            heard();
        if (const auto answer = m_reports.takeAnswer(in))
            return answer;
        const std::int64_t left = deadline - platform::monotonicNs();
        if (left <= 0)
            return std::nullopt;
        m_link->waitForBytes(1, static_cast<int>((left + 999'999) / 1'000'000));
    }
}

}  // namespace keying

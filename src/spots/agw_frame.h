#pragma once
// The AGW Packet Engine's TCP frames. Each frame is a 36-byte header, then
// its data:
//   0      port (radio port, from 0)
//   1-3    reserved
//   4      kind (one character: 'X' register, 'm' monitor, 'C' connect, ...)
//   5      reserved
//   6      PID (0xF0 for connected data)
//   7      reserved
//   8-17   call from, NUL-ended
//   18-27  call to, NUL-ended
//   28-31  data length, 32-bit little-endian
//   32-35  reserved
//
// The reader takes bytes as TCP delivers them and keeps whole frames in a
// bounded queue. It never trusts the peer: a call field without its NUL
// refuses that frame (its length is still known, so the stream stays in
// step), and a data length beyond MaxDataLength makes the stream unusable,
// since the next frame's start can no longer be found; nothing is read past
// either frame.

#include <QByteArray>
#include <QString>
#include <deque>
#include <optional>

namespace spots {

struct AgwFrame {
    int port = 0;
    char kind = 0;
    quint8 pid = 0;
    QString callFrom;
    QString callTo;
    QByteArray data;
};

inline constexpr int AgwHeaderLength = 36;
inline constexpr int AgwCallLength = 10;

/// The frame's bytes; calls longer than 9 characters are cut so that each
/// keeps its NUL.
[[nodiscard]] QByteArray encodeAgwFrame(const AgwFrame& frame);

/// True for the kinds of the engine's monitored copies of frames on the air:
/// 'I' (connected information), 'S' (supervisory), 'U' (unnumbered, UI
/// included) and 'T' (the engine's own transmissions).
[[nodiscard]] bool isAgwMonitorKind(char kind);

/// The text a frame carries. NUL bytes are dropped: the engine ends its text
/// with a NUL and counts it in the data length. A monitored copy starts with
/// the engine's header line (" 1:Fm A To B <UA F=1 >[12:00:00]" and a CR);
/// when that line names a link-control frame (anything but I and UI: RR,
/// UA, XID, SABME, DISC, ...) only the header line is kept, since what
/// follows it is the frame's binary parameters, never text.
[[nodiscard]] QByteArray agwFrameText(const AgwFrame& frame);

class AgwFrameReader {
public:
    /// No frame the engine sends comes near this; a longer one means the
    /// stream is not AGW frames.
    static constexpr quint32 MaxDataLength = 65536;
    /// Frames waiting beyond this push the oldest out.
    static constexpr std::size_t MaxQueued = 500;

    /// Adds received bytes; whole frames go to the queue.
    void add(const QByteArray& bytes);
    /// The oldest waiting frame.
    std::optional<AgwFrame> next();
    [[nodiscard]] std::size_t queued() const { return m_frames.size(); }
    /// True once an absurd data length was met: nothing more is read.
    [[nodiscard]] bool broken() const { return m_broken; }
    /// Frames refused for a call without its NUL, and frames pushed out of a
    /// full queue.
    [[nodiscard]] int refused() const { return m_refused; }
    [[nodiscard]] int dropped() const { return m_dropped; }
    void clear();

private:
    QByteArray m_buffer;
    std::deque<AgwFrame> m_frames;
    bool m_broken = false;
    int m_refused = 0;
    int m_dropped = 0;
};

}  // namespace spots

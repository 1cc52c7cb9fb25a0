#pragma once
// The receive buffer of the rig's port. Bytes arrive in whatever pieces the
// line delivers them: half a reply on one read, the rest with the next
// reply on the following one. The buffer keeps what has arrived, and a
// family's frame rule says where each whole reply ends; only whole replies
// are handed to the parsers, so a reply cut short never sets a wrong
// frequency or mode. The buffer is bounded: a rig that sends garbage (a
// wrong speed, a rig that never ends its replies) costs at most Capacity
// bytes, the oldest being dropped first.

#include <QByteArray>
#include <QByteArrayView>
#include <cstdint>
#include <vector>

namespace radio {

/// Bytes as they came from the port, with the monotonic time (ns) they
/// were taken in; 0 when the time is not known.
struct ArrivedBytes {
    std::int64_t ns = 0;
    QByteArray bytes;
};

/// Where the first whole reply of the pending bytes lies: skip bytes of
/// junk before it, then length bytes of reply (0 while the reply is not
/// complete yet).
struct FrameCut {
    qsizetype skip = 0;
    qsizetype length = 0;
};

/// How a command set delimits its replies.
class FrameRule {
public:
    virtual ~FrameRule() = default;
    /// Looks at the pending bytes (never empty) and finds the first reply.
    [[nodiscard]] virtual FrameCut cut(QByteArrayView pending) const = 0;
};

/// The reply ends with (and includes) the first terminator byte.
[[nodiscard]] FrameCut cutAtTerminator(QByteArrayView pending, char terminator);

class FrameBuffer {
public:
    static constexpr qsizetype Capacity = 1024;

    /// Adds bytes that arrived, dropping the oldest beyond Capacity.
    void append(QByteArrayView bytes);
    /// Removes and returns every whole reply, oldest first; an unfinished
    /// tail stays for the next read.
    [[nodiscard]] std::vector<QByteArray> takeFrames(const FrameRule& rule);
    void clear() { m_pending.clear(); }
    [[nodiscard]] qsizetype size() const { return m_pending.size(); }
    [[nodiscard]] const QByteArray& pending() const { return m_pending; }

private:
    QByteArray m_pending;
};

}  // namespace radio

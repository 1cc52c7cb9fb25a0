#include "radio/frame_buffer.h"

namespace radio {

FrameCut cutAtTerminator(QByteArrayView pending, char terminator)
{
    const qsizetype end = pending.indexOf(terminator);
    return end < 0 ? FrameCut{} : FrameCut{0, end + 1};
}

void FrameBuffer::append(QByteArrayView bytes)
{
    if (bytes.size() >= Capacity) {
        m_pending = bytes.last(Capacity).toByteArray();
        return;
    }
    const qsizetype excess = m_pending.size() + bytes.size() - Capacity;
    if (excess > 0)
        m_pending.remove(0, excess);
    m_pending.append(bytes);
}

std::vector<QByteArray> FrameBuffer::takeFrames(const FrameRule& rule)
{
    std::vector<QByteArray> frames;
    qsizetype pos = 0;
    while (pos < m_pending.size()) {
        const FrameCut cut = rule.cut(QByteArrayView(m_pending).sliced(pos));
        const qsizetype left = m_pending.size() - pos;
        if (cut.skip <= 0 && cut.length <= 0)
            break;
        // A rule that asks for more than there is would loop or overrun.
        const qsizetype skip = qBound<qsizetype>(0, cut.skip, left);
        pos += skip;
        if (cut.length <= 0)
            continue;
        if (cut.length > left - skip)
            break;
        frames.push_back(m_pending.mid(pos, cut.length));
        pos += cut.length;
    }
    m_pending.remove(0, pos);
    return frames;
}

}  // namespace radio

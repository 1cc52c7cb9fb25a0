#include "spots/agw_frame.h"

#include <QtEndian>
#include <cstring>

namespace spots {

namespace {

void putCall(QByteArray& header, int offset, const QString& call)
{
    const QByteArray bytes = call.toLatin1().left(AgwCallLength - 1);
    std::memcpy(header.data() + offset, bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

/// The call in a 10-byte field, or nullopt when the field has no NUL.
std::optional<QString> takeCall(const char* field)
{
    const void* end = std::memchr(field, 0, AgwCallLength);
    if (!end)
        return std::nullopt;
    return QString::fromLatin1(field, static_cast<const char*>(end) - field);
}

}  // namespace

QByteArray encodeAgwFrame(const AgwFrame& frame)
{
    QByteArray bytes(AgwHeaderLength, '\0');
    bytes[0] = static_cast<char>(frame.port);
    bytes[4] = frame.kind;
    bytes[6] = static_cast<char>(frame.pid);
    putCall(bytes, 8, frame.callFrom);
    putCall(bytes, 18, frame.callTo);
    qToLittleEndian<quint32>(static_cast<quint32>(frame.data.size()), bytes.data() + 28);
    bytes += frame.data;
    return bytes;
}

bool isAgwMonitorKind(char kind)
{
    return kind == 'I' || kind == 'S' || kind == 'U' || kind == 'T';
}

QByteArray agwFrameText(const AgwFrame& frame)
{
    QByteArray text = frame.data;
    text.replace('\0', QByteArray());
    if (!isAgwMonitorKind(frame.kind))
        return text;
    const qsizetype lineEnd = text.indexOf('\r');
    const QByteArray header = lineEnd < 0 ? text : text.left(lineEnd);
    const qsizetype open = header.indexOf('<');
    if (open < 0)
        return text;
    qsizetype typeEnd = open + 1;
    while (typeEnd < header.size() && header.at(typeEnd) != ' ' && header.at(typeEnd) != '>')
        ++typeEnd;
    const QByteArray type = header.mid(open + 1, typeEnd - open - 1);
    if (type == "I" || type == "UI")
        return text;
    return lineEnd < 0 ? text : text.left(lineEnd + 1);
}

void AgwFrameReader::add(const QByteArray& bytes)
{
    if (m_broken)
        return;
    m_buffer += bytes;
    qsizetype at = 0;
    while (m_buffer.size() - at >= AgwHeaderLength) {
        const char* header = m_buffer.constData() + at;
        const quint32 length = qFromLittleEndian<quint32>(header + 28);
        if (length > MaxDataLength) {
            m_broken = true;
            m_buffer.clear();
            return;
        }
        if (m_buffer.size() - at < AgwHeaderLength + static_cast<qsizetype>(length))
            break;
        const auto from = takeCall(header + 8);
        const auto to = takeCall(header + 18);
        if (from && to) {
            AgwFrame frame;
            frame.port = static_cast<unsigned char>(header[0]);
            frame.kind = header[4];
            frame.pid = static_cast<quint8>(header[6]);
            frame.callFrom = *from;
            frame.callTo = *to;
            frame.data = m_buffer.mid(at + AgwHeaderLength, length);
            if (m_frames.size() >= MaxQueued) {
                m_frames.pop_front();
                ++m_dropped;
            }
            m_frames.push_back(std::move(frame));
        } else {
            ++m_refused;
        }
        at += AgwHeaderLength + static_cast<qsizetype>(length);
    }
    m_buffer.remove(0, at);
}

std::optional<AgwFrame> AgwFrameReader::next()
{
    if (m_frames.empty())
        return std::nullopt;
    AgwFrame frame = std::move(m_frames.front());
    m_frames.pop_front();
    return frame;
}

void AgwFrameReader::clear()
{
    m_buffer.clear();
    m_frames.clear();
    m_broken = false;
}

}  // namespace spots

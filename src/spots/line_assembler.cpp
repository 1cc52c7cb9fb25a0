#include "spots/line_assembler.h"

namespace spots {

QStringList LineAssembler::add(QStringView received)
{
    QStringList lines;
    for (const QChar c : received) {
        if (c == u'\r' || c == u'\n') {
            // The second half of a CR LF or LF CR pair ends nothing more.
            if (!m_lastEnd.isNull() && m_lastEnd != c && m_pending.isEmpty()) {
                m_lastEnd = QChar();
                continue;
            }
            lines.append(m_pending);
            m_pending.clear();
            m_lastEnd = c;
            continue;
        }
        m_lastEnd = QChar();
        if (m_pending.size() >= MaxLineLength) {
            lines.append(m_pending);
            m_pending.clear();
        }
        m_pending.append(c);
    }
    return lines;
}

void LineAssembler::clear()
{
    m_pending.clear();
    m_lastEnd = QChar();
}

}  // namespace spots

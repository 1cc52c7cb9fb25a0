#pragma once
// Turns text that arrives in arbitrary pieces (serial reads, TCP segments)
// into whole lines. A line ends at LF, at CR, or at a CR LF or LF CR pair
// (one line end, not two), so a device that ends its lines with CR alone, or
// with LF CR, still yields them; a pair split over two pieces is still one
// line end. The unfinished line is bounded: a line that grows past
// MaxLineLength is handed on in pieces of that length, so a peer that never
// ends a line cannot make the buffer grow without end.

#include <QString>
#include <QStringList>
#include <QStringView>

namespace spots {

class LineAssembler {
public:
    static constexpr qsizetype MaxLineLength = 4096;

    /// Adds received text; returns every line it completes, in order,
    /// without its line end.
    QStringList add(QStringView received);
    /// Text of the line not yet ended.
    [[nodiscard]] const QString& pending() const { return m_pending; }
    /// Forgets the unfinished line (a new connection starts afresh).
    void clear();

private:
    QString m_pending;
    QChar m_lastEnd;  ///< the CR or LF that ended the last line, until the next character
};

}  // namespace spots

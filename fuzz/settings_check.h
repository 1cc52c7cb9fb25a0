#pragma once
// Checks shared by the fuzz targets of the settings files: a failed
// property stops the run with the input that broke it.

#include <QString>
#include <cstdlib>

namespace fuzzing {

inline void require(bool ok)
{
    if (!ok)
        std::abort();
}

/// A text as the settings writer keeps it: the file form has no escape for a
/// double quote, and a value must stay on its line, so the writer drops
/// quotes and control characters (C0, DEL and C1, line breaks among them,
/// and the line and paragraph separators).
inline QString keptByWriter(QString text)
{
    text.removeIf([](QChar c) {
        const char16_t u = c.unicode();
        return u == u'"' || u < 0x20 || (u >= 0x7f && u <= 0x9f) || u == 0x2028 || u == 0x2029;
    });
    return text;
}

inline bool hasLineEnd(const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); }

}  // namespace fuzzing

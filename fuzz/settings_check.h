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
/// double quote, so the writer drops them.
inline QString keptByWriter(QString text) { return text.remove(u'"'); }

inline bool hasLineEnd(const QString& text) { return text.contains(u'\r') || text.contains(u'\n'); }

}  // namespace fuzzing

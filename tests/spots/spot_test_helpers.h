#pragma once
// Cluster lines in the cluster's own column layout, built from the layout's
// facts (frequency right-aligned in columns 16-24, call from column 27,
// time at column 71), not by the program's own cutting.

#include <QString>

namespace spots_testing {

/// "DX de SPOTTER:" padded to 15 characters, the kHz text right-aligned to
/// column 24, two blanks, the call padded to 13, the comment padded to 31,
/// then the time.
inline QString clusterLine(const QString& spotter, const QString& kHz, const QString& call,
                           const QString& comment = QString(), const QString& time = QStringLiteral("1804Z"))
{
    QString line = (QStringLiteral("DX de ") + spotter + u':').leftJustified(15, u' ', true);
    line += kHz.rightJustified(9, u' ', true);
    line += QStringLiteral("  ");
    line += call.leftJustified(13, u' ', true);
    line += comment.leftJustified(31, u' ', true);
    line += time;
    return line;
}

}  // namespace spots_testing

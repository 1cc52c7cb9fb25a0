#pragma once
// A call sign as the stem of a file name: its leading run of digits and
// capital letters ("K6AA/P" gives "K6AA"), or "YourCall" when it has none.

#include <QString>

namespace contactlog {

[[nodiscard]] inline QString CallToFileName(const QString& call)
{
    qsizetype n = 0;
    while (n < call.size()) {
        const QChar c = call.at(n);
        if (!((c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z')))
            break;
        ++n;
    }
    return n == 0 ? QStringLiteral("YourCall") : call.left(n);
}

}  // namespace contactlog

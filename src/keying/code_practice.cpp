#include "keying/code_practice.h"

#include <algorithm>

namespace keying {

const QString& practicePool()
{
    static const QString pool = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789.,?/-");
    return pool;
}

QString generatePracticeGroups(int groups, int size, bool lettersOnly, const std::function<double()>& draw)
{
    const int n = lettersOnly ? 26 : static_cast<int>(practicePool().size());
    // A number typed by mistake (a million groups) must not eat the memory.
    groups = std::clamp(groups, 0, MaxPracticeGroups);
    size = std::clamp(size, 0, MaxPracticeGroupSize);
    QString text;
    for (int g = 1; g <= groups; ++g) {
        for (int c = 1; c <= size; ++c) {
            const int index = std::clamp(static_cast<int>(n * draw()), 0, n - 1);
            text += practicePool()[index];
        }
        text += QLatin1Char(' ');
    }
    return text;
}

}  // namespace keying

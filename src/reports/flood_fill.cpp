#include "reports/flood_fill.h"

#include <vector>

namespace reports {

int floodFillSurface(QImage& picture, QPoint seed, QRgb fill)
{
    const int width = picture.width();
    const int height = picture.height();
    if (seed.x() < 0 || seed.y() < 0 || seed.x() >= width || seed.y() >= height)
        return 0;
    if (picture.format() != QImage::Format_RGB32 && picture.format() != QImage::Format_ARGB32)
        picture = picture.convertToFormat(QImage::Format_RGB32);
    auto row = [&picture](int y) { return reinterpret_cast<QRgb*>(picture.scanLine(y)); };
    // Compare the colour only: an alpha byte never makes two colours differ.
    const QRgb target = row(seed.y())[seed.x()] | 0xFF000000U;
    fill |= 0xFF000000U;
    if (target == fill)
        return 0;
    auto matches = [&target](QRgb v) { return (v | 0xFF000000U) == target; };

    int painted = 0;
    std::vector<QPoint> pending{seed};
    while (!pending.empty()) {
        const QPoint p = pending.back();
        pending.pop_back();
        QRgb* line = row(p.y());
        if (!matches(line[p.x()]))
            continue;
        int left = p.x();
        while (left > 0 && matches(line[left - 1]))
            --left;
        int right = p.x();
        while (right + 1 < width && matches(line[right + 1]))
            ++right;
        for (int x = left; x <= right; ++x)
            line[x] = fill;
        painted += right - left + 1;
        // One seed for each run of matching pixels above and below the span.
        for (const int y : {p.y() - 1, p.y() + 1}) {
            if (y < 0 || y >= height)
                continue;
            const QRgb* next = row(y);
            bool inRun = false;
            for (int x = left; x <= right; ++x) {
                const bool m = matches(next[x]);
                if (m && !inRun)
                    pending.emplace_back(x, y);
                inRun = m;
            }
        }
    }
    return painted;
}

}  // namespace reports

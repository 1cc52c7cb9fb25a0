#include "reports/county_map.h"

#include "reports/flood_fill.h"

#include <cmath>

namespace reports {

const std::array<CountyRectangle, MapCounties>& countyRectangles()
{
    static const std::array<CountyRectangle, MapCounties> rectangles{{
        {"Siskiyou", 32, 8, 81, 25},         {"Modoc", 128, 8, 41, 25},
        {"Del Norte", 16, 8, 17, 17},        {"Lassen", 128, 40, 41, 33},
        {"Humboldt", 16, 32, 17, 57},        {"Trinity", 40, 40, 25, 49},
        {"Shasta", 72, 40, 49, 25},          {"Mendocino", 32, 96, 17, 41},
        {"Tehama", 64, 80, 49, 17},          {"Plumas", 128, 80, 33, 17},
        {"Glenn", 72, 104, 25, 17},          {"Lake", 56, 128, 17, 17},
        {"Butte", 104, 104, 17, 17},         {"Sierra", 144, 104, 25, 9},
        {"Colusa", 80, 120, 17, 17},         {"Sonoma", 48, 152, 17, 17},
        {"Napa", 80, 152, 9, 17},            {"Yolo", 96, 144, 9, 17},
        {"Yuba", 112, 128, 9, 9},            {"Sacramento", 120, 160, 9, 9},
        {"Nevada", 128, 120, 17, 17},        {"Placer", 152, 128, 25, 9},
        {"Sutter", 104, 136, 9, 9},          {"San Francisco", 72, 192, 17, 9},
        {"El Dorado", 144, 144, 25, 9},      {"Alpine", 176, 152, 17, 9},
        {"Amador", 144, 160, 9, 9},          {"Calaveras", 152, 168, 9, 9},
        {"Solano", 96, 168, 9, 9},           {"Marin", 64, 176, 9, 9},
        {"San Mateo", 80, 208, 9, 9},        {"Alameda", 104, 200, 9, 9},
        {"San Joaquin", 120, 184, 9, 9},     {"Santa Cruz", 88, 224, 9, 9},
        {"Santa Clara", 104, 216, 9, 9},     {"Stanislaus", 136, 200, 9, 9},
        {"Tuolumne", 176, 176, 9, 9},        {"Monterey", 112, 264, 33, 25},
        {"San Benito", 128, 248, 9, 9},      {"Merced", 144, 216, 9, 9},
        {"Mariposa", 168, 200, 17, 9},       {"Inyo", 256, 224, 57, 57},
        {"Mono", 216, 176, 17, 25},          {"Ventura", 200, 344, 25, 25},
        {"Santa Barbara", 152, 328, 49, 25}, {"Kern", 200, 296, 65, 33},
        {"San Luis Obispo", 144, 296, 33, 25}, {"Tulare", 200, 248, 49, 33},
        {"Kings", 176, 264, 17, 25},         {"Fresno", 184, 240, 17, 17},
        {"Madera", 176, 216, 17, 17},        {"Imperial", 336, 408, 41, 25},
        {"San Diego", 288, 408, 41, 33},     {"Riverside", 280, 376, 113, 25},
        {"Orange", 256, 384, 17, 17},        {"Los Angeles", 232, 336, 33, 41},
        {"San Bernardino", 272, 296, 121, 73}, {"Contra Costa", 96, 184, 9, 9},
    }};
    return rectangles;
}

QPoint countySeed(const CountyRectangle& r)
{
    return {static_cast<int>(std::nearbyint(r.left + r.width / 2.0)),
            static_cast<int>(std::nearbyint(r.top + r.height / 2.0))};
}

QImage countyMapPicture()
{
    QImage picture(QStringLiteral(":/reports/county_map.png"));
    if (picture.isNull()) {
        // Never expected: the picture is built in. A blank map still lets
        // the window open.
        picture = QImage(MapWidth, MapHeight, QImage::Format_RGB32);
        picture.fill(Qt::white);
    }
    return picture.convertToFormat(QImage::Format_RGB32);
}

QRgb randomCountyColor(QRandomGenerator& random)
{
    auto component = [&random] { return static_cast<int>(random.generateDouble() * 254); };
    const int red = component();
    const int green = component();
    const int blue = component();
    return qRgb(red, green, blue);
}

int paintWorkedCounties(QImage& picture, const QStringList& worked, QRandomGenerator& random)
{
    int painted = 0;
    for (const QString& entry : worked) {
        // The map has its 58 rectangles whatever the county table holds.
        for (const CountyRectangle& r : countyRectangles()) {
            if (entry.compare(QLatin1String(r.name), Qt::CaseInsensitive) != 0)
                continue;
            floodFillSurface(picture, countySeed(r), randomCountyColor(random));
            ++painted;
            break;
        }
    }
    return painted;
}

}  // namespace reports

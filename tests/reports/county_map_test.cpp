// The surface flood fill and the painting of counties on the shipped map.

#include "reports/county_map.h"
#include "reports/flood_fill.h"

#include "support/test_support.h"

#include <QPainter>
#include <QSet>
#include <gtest/gtest.h>

using reports::countyRectangles;
using reports::countySeed;

namespace {

const QRgb White = qRgb(255, 255, 255);
const QRgb Black = qRgb(0, 0, 0);

QImage blank(int w, int h)
{
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(White);
    return image;
}

int countColour(const QImage& image, QRgb colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixel(x, y) == colour ? 1 : 0;
    return n;
}

}  // namespace

TEST(FloodFill, FillsTheRegionInsideAnOutlineOnly)
{
    QImage image = blank(40, 40);
    {
        // A diamond of diagonal steps: only 8-connected, yet it must hold a
        // fill that moves through four neighbours.
        QPainter p(&image);
        p.setPen(QColor(Black));
        p.drawPolygon(QPolygon({QPoint(20, 2), QPoint(38, 20), QPoint(20, 38), QPoint(2, 20)}));
    }
    const int outlinePixels = countColour(image, Black);
    const int painted = reports::floodFillSurface(image, {20, 20}, qRgb(10, 20, 30));
    EXPECT_GT(painted, 400);
    EXPECT_EQ(countColour(image, qRgb(10, 20, 30)), painted);
    EXPECT_EQ(countColour(image, Black), outlinePixels);
    EXPECT_EQ(image.pixel(0, 0), White);
    EXPECT_EQ(image.pixel(39, 39), White);
}

TEST(FloodFill, SeedOutsideOrAlreadyFilledPaintsNothing)
{
    QImage image = blank(10, 10);
    EXPECT_EQ(reports::floodFillSurface(image, {-1, 3}, Black), 0);
    EXPECT_EQ(reports::floodFillSurface(image, {3, 10}, Black), 0);
    EXPECT_EQ(reports::floodFillSurface(image, {3, 3}, White), 0);
    EXPECT_EQ(reports::floodFillSurface(image, {3, 3}, qRgb(1, 2, 3)), 100);
    // A painted region is the seed's colour next time: it is repainted whole.
    EXPECT_EQ(reports::floodFillSurface(image, {9, 9}, qRgb(4, 5, 6)), 100);
}

TEST(FloodFill, ConcaveRegionIsFilledRoundItsCorners)
{
    // A U shape: the fill has to go down one arm and up the other.
    QImage image = blank(9, 7);
    for (int y = 0; y < 5; ++y)
        image.setPixel(4, y, Black);
    EXPECT_EQ(reports::floodFillSurface(image, {1, 1}, qRgb(9, 9, 9)), 63 - 5);
    EXPECT_EQ(image.pixel(7, 0), qRgb(9, 9, 9));
}

TEST(CountyMap, PictureGivesEverySeedAWhiteRegionOfItsOwn)
{
    const QImage picture = reports::countyMapPicture();
    ASSERT_EQ(picture.size(), QSize(408, 450));
    // Paint every county with a colour that names it, then check that no
    // fill reached the land outside the state or another county's seed.
    QImage painted = picture;
    const auto& rects = countyRectangles();
    for (std::size_t k = 0; k < rects.size(); ++k) {
        const QPoint seed = countySeed(rects[k]);
        ASSERT_EQ(painted.pixel(seed), White) << rects[k].name;
        ASSERT_GT(reports::floodFillSurface(painted, seed, qRgb(1, 1, static_cast<int>(k) + 1)), 3) << rects[k].name;
    }
    for (std::size_t k = 0; k < rects.size(); ++k)
        EXPECT_EQ(painted.pixel(countySeed(rects[k])), qRgb(1, 1, static_cast<int>(k) + 1)) << rects[k].name;
    // The picture's corners lie outside the state: still white.
    for (const QPoint corner : {QPoint(407, 0), QPoint(0, 449), QPoint(407, 120)})
        EXPECT_EQ(painted.pixel(corner), White);
}

TEST(CountyMap, SeedsRoundHalvesToEven)
{
    EXPECT_EQ(countySeed({"San Francisco", 72, 192, 17, 9}), QPoint(80, 196));
    EXPECT_EQ(countySeed({"Inyo", 256, 224, 57, 57}), QPoint(284, 252));
    EXPECT_EQ(countySeed({"x", 1, 1, 9, 9}), QPoint(6, 6));
}

TEST(CountyMap, PaintsListedCountiesWhateverTheirLetterCase)
{
    QImage picture = reports::countyMapPicture();
    QRandomGenerator random(7);
    const QStringList worked{QStringLiteral("los angeles"), QStringLiteral("Atlantis"), QStringLiteral("BUTTE")};
    EXPECT_EQ(reports::paintWorkedCounties(picture, worked, random), 2);
    int paintedSeeds = 0;
    for (const auto& r : countyRectangles()) {
        const QRgb c = picture.pixel(countySeed(r));
        const QString name = QString::fromLatin1(r.name);
        if (name == QLatin1String("Los Angeles") || name == QLatin1String("Butte")) {
            ++paintedSeeds;
            EXPECT_LE(qRed(c), 253);
            EXPECT_LE(qGreen(c), 253);
            EXPECT_LE(qBlue(c), 253);
        } else {
            EXPECT_EQ(c, White) << r.name;
        }
    }
    EXPECT_EQ(paintedSeeds, 2);
}

TEST(CountyMap, OneGeneratorGivesEveryCountyAColourOfItsOwn)
{
    QImage picture = reports::countyMapPicture();
    QRandomGenerator random(12345);
    QStringList all;
    for (const auto& r : countyRectangles())
        all << QString::fromLatin1(r.name);
    EXPECT_EQ(reports::paintWorkedCounties(picture, all, random), 58);
    QSet<QRgb> colours;
    for (const auto& r : countyRectangles())
        colours.insert(picture.pixel(countySeed(r)));
    EXPECT_EQ(colours.size(), 58);
    EXPECT_FALSE(colours.contains(White));
}

#pragma once
// The county map's rules apart from its window: where each of the party
// state's 58 counties sits on the 408 by 450 pixel map picture (one
// rectangle per county, whose centre is the seed its county is filled
// from, and over which its name shows as a tool tip), and the painting of
// the counties worked.

#include <QImage>
#include <QPoint>
#include <QRandomGenerator>
#include <QRect>
#include <QStringList>
#include <array>

namespace reports {

struct CountyRectangle {
    const char* name;  ///< as the main windows' county lists hold it
    int left, top, width, height;
    [[nodiscard]] QRect rect() const { return {left, top, width, height}; }
};

constexpr int MapCounties = 58;
constexpr int MapWidth = 408;
constexpr int MapHeight = 450;

/// The rectangles in the map's array order.
[[nodiscard]] const std::array<CountyRectangle, MapCounties>& countyRectangles();

/// The fill seed of a rectangle: its centre, halves to the even neighbour.
[[nodiscard]] QPoint countySeed(const CountyRectangle& r);

/// The map picture shipped with the program (white counties, black
/// outlines), as 32-bit RGB.
[[nodiscard]] QImage countyMapPicture();

/// A fill colour: red, green and blue each 0 to 253.
[[nodiscard]] QRgb randomCountyColor(QRandomGenerator& random);

/// Paints the county of each entry of worked (letter case ignored) in a
/// colour of its own drawn from random, in list order; an entry that names
/// no county of the map paints nothing. Returns the number of counties
/// painted.
int paintWorkedCounties(QImage& picture, const QStringList& worked, QRandomGenerator& random);

}  // namespace reports

#pragma once
// The surface flood fill the county map paints with: starting at a seed,
// every pixel joined to it through its four neighbours that has the seed's
// colour takes the fill colour. An outline drawn as an 8-connected line of
// another colour therefore holds the fill in.

#include <QImage>
#include <QPoint>
#include <QRgb>

namespace reports {

/// Fills the region of the seed's colour around seed with fill; returns the
/// number of pixels painted (0 when the seed is outside the picture or
/// already has the fill colour). The picture must be 32-bit RGB.
int floodFillSurface(QImage& picture, QPoint seed, QRgb fill);

}  // namespace reports

#pragma once
// The spectrum map as numbers: eleven band scales, each zoomed in on the
// stored spots that lie on it, their tick captions, and where each spot label
// stands. The window only copies what this returns into its controls.

#include "spots/band_map.h"

#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <array>
#include <vector>

namespace spots {

class SpotStore;

/// One band of the map, edges in MHz as single-precision numbers: the
/// captions are worked out from these very values, so a scale like 30 m
/// shows uneven quarters (10.113 but 10.137).
struct SpectrumBand {
    float lower;
    float upper;
};

inline constexpr int SpectrumBandCount = 11;
inline constexpr int TicksPerBand = 5;
inline constexpr int SpectrumTickCount = SpectrumBandCount * TicksPerBand;

/// 160 m to 2 m, in the map's order from top to bottom.
inline constexpr std::array<SpectrumBand, SpectrumBandCount> SpectrumBands{{
    {1.8f, 2.0f},
    {3.5f, 4.0f},
    {7.0f, 7.3f},
    {10.1f, 10.15f},
    {14.0f, 14.35f},
    {18.068f, 18.168f},
    {21.0f, 21.45f},
    {24.89f, 24.99f},
    {28.0f, 29.7f},
    {50.0f, 54.0f},
    {144.0f, 148.0f},
}};

/// The band a spot belongs to: the one whose default edges it lies strictly
/// between; -1 for none (a deleted spot, 0, belongs to none).
[[nodiscard]] int spectrumBandOf(float frequencyMHz);

/// Narrows a band's edges to the spots of slots 1 to 49 that lie strictly
/// inside them, 0.001 MHz beyond the outermost ones, once at least two
/// different frequencies are there; otherwise both edges stay. Slot 0 and
/// the spots' ages play no part.
void ZoomBandScale(float& upper, float& lower, const SpotStore& store);

/// Where the map's scales are drawn, in twips of the window.
struct SpectrumGeometry {
    struct Line {
        double x1 = 0;  ///< the scale's lower edge
        double x2 = 0;  ///< its upper edge
        double y1 = 0;  ///< the base line the spot labels stand on
    };
    std::array<Line, SpectrumBandCount> lines{};
    double windowHeight = 0;
    double tickLabelWidth = 0;
    QSizeF spotLabelSize;
};

/// One tick caption under a scale.
struct SpectrumTick {
    QString caption;  ///< three decimals ("#.000")
    double value = 0; ///< the number the caption shows
    double left = 0;
    double top = 0;
};

/// The 55 tick captions, five per band from left to right: band b owns
/// ticks 5 b to 5 b + 4.
struct SpectrumScales {
    std::array<SpectrumTick, SpectrumTickCount> ticks{};
};

/// Lays the eleven scales out afresh from the band table and the store.
[[nodiscard]] SpectrumScales LayoutBandScales(const SpotStore& store, const SpectrumGeometry& geometry);

/// The spot labels to show, newest first, each standing on its band's line
/// and centred on its frequency as the band's first and last captions span
/// it. The walk ends at the first slot an hour old or more, whatever its
/// frequency (a slot never filled counts as old): that slot and every older
/// one stay hidden. Spots outside every band, and deleted ones, are shown
/// nowhere.
[[nodiscard]] std::vector<SpotLabelPlacement>
placeSpectrumSpots(const SpotStore& store, const SpectrumScales& scales, const SpectrumGeometry& geometry,
                   const QDateTime& nowLocal, double utcOffsetHours);

}  // namespace spots

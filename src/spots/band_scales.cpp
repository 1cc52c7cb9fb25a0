#include "spots/band_scales.h"

#include "spots/spot_store.h"

#include <cmath>

namespace spots {

int spectrumBandOf(float f)
{
    for (int b = 0; b < SpectrumBandCount; ++b) {
        const SpectrumBand& band = SpectrumBands[static_cast<std::size_t>(b)];
        if (band.lower < f && f < band.upper)
            return b;
    }
    return -1;
}

void ZoomBandScale(float& upper, float& lower, const SpotStore& store)
{
    float minimum = upper;
    float maximum = lower;
    // Slot 0 is left out, and age does not matter: spots the map no longer
    // shows still shape the zoom.
    for (int s = 1; s <= SpotStore::Newest; ++s) {
        const float f = store.slot(s).SpotFrequency;
        if (lower < f && f < upper) {
            if (f < minimum)
                minimum = f;
            if (f > maximum)
                maximum = f;
        }
    }
    if (maximum > minimum) {
        upper = static_cast<float>(static_cast<double>(maximum) + 0.001);
        lower = static_cast<float>(static_cast<double>(minimum) - 0.001);
    }
}

SpectrumScales LayoutBandScales(const SpotStore& store, const SpectrumGeometry& g)
{
    SpectrumScales scales;
    for (int b = 0; b < SpectrumBandCount; ++b) {
        float lower = SpectrumBands[static_cast<std::size_t>(b)].lower;
        float upper = SpectrumBands[static_cast<std::size_t>(b)].upper;
        ZoomBandScale(upper, lower, store);
        const SpectrumGeometry::Line& line = g.lines[static_cast<std::size_t>(b)];
        for (int i = 0; i < TicksPerBand; ++i) {
            SpectrumTick& tick = scales.ticks[static_cast<std::size_t>(TicksPerBand * b + i)];
            const double value =
                static_cast<double>(lower) + (static_cast<double>(upper) - static_cast<double>(lower)) * 0.25 * i;
            tick.caption = formatScaleFrequency(value);
            tick.value = std::nearbyint(value * 1000) / 1000;
            tick.top = line.y1 + 0.004 * g.windowHeight;
            tick.left = line.x1 + (line.x2 - line.x1) * 0.25 * i - g.tickLabelWidth / 2;
        }
    }
    return scales;
}

std::vector<SpotLabelPlacement> placeSpectrumSpots(const SpotStore& store, const SpectrumScales& scales,
                                                   const SpectrumGeometry& g, const QDateTime& nowLocal,
                                                   double utcOffsetHours)
{
    std::vector<SpotLabelPlacement> result;
    result.reserve(SpotStore::Capacity);
    const qint64 nowMs = nowLocal.toMSecsSinceEpoch();
    for (int i = SpotStore::Newest; i >= 0; --i) {
        const SpotSlot& s = store.slot(i);
        // Every slot is aged, placed or not: the first old one, even one
        // never filled or deleted, ends the walk.
        const qint64 age = (nowMs - s.receivedMs) / 1000;
        if (age >= MaxSpotAgeSeconds)
            break;
        const int b = spectrumBandOf(s.SpotFrequency);
        if (b < 0)
            continue;
        const double low = scales.ticks[static_cast<std::size_t>(TicksPerBand * b)].value;
        const double high = scales.ticks[static_cast<std::size_t>(TicksPerBand * b + TicksPerBand - 1)].value;
        if (!(high > low))
            continue;
        const SpectrumGeometry::Line& line = g.lines[static_cast<std::size_t>(b)];
        SpotLabelPlacement p;
        p.slot = i;
        p.spot = s.id;
        p.caption = s.SpotLabel;
        p.tooltip = spotTooltip(s, utcOffsetHours);
        p.top = line.y1 - g.spotLabelSize.height();
        p.left = line.x1 + (s.SpotFrequency - low) / (high - low) * (line.x2 - line.x1)
                 - g.spotLabelSize.width() / 2;
        p.color = ageColor(age);
        result.push_back(std::move(p));
    }
    return result;
}

}  // namespace spots

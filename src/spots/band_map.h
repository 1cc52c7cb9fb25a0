#pragma once
// The main window's band map as numbers: the scale for the current band,
// zoomed in on the stored spots, and where and how each spot label is drawn.
// The window only copies what this returns into its controls.

#include "spots/spot_store.h"

#include <QColor>
#include <QDateTime>
#include <QSizeF>
#include <QString>
#include <array>
#include <vector>

namespace spots {

class SpotStore;

/// Low and high edge of a band in MHz ("160" to "2", also "1.25" and
/// "440"); 0 and 0 for any other text. The band text's case is ignored.
struct BandEdges {
    double low = 0;
    double high = 0;
};
[[nodiscard]] BandEdges bandEdges(const QString& band);

/// A frequency as the scale and the tooltips write it: rounded to three
/// decimals (halves to even), exactly three decimals, no digit before the
/// point under 1 (".000").
[[nodiscard]] QString formatScaleFrequency(double mhz);

/// The five captions of the scale: the low edge, the three quarter points
/// and the high edge. The band edges close in on the spots of slots 1 to 49
/// that lie strictly inside the band, 0.001 MHz beyond the outermost ones,
/// once at least two different frequencies are there.
struct BandMapScale {
    std::array<QString, 5> captions;
};
[[nodiscard]] BandMapScale SetBandMapScale(const QString& band, const SpotStore& store);

/// The edges the scale's captions stand for, read back as single-precision
/// numbers from the first and the last caption, as placement uses them.
struct ScaleEdges {
    float low = 0;
    float high = 0;
};
[[nodiscard]] ScaleEdges edgesFromCaptions(const QString& lowCaption, const QString& highCaption);

/// The text colour of a spot label by its age in whole seconds: light
/// yellow under 10 minutes, white under 30, silver under 60.
[[nodiscard]] QColor ageColor(qint64 ageSeconds);
inline constexpr qint64 MaxSpotAgeSeconds = 3600;

struct SpotSlot;
/// A spot label's tooltip: the call, the frequency as the scale writes it and
/// the time of receipt on the UTC clock ("hh:mm:ss"), two blanks apart.
[[nodiscard]] QString spotTooltip(const SpotSlot& slot, double utcOffsetHours);

/// Where the band map is drawn, in twips of the main window.
struct BandMapGeometry {
    double lineX1 = 0;  ///< the scale line's start: the low edge
    double lineX2 = 0;  ///< its end: the high edge
    double lineY1 = 0;  ///< its baseline; labels sit above it
    double windowHeight = 0;
};

/// One spot label to show.
struct SpotLabelPlacement {
    int slot = 0;
    SpotId spot = 0;  ///< the id of the spot in that slot
    QString caption;
    QString tooltip;  ///< call, frequency and UTC time, two blanks apart
    double left = 0;
    double top = 0;
    QColor color;
};

/// The labels of the slots that lie strictly inside the scale's edges,
/// newest first, each centred on its frequency. The first in-band spot of an
/// hour or more ends the list: it and every older spot stay hidden.
[[nodiscard]] std::vector<SpotLabelPlacement>
placeSpotLabels(const SpotStore& store, ScaleEdges edges, const BandMapGeometry& geometry,
                QSizeF labelSize, const QDateTime& nowLocal,
                double utcOffsetHours);

}  // namespace spots

#include "spots/band_map.h"

#include "platform/settings_stream.h"
#include "spots/spot_store.h"

#include <QLocale>
#include <cmath>

namespace spots {

namespace {

struct BandRow {
    const char* band;
    double low;
    double high;
};

constexpr BandRow Bands[] = {
    {"160", 1.8, 2},   {"80", 3.5, 4},       {"40", 7, 7.3},   {"20", 14, 14.35},
    {"15", 21, 21.45}, {"10", 28, 29.7},     {"6", 50, 54},    {"2", 144, 148},
    {"1.25", 219, 225}, {"440", 420, 450},
};

}  // namespace

BandEdges bandEdges(const QString& band)
{
    for (const BandRow& row : Bands)
        if (band.compare(QLatin1String(row.band), Qt::CaseInsensitive) == 0)
            return {row.low, row.high};
    return {};
}

namespace {

/// Appends mhz in whole thousandths (halves to the even neighbour), written
/// by hand: the band map writes one for every spot label at every redraw.
void appendScaleFrequency(QString& text, double mhz)
{
    const double thousandths = std::nearbyint(mhz * 1000);
    if (!std::isfinite(thousandths) || std::fabs(thousandths) > 9e15) {
        text += QString::number(mhz, 'f', 3);
        return;
    }
    const qint64 t = static_cast<qint64>(thousandths);
    const qint64 magnitude = t < 0 ? -t : t;
    const qint64 whole = magnitude / 1000;
    const int fraction = static_cast<int>(magnitude % 1000);
    if (t < 0)
        text += u'-';
    if (whole != 0)
        text += QString::number(whole);
    text += u'.';
    text += QChar(u'0' + fraction / 100);
    text += QChar(u'0' + fraction / 10 % 10);
    text += QChar(u'0' + fraction % 10);
}

/// Appends "hh:mm:ss" on the 24-hour clock.
void appendClock(QString& text, int secondOfDay)
{
    const int parts[] = {secondOfDay / 3600, secondOfDay / 60 % 60, secondOfDay % 60};
    for (int i = 0; i < 3; ++i) {
        if (i > 0)
            text += u':';
        text += QChar(u'0' + parts[i] / 10);
        text += QChar(u'0' + parts[i] % 10);
    }
}

}  // namespace

QString formatScaleFrequency(double mhz)
{
    QString text;
    appendScaleFrequency(text, mhz);
    return text;
}

BandMapScale SetBandMapScale(const QString& band, const SpotStore& store)
{
    BandEdges edges = bandEdges(band);
    double minimum = edges.high;
    double maximum = edges.low;
    // Slot 0 is left out, and age does not matter: spots the redraw will not
    // show still widen the zoom.
    for (int i = 1; i <= SpotStore::Newest; ++i) {
        const double f = store.slot(i).SpotFrequency;
        if (f > edges.low && f < edges.high) {
            if (f < minimum)
                minimum = f;
            if (f > maximum)
                maximum = f;
        }
    }
    if (maximum > minimum) {
        edges.high = maximum + 0.001;
        edges.low = minimum - 0.001;
    }
    BandMapScale scale;
    for (int k = 0; k < 5; ++k)
        scale.captions[static_cast<std::size_t>(k)] =
            formatScaleFrequency(edges.low + k * (0.25 * (edges.high - edges.low)));
    return scale;
}

ScaleEdges edgesFromCaptions(const QString& lowCaption, const QString& highCaption)
{
    auto read = [](const QString& caption) {
        const auto v = platform::parseNumber(caption);
        return v ? static_cast<float>(*v) : 0.0f;
    };
    return {read(lowCaption), read(highCaption)};
}

QColor ageColor(qint64 ageSeconds)
{
    if (ageSeconds < 600)
        return QColor(255, 255, 128);
    if (ageSeconds < 1800)
        return QColor(255, 255, 255);
    return QColor(192, 192, 192);
}

std::vector<SpotLabelPlacement> placeSpotLabels(const SpotStore& store, ScaleEdges edges,
                                                const BandMapGeometry& g, QSizeF labelSize,
                                                const QDateTime& nowLocal, double utcOffsetHours)
{
    std::vector<SpotLabelPlacement> result;
    result.reserve(SpotStore::Capacity);
    const double span = static_cast<double>(edges.high) - edges.low;
    constexpr int Day = 24 * 3600;
    const int offsetSeconds = static_cast<int>(std::lround(std::fmod(utcOffsetHours * 3600, Day)));
    const qint64 nowMs = nowLocal.toMSecsSinceEpoch();
    for (int i = SpotStore::Newest; i >= 0; --i) {
        const SpotSlot& s = store.slot(i);
        const float f = s.SpotFrequency;
        if (!(edges.low < f && f < edges.high))
            continue;
        const qint64 age = (nowMs - s.receivedMs) / 1000;
        if (age >= MaxSpotAgeSeconds)
            break;
        SpotLabelPlacement p;
        p.slot = i;
        p.spot = s.id;
        p.caption = s.SpotLabel;
        p.tooltip.reserve(s.SpotCall.size() + 24);
        p.tooltip += s.SpotCall;
        p.tooltip += QLatin1String("  ");
        appendScaleFrequency(p.tooltip, f);
        p.tooltip += QLatin1String("  ");
        appendClock(p.tooltip, ((s.receivedSecondOfDay + offsetSeconds) % Day + Day) % Day);
        p.top = g.lineY1 - labelSize.height() - 0.004 * g.windowHeight;
        p.left = g.lineX1 + (f - edges.low) / span * (g.lineX2 - g.lineX1) - labelSize.width() / 2;
        p.color = ageColor(age);
        result.push_back(std::move(p));
    }
    return result;
}

QString spotTooltip(const SpotSlot& s, double utcOffsetHours)
{
    constexpr int Day = 24 * 3600;
    const int offsetSeconds = static_cast<int>(std::lround(std::fmod(utcOffsetHours * 3600, Day)));
    QString tooltip;
    tooltip.reserve(s.SpotCall.size() + 24);
    tooltip += s.SpotCall;
    tooltip += QLatin1String("  ");
    appendScaleFrequency(tooltip, s.SpotFrequency);
    tooltip += QLatin1String("  ");
    appendClock(tooltip, ((s.receivedSecondOfDay + offsetSeconds) % Day + Day) % Day);
    return tooltip;
}

}  // namespace spots

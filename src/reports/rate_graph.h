#pragma once
// The QSO rate graph's numbers: contacts in, columns out. The rate at a
// contact is six times the contacts logged in the ten minutes up to and
// including it (in log order); the log's span from the first to the last
// record is cut into 1,500 columns, empty stretches are bridged, the curve
// is smoothed over seven columns, and every column carries the colour of
// the band in use for the strip under the plot. The window only draws the
// result (ActivityGraphWindow).
//
// A log the graph cannot show (a date or time that is no moment, a first
// and last record at one moment, a record far outside the span, a flat
// curve) ends the work at the step that meets it: the result says how far
// it got, so the window shows the labels made before and draws nothing
// after.

#include "log/contact_record.h"

#include <QRgb>
#include <QString>
#include <array>
#include <optional>
#include <vector>

namespace reports {

/// The columns 1 to 1,500 are plotted; the bridging of empty stretches looks
/// up to fifteen columns past the last, and column 0 is never plotted.
constexpr int GraphColumns = 1500;
constexpr int GraphColumnSlots = 1601;
/// Fewer contacts than this give no graph.
constexpr int GraphMinimumContacts = 7;

/// The band colours of the legend, in its order: 160, 80, 40, 20, 15, 10
/// and "Other" (6 m, 2 m and anything else).
using BandColors = std::array<QRgb, 7>;
[[nodiscard]] BandColors defaultBandColors();

/// How far the computation got.
enum class GraphStage {
    TooFewContacts,  ///< fewer than 7 contacts: nothing computed
    NoMoment,        ///< the first or last record is no moment: nothing set
    TimeLabelsOnly,  ///< the time labels are set, nothing else
    RateLabelsOnly,  ///< time and rate labels set, the curve cannot be scaled
    Complete,        ///< everything set; the curve can be drawn
};

struct RateGraph {
    GraphStage stage = GraphStage::TooFewContacts;
    std::array<QString, 15> timeLabels;  ///< "hh:mm"
    std::array<QString, 15> dateLabels;  ///< "MM/DD"
    std::array<QString, 17> rateLabels;  ///< "0.0"; element 16 is the top
    std::vector<float> RawRate = std::vector<float>(GraphColumnSlots, 0.0F);
    std::vector<float> PlotRate = std::vector<float>(GraphColumnSlots, 0.0F);
    std::vector<QRgb> ColumnColor = std::vector<QRgb>(GraphColumnSlots, 0);
    float RateMin = 0;
    float RateMax = 0;
};

/// A log record's UTC date ("yyyy/mm/dd") and time ("hh:mm:ss" or "hh:mm")
/// as seconds since 1970; nothing when they are no moment.
[[nodiscard]] std::optional<qint64> contactMoment(const QString& date, const QString& time);

/// The graph of records 1 to ContactCount (contacts[0] is record 1). The
/// background is the window's colour: columns without contacts carry it, and
/// a band drawn in it takes the colour of the band before it.
[[nodiscard]] RateGraph computeRateGraph(const std::vector<contactlog::ContactRecord>& contacts,
                                         QRgb background, const BandColors& bands);

}  // namespace reports

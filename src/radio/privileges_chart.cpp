#include "radio/privileges_chart.h"

#include <algorithm>
#include <cmath>

namespace radio {

namespace {

/// Up to this many bars keep their full height; with more, they are made
/// thinner so that they never run into one another.
constexpr int BarsAtFullHeight = 20;

bool isClassRowOf(const BandPlanEntry& row, const QString& licenceClass)
{
    return row.LicenceClass == licenceClass;
}

/// Whether the run of rows right after the "O" row at index o (up to the
/// first row of another band) holds a row of the class.
bool runHoldsClass(const std::vector<BandPlanEntry>& rows, std::size_t o, const QString& licenceClass)
{
    for (std::size_t i = o + 1; i < rows.size() && rows[i].Band == rows[o].Band; ++i)
        if (isClassRowOf(rows[i], licenceClass))
            return true;
    return false;
}

const BandPlanEntry* firstRowOfBand(const std::vector<BandPlanEntry>& rows, const QString& band)
{
    for (const BandPlanEntry& row : rows)
        if (row.Band == band)
            return &row;
    return nullptr;
}

QString edgesText(double low, double high)
{
    return formatBandEdge(low) + QStringLiteral(" - ") + formatBandEdge(high);
}

}  // namespace

const std::array<LicenceClassButton, 6>& licenceClassButtons()
{
    static const std::array<LicenceClassButton, 6> buttons{{
        {"Novice", "Novice Frequency Privileges", "N"},
        {"Technician", "Technician Frequency Privileges", "T"},
        {"Tech +", "Technician Plus Frequency Privileges", "P"},
        {"General", "General Frequency Privileges", "G"},
        {"Advanced", "Advanced Frequency Privileges", "A"},
        {"Extra", "Extra Frequency Privileges", "E"},
    }};
    return buttons;
}

QString formatBandEdge(double mhz)
{
    if (!std::isfinite(mhz))
        return {};
    const QString fixed = QString::number(std::fabs(mhz), 'f', 3);
    const qsizetype point = fixed.indexOf(u'.');
    QString whole = fixed.left(point);
    const QString fraction = fixed.mid(point);
    if (whole == QLatin1String("0"))
        whole.clear();
    for (qsizetype pos = whole.size() - 3; pos > 0; pos -= 3)
        whole.insert(pos, u',');
    const bool negative = mhz < 0 && fixed != QLatin1String("0.000");
    return (negative ? QStringLiteral("-") : QString()) + whole + fraction;
}

PrivilegesChart chartPrivileges(const std::vector<BandPlanEntry>& rows, const QString& licenceClass,
                                const ChartArea& area)
{
    PrivilegesChart chart;
    const double W = area.width;
    const double H = area.height;

    // One bar for each band's "O" row whose run holds a row of the class.
    std::vector<const BandPlanEntry*> edgeRows;
    for (std::size_t i = 0; i < rows.size(); ++i) {
        if (rows[i].LicenceClass != QLatin1String("O") || !runHoldsClass(rows, i, licenceClass))
            continue;
        ChartLabel bar;
        bar.name = QStringLiteral("blbl%1").arg(chart.bars.size() + 1);
        bar.caption = rows[i].Band;
        bar.toolTip = rows[i].Band + QStringLiteral("  ") + edgesText(rows[i].LowMHz, rows[i].HighMHz);
        chart.bars.push_back(bar);
    }
    const auto n = static_cast<double>(chart.bars.size());
    if (chart.bars.empty())
        return chart;

    // The bars share the room below the line, in file order.
    const double spacing = 0.8 * (H - area.lineY) / n;
    double barHeight = 0.04 * H;
    if (chart.bars.size() > BarsAtFullHeight)
        barHeight = std::min(barHeight, 0.9 * spacing);
    for (std::size_t i = 0; i < chart.bars.size(); ++i) {
        ChartLabel& bar = chart.bars[i];
        bar.twips = QRectF(0.10 * W, area.lineY + static_cast<double>(i + 1) * spacing, 0.85 * W, barHeight);

        ChartLabel box;
        box.name = QStringLiteral("bnlb%1").arg(i + 1);
        box.twips = QRectF(0.04 * W, bar.twips.top(), 0.05 * W, bar.twips.height());
        box.caption = bar.caption;
        box.toolTip = bar.toolTip;
        box.backColor = chart_color::Yellow;
        box.foreColor = chart_color::Black;
        box.fontFamily = QStringLiteral("ARIAL");
        box.fontPoints = 8 * area.fontFactor;
        box.bold = true;
        chart.boxes.push_back(box);
    }

    // Each bar's band edges: those of the first row carrying its name. A
    // band without a width to divide cannot hold segments.
    std::vector<double> bandLow(chart.bars.size()), bandWidth(chart.bars.size());
    for (std::size_t b = 0; b < chart.bars.size(); ++b) {
        const BandPlanEntry* edges = firstRowOfBand(rows, chart.bars[b].caption);
        bandLow[b] = edges->LowMHz;
        bandWidth[b] = static_cast<double>(edges->HighMHz) - edges->LowMHz;
        if (!(std::isfinite(bandWidth[b]) && bandWidth[b] > 0 && std::isfinite(bandLow[b])))
            chart.bandsWithoutWidth.append(chart.bars[b].caption);
    }

    // Every row of the class, on every bar of its band. A segment far
    // outside its band is cut at a window's width beyond either side, which
    // changes nothing the operator can see.
    for (const BandPlanEntry& row : rows) {
        if (!isClassRowOf(row, licenceClass))
            continue;
        for (std::size_t b = 0; b < chart.bars.size(); ++b) {
            const ChartLabel& bar = chart.bars[b];
            if (bar.caption != row.Band || chart.bandsWithoutWidth.contains(bar.caption))
                continue;
            const double barLeft = bar.twips.left();
            const double barWidth = bar.twips.width();
            double left = barLeft + barWidth * (row.LowMHz - bandLow[b]) / bandWidth[b];
            double right = left + barWidth * (static_cast<double>(row.HighMHz) - row.LowMHz) / bandWidth[b];
            if (!std::isfinite(left) || !std::isfinite(right) || right < left)
                continue;  // a segment whose edges are reversed has no place
            left = std::clamp(left, -W, 2 * W);
            right = std::clamp(right, -W, 2 * W);

            ChartLabel seg;
            seg.name = QStringLiteral("priv%1").arg(chart.segments.size() + 1);
            seg.twips = QRectF(left, bar.twips.top(), right - left, bar.twips.height());
            seg.caption = edgesText(row.LowMHz, row.HighMHz);
            const bool cw = row.Mode == QLatin1String("CW");
            seg.toolTip = (cw ? QStringLiteral("CW  ") : QStringLiteral("PH  ")) + seg.caption;
            seg.backColor = cw ? chart_color::Blue : chart_color::Green;
            seg.foreColor = cw ? chart_color::White : chart_color::Black;
            seg.fontFamily = QStringLiteral("ARIAL NARROW");
            seg.fontPoints = 7 * area.fontFactor;
            chart.segments.push_back(seg);
        }
    }
    return chart;
}

}  // namespace radio

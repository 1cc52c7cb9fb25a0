// BandPlan.txt, read as the privileges window reads it (every row) and as
// the rig interface reads it (the Extra rows), then laid out as the
// privileges chart of a class the input names.

#include "fuzz_input.h"
#include "radio/band_plan.h"
#include "radio/privileges_chart.h"
#include "settings_check.h"

#include <algorithm>
#include <cmath>

using fuzzing::require;

namespace {

bool sameRow(const radio::BandPlanEntry& a, const radio::BandPlanEntry& b)
{
    return a.Band == b.Band && a.LicenceClass == b.LicenceClass && a.Mode == b.Mode &&
           (a.LowMHz == b.LowMHz || (std::isnan(a.LowMHz) && std::isnan(b.LowMHz))) &&
           (a.HighMHz == b.HighMHz || (std::isnan(a.HighMHz) && std::isnan(b.HighMHz)));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    const radio::BandPlan all = radio::parseBandPlan(bytes);
    const radio::BandPlan extra = radio::parseBandPlan(bytes, QStringLiteral("E"));
    for (const radio::BandPlan* plan : {&all, &extra}) {
        require(plan->problem != radio::BandPlan::Problem::Missing);
        require(plan->rows.size() <= static_cast<size_t>(radio::BandPlan::MaxRows));
        require(plan->dateRead || plan->rows.empty());
        for (const radio::BandPlanEntry& row : plan->rows)
            require(!fuzzing::hasLineEnd(row.Band) && !fuzzing::hasLineEnd(row.LicenceClass) &&
                    !fuzzing::hasLineEnd(row.Mode));
    }
    for (const radio::BandPlanEntry& row : extra.rows)
        require(row.LicenceClass == QLatin1String("E"));
    // A plan read whole holds the Extra rows the rig interface keeps, in
    // the same order.
    if (all.problem == radio::BandPlan::Problem::None) {
        std::vector<radio::BandPlanEntry> extraOfAll;
        for (const radio::BandPlanEntry& row : all.rows)
            if (row.LicenceClass == QLatin1String("E"))
                extraOfAll.push_back(row);
        require(extra.rows.size() == extraOfAll.size());
        for (size_t i = 0; i < extraOfAll.size(); ++i)
            require(sameRow(extra.rows[i], extraOfAll[i]));
    }

    // The sideband for the middle of each Extra row: kept where no row
    // encloses the frequency, otherwise none (160 m), a sideband, or a
    // mode other than phone as the row names it.
    for (const radio::BandPlanEntry& row : extra.rows) {
        const float middle = row.LowMHz / 2 + row.HighMHz / 2;
        const auto enclosing = std::find_if(extra.rows.begin(), extra.rows.end(), [&](const auto& r) {
            return r.LowMHz < middle && r.HighMHz > middle;
        });
        QString mode = QStringLiteral("kept");
        radio::SidebandFromBandPlan(extra.rows, middle, mode);
        if (enclosing == extra.rows.end())
            require(mode == QLatin1String("kept"));
        else
            require(mode.isEmpty() || mode == QLatin1String("LSB") || mode == QLatin1String("USB") ||
                    (mode == enclosing->Mode && mode != QLatin1String("PH")));
    }

    const radio::ChartArea area{9600, 7200, 900, 1};
    const QString licenceClass = QString::fromLatin1(radio::licenceClassButtons()[size % 6].letter);
    const radio::PrivilegesChart chart = radio::chartPrivileges(all.rows, licenceClass, area);
    require(chart.boxes.size() == chart.bars.size());
    for (const radio::ChartLabel& segment : chart.segments) {
        const QRectF r = segment.twips;
        require(std::isfinite(r.left()) && std::isfinite(r.width()) && std::isfinite(r.top()));
        require(r.width() >= 0 && r.left() >= -area.width && r.right() <= 2 * area.width);
    }
    return 0;
}

#include "radio/band_plan.h"

#include "platform/safe_file.h"
#include "platform/settings_stream.h"

#include <algorithm>

namespace radio {

BandPlan parseBandPlan(const QByteArray& bytes, const QString& keepClass)
{
    BandPlan plan;
    platform::SettingsReader reader(bytes);
    const auto date = reader.readText();
    if (!date) {
        plan.problem = BandPlan::Problem::ShortRow;
        return plan;
    }
    plan.EffectiveDate = *date;
    plan.dateRead = true;
    // The end of the file is looked for only between rows: a row is the next
    // five values whatever the line breaks.
    while (!reader.atEnd()) {
        BandPlanEntry row;
        const auto band = reader.readText();
        const auto licence = reader.readText();
        const auto mode = reader.readText();
        const auto low = reader.readNumber();
        const auto high = reader.readNumber();
        if (!band || !licence || !mode || !low || !high) {
            plan.problem = BandPlan::Problem::ShortRow;
            return plan;
        }
        if (!keepClass.isEmpty() && *licence != keepClass)
            continue;
        if (static_cast<int>(plan.rows.size()) >= BandPlan::MaxRows) {
            plan.problem = BandPlan::Problem::TooManyRows;
            return plan;
        }
        row.Band = *band;
        row.LicenceClass = *licence;
        row.Mode = *mode;
        row.LowMHz = static_cast<float>(*low);
        row.HighMHz = static_cast<float>(*high);
        plan.rows.push_back(row);
    }
    return plan;
}

BandPlan readBandPlanFile(const QString& path, const QString& keepClass)
{
    const auto bytes = platform::readWholeFile(path);
    if (!bytes) {
        BandPlan plan;
        plan.problem = BandPlan::Problem::Missing;
        return plan;
    }
    return parseBandPlan(*bytes, keepClass);
}

void SidebandFromBandPlan(const std::vector<BandPlanEntry>& rows, float frequency, QString& mode)
{
    // The enclosing row, not its band name, says whether one was found: a
    // row may name no band.
    const auto row = std::find_if(rows.begin(), rows.end(), [frequency](const BandPlanEntry& r) {
        return r.LowMHz < frequency && r.HighMHz > frequency;
    });
    if (row == rows.end())
        return;
    const QString& band = row->Band;
    mode = row->Mode;
    if (band == QLatin1String("160")) {
        mode.clear();
        return;
    }
    if (mode == QLatin1String("PH")) {
        const bool lower = band == QLatin1String("80") || band == QLatin1String("60") ||
                           band == QLatin1String("40");
        mode = lower ? QStringLiteral("LSB") : QStringLiteral("USB");
    }
}

}  // namespace radio

#include "radio/rig_tune.h"

#include "platform/number_text.h"

#include <cmath>
#include <limits>

namespace radio::tune {

const std::array<BandPreset, 16> BandPresets = {{
    {"160", 1.9},    {"80", 3.75},  {"60", 5.368}, {"40", 7.15},  {"30", 10.13},   {"20", 14.175},
    {"17", 18.118},  {"15", 21.225}, {"12", 24.94}, {"10", 28.5},  {"6", 52},       {"2", 146},
    {"1.25", 223.5}, {"70", 435},   {"33", 915},   {"23", 1270},
}};

const std::array<TuneStep, 10> TuneSteps = {{
    {"10 Hz", +0.00001},
    {"10 Hz", -0.00001},
    {"1 MHz", +1},
    {"1 MHz", -1},
    {"5 KHz", +0.005},
    {"5 KHz", -0.005},
    {"1 KHz", +0.001},
    {"1 KHz", -0.001},
    {"100 Hz", +0.0001},
    {"100 Hz", -0.0001},
}};

const std::array<ScanStep, 5> ScanSteps = {{
    {"scanStep2500Hz", "2.5 KHz", 250},
    {"scanStep500Hz", "500 Hz", 50},
    {"scanStep100Hz", "100 Hz", 10},
    {"scanStep30Hz", "30 Hz", 3},
    {"scanStep10Hz", "10 Hz", 1},
}};

namespace {

/// Tens of Hz in a MHz.
constexpr double TensPerMHz = 100000;
/// Far above any rig; keeps the counts in tens of Hz well inside 64 bits.
constexpr double LargestScanMHz = 1e9;

}  // namespace

std::optional<double> boxNumber(const QString& text) { return platform::typedNumber(text); }

std::optional<float> frequencyToTune(const QString& text)
{
    const auto mhz = boxNumber(text);
    if (!mhz || !(*mhz > 0) || *mhz > std::numeric_limits<float>::max())
        return std::nullopt;
    const auto single = static_cast<float>(*mhz);
    // A positive value below the smallest single becomes 0.
    if (!(single > 0))
        return std::nullopt;
    return single;
}

QString presetText(const BandPreset& preset) { return QString::number(preset.mhz, 'g', 15); }

std::optional<QString> steppedFrequency(const QString& frequencyText, double change)
{
    const auto mhz = boxNumber(frequencyText);
    if (!mhz)
        return std::nullopt;
    const double stepped = *mhz + change;
    if (!std::isfinite(stepped))
        return std::nullopt;
    // 1 - 1 and its like give an exact 0, never "-0".
    return QString::number(stepped == 0 ? 0.0 : stepped, 'g', 15);
}

QString scanFrequencyText(double mhz)
{
    const qint64 tens = std::llround(mhz * TensPerMHz);
    const qint64 magnitude = tens < 0 ? -tens : tens;
    const qint64 whole = magnitude / 100000;
    QString fraction = QStringLiteral("%1").arg(magnitude % 100000, 5, 10, QLatin1Char('0'));
    while (fraction.endsWith(QLatin1Char('0')))
        fraction.chop(1);
    QString text = tens < 0 ? QStringLiteral("-") : QString();
    if (whole != 0)
        text += QString::number(whole);
    return text + QLatin1Char('.') + fraction;
}

std::optional<QString> nextScanFrequency(const QString& frequencyText, const QString& fromText,
                                         const QString& toText, int stepTensOfHz)
{
    const auto from = boxNumber(fromText);
    const auto to = boxNumber(toText);
    const auto frequency = boxNumber(frequencyText);
    if (!from || !to || !frequency)
        return std::nullopt;
    for (double v : {*from, *to, *frequency})
        if (std::abs(v) > LargestScanMHz)
            return std::nullopt;
    const qint64 next = std::llround(*frequency * TensPerMHz) + stepTensOfHz;
    // To is compared at the box's own resolution, so a scan up to 14.0003
    // reaches 14.0003 although neither has an exact binary form.
    if (static_cast<double>(next) > std::round(*to * TensPerMHz * 1000) / 1000)
        return scanFrequencyText(*from);
    return scanFrequencyText(static_cast<double>(next) / TensPerMHz);
}

bool keyPasses(int keyAscii) { return keyAscii == 8 || (keyAscii >= 46 && keyAscii <= 57); }

}  // namespace radio::tune

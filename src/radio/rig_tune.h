#pragma once
// The rules of the tune and scan window, apart from its widgets: the band
// presets, the tune and scan steps, what a box's text means as a frequency,
// a tune step, one scan step and the keys the boxes accept.
//
// Frequencies are in MHz. A tune step adds in double precision and is
// written back with up to 15 significant digits, so that 14 + 0.005 shows as
// 14.005 and not as the binary neighbour. The scan counts in whole tens of
// Hz: in single precision a 10 Hz step added to 1270 MHz is lost (the
// nearest neighbours lie 122 Hz apart) and the scan would stand still on the
// upper bands. Only the frequency sent to the rig is single precision.

#include <QString>
#include <array>
#include <optional>

namespace radio::tune {

struct BandPreset {
    const char* caption;
    double mhz;
};
/// cmdBand 0 to 15: the upper row 160 m to 15 m, the lower 12 m to 23 cm.
extern const std::array<BandPreset, 16> BandPresets;

struct TuneStep {
    const char* caption;
    double change;  ///< MHz added to the frequency box
};
/// cmdTune 0 to 9: even indexes step up, odd ones down, by the same amount.
extern const std::array<TuneStep, 10> TuneSteps;

struct ScanStep {
    const char* name;  ///< the option button's object name
    const char* caption;
    int tensOfHz;      ///< 250 is 2.5 kHz, 0.0025 MHz
};
/// The scan steps left to right: 2.5 kHz, 500 Hz, 100 Hz, 30 Hz, 10 Hz.
extern const std::array<ScanStep, 5> ScanSteps;
/// The step chosen when the window opens: 10 Hz.
constexpr int DefaultScanStep = 4;

/// The number a box holds, or nullopt when it holds none (empty, a slash,
/// two points, …).
[[nodiscard]] std::optional<double> boxNumber(const QString& text);

/// The frequency Go sends to the rig, in single precision: only one a rig
/// can be put on. Zero, a negative value (a tune step down past 0) or a
/// value too large for single precision gives nullopt, so no command with a
/// nonsense or negative frequency field ever goes out.
[[nodiscard]] std::optional<float> frequencyToTune(const QString& text);

/// A preset's frequency as the box shows it: 1.9, 3.75, 52, 1270.
[[nodiscard]] QString presetText(const BandPreset& preset);

/// The frequency box after a tune step, or nullopt when it holds no number.
[[nodiscard]] std::optional<QString> steppedFrequency(const QString& frequencyText, double change);

/// A scan frequency as the box shows it: up to five decimals, no leading
/// zero, the point kept on a whole number (54 → "54.", 0.5 → ".5").
[[nodiscard]] QString scanFrequencyText(double mhz);

/// One scan step: the frequency plus the step, back to From once it passes
/// To. Nullopt (nothing to do) when one of the three boxes holds no number.
[[nodiscard]] std::optional<QString> nextScanFrequency(const QString& frequencyText, const QString& fromText,
                                                       const QString& toText, int stepTensOfHz);

/// The key filter of the three boxes: Backspace, the full stop, the slash
/// and the digits pass; every other character is dropped.
[[nodiscard]] bool keyPasses(int keyAscii);

}  // namespace radio::tune

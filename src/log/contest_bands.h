#pragma once
// The eight contest bands and the frequencies that belong to each: the
// rig's frequency picks the band, and a contact moved to another band
// keeps a frequency only when it lies in that band.

#include <QString>
#include <array>

namespace contactlog {

struct ContestBand {
    const char* name;  ///< the band as the log holds it, in metres
    float low;         ///< MHz, open at both ends
    float high;
};

/// In the order of the Band menu.
inline constexpr std::array<ContestBand, 8> ContestBands = {{{"160", 1.7999f, 2.0001f},
                                                            {"80", 3.4999f, 4.0001f},
                                                            {"40", 6.9999f, 7.3001f},
                                                            {"20", 13.9999f, 14.3501f},
                                                            {"15", 20.9999f, 21.4501f},
                                                            {"10", 27.9999f, 29.7001f},
                                                            {"6", 49.9999f, 54.0001f},
                                                            {"2", 143.9999f, 148.0001f}}};

/// The index in ContestBands of the band frequency (MHz) lies in, or -1.
[[nodiscard]] int contestBandIndex(double frequency);

/// The frequency a contact keeps when an edit moves it from oldBand to
/// newBand: the logged frequency (MHz text, as the rig handed it over) when
/// the band stays or the frequency lies in the new band, else empty (the
/// contact then carries no frequency, as one logged without a rig).
[[nodiscard]] QString frequencyAfterBandChange(const QString& frequency, const QString& oldBand,
                                               const QString& newBand);

}  // namespace contactlog

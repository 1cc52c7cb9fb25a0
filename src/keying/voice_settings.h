#pragma once
// The voice keyer's settings as its window's boxes hold them: reading a
// number from a box, the F1 repeat time, and wave2.txt as Done writes it.

#include "keying/keyer_settings.h"

#include <QByteArray>
#include <QString>
#include <optional>

namespace keying {

/// A number typed into a settings box: decimal with a point, or hexadecimal
/// after "&H" ("&H378"). nullopt when the text is no number.
[[nodiscard]] std::optional<double> boxNumber(const QString& text);

/// The repeat timer's interval for a repeat time in seconds: 0 ≤ s < 60,
/// fractions allowed, rounded to whole milliseconds. nullopt for any other
/// text (the box then becomes "0").
[[nodiscard]] std::optional<int> repeatIntervalMs(const QString& seconds);

/// wave2.txt: the nine paths with their blanks trimmed, the port, the PTT
/// line (0 RTS, 1 DTR, 2 parallel), the repeat time and the address.
[[nodiscard]] QByteArray voiceSettingsFileBytes(const PhoneWindowSettings& settings);

}  // namespace keying

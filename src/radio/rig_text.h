#pragma once
// Small text helpers shared by the rig interface, its command sets and the
// frequency test window: hexadecimal text to bytes and back, and the exact
// roundings and formats in which frequencies travel.
//
// Frequencies travel in MHz as single-precision numbers. Converting one to
// whole Hz or tens of Hz multiplies in single precision and rounds to the
// nearest whole number with a half going to the even neighbour, so 14.025
// (held as 14.0249996…) gives 14,025,000 Hz and 50.1 gives 50,100,000.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace radio {

/// 0 to 15 as "0" to "9" or "A" to "F"; any other value gives an empty text.
[[nodiscard]] QString NibbleToHex(int value);

/// Each byte as two upper-case hexadecimal digits followed by one blank
/// ("FE 03 " for the bytes FE 03).
[[nodiscard]] QString BytesToHexText(QByteArrayView bytes);

/// Spaced hexadecimal text ("FE FE 64 E0 03 FD": pairs at characters 1, 4, 7,
/// … whatever separates them) to its bytes. A pair cut short at the end is
/// read as one digit. nullopt when a pair is not hexadecimal.
[[nodiscard]] std::optional<QByteArray> HexTextToBytes(const QString& text);

/// The frequency test window's reading of the same form: an empty result for
/// a pair that is not hexadecimal.
[[nodiscard]] QByteArray HexPairsToBytes(const QString& text);

/// Packed hexadecimal text ("FEFE64E005…") to its bytes, two digits a byte;
/// an odd final digit is a byte by itself. nullopt when a pair is not hex.
[[nodiscard]] std::optional<QByteArray> PackedHexToBytes(const QString& text);

/// Nearest whole number, a half going to the even neighbour.
[[nodiscard]] qint64 roundHalfEven(double value);
/// MHz to whole Hz and to whole tens of Hz (command builders).
[[nodiscard]] qint64 wholeHz(float mhz);
[[nodiscard]] qint64 tensOfHz(float mhz);
/// Hz read from a rig to MHz rounded to five decimals (whole tens of Hz).
[[nodiscard]] float hzToMHz(qint64 hz);

/// A run of decimal digits (blanks around them allowed) as a number; nullopt
/// for anything else, so a reply garbled on the line never reads as a value.
[[nodiscard]] std::optional<qint64> decimalNumber(QByteArrayView text);

/// A non-negative number as decimal digits padded with zeros on the left.
[[nodiscard]] QByteArray zeroPadded(qint64 value, int width);

/// The rig window's frequency caption: five decimals, no zero before the
/// point (14.025 gives "14.02500", 0.5 gives ".50000").
[[nodiscard]] QString frequencyCaption(float mhz);

}  // namespace radio

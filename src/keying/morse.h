#pragma once
// The Morse table and the unit arithmetic of CW keying: every character is a
// text of unit digits, "1" one unit with the key down and "0" one unit with
// the key up. A dot is "1", a dash "111", one "0" separates the elements of
// a character and every character ends with "000", so the gap between two
// characters belongs to the one before. A blank is the word space, eight
// key-up units stretched or shrunk by the operator's word-space setting.

#include <QChar>
#include <QString>

namespace keying {

/// The speeds the CW window allows; a speed outside (a 0 typed in the box)
/// is keyed at the nearest of them.
constexpr int MinWpm = 5;
constexpr int MaxWpm = 99;

/// The word-space setting never goes below this: a blank then keys nothing.
constexpr int MinWordSpace = -8;

/// The unit text of a character, lower case looked up as capitals; empty for
/// "!" and for every character without a Morse pattern (keys nothing, takes
/// no time). A blank gives the standard eight key-up units.
[[nodiscard]] QString morseUnits(QChar c);

/// A blank's units with the word-space setting n: 8 + n key-up units
/// (none at all for n = -8 or below).
[[nodiscard]] QString wordSpaceUnits(int n);

/// What Transmit keys for one character: its unit text, the blank adjusted
/// by the word-space setting.
[[nodiscard]] QString characterUnits(QChar c, int wordSpace);

/// The speed keyed for what the speed box holds: within MinWpm..MaxWpm.
[[nodiscard]] double keyingWpm(double boxValue);

/// What the speed box shows for a speed read or typed: a number within
/// MinWpm..MaxWpm stays as written; anything else (0, 150, no number at all)
/// becomes the speed that is keyed for it, so the box never shows a speed
/// other than the one keyed.
[[nodiscard]] QString keyedSpeedText(const QString& boxText);

/// The speed one whole step up (step +1) or down (-1) from the one keyed for
/// the number in the box, never leaving MinWpm..MaxWpm.
[[nodiscard]] int steppedWpm(double boxValue, int step);

/// One unit in milliseconds: 1200 / WPM (words of 50 units).
[[nodiscard]] inline double unitMs(double wpm) { return 1200.0 / wpm; }

}  // namespace keying

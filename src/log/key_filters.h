#pragma once
// Key filters applied to a typed character before it reaches a text box.
// The argument is the character code; 0 cancels the key.
//
// The entry boxes' rules of what a character becomes in the box, with the
// text before it, are also what a paste into the box keeps of each of its
// characters (platform/paste_filter.h): a paste gives what typing gives.

#include <QString>

namespace contactlog {

/// A small letter a-z becomes its capital; every other code is unchanged.
inline void UpperCaseKey(int& KeyAscii)
{
    if (KeyAscii >= 'a' && KeyAscii <= 'z')
        KeyAscii -= 32;
}

/// Digits and Backspace pass; every other code is cancelled.
inline void DigitsOnlyKey(int& KeyAscii)
{
    if (KeyAscii == 8)
        return;
    if (KeyAscii >= '0' && KeyAscii <= '9')
        return;
    KeyAscii = 0;
}

/// The two quote characters never reach an entry field: the log file has no
/// way to hold them.
inline void DropQuoteKey(int& KeyAscii)
{
    if (KeyAscii == '"' || KeyAscii == '\'')
        KeyAscii = 0;
}

/// The call box keeps no quote and no blank (a blank moves on to the
/// serial box); its letters are capitals.
inline void CallBoxKey(int& KeyAscii)
{
    DropQuoteKey(KeyAscii);
    if (KeyAscii == ' ')
        KeyAscii = 0;
    UpperCaseKey(KeyAscii);
}

/// The serial box keeps digits only.
inline void SerialBoxKey(int& KeyAscii) { DigitsOnlyKey(KeyAscii); }

/// The county box keeps no quote; the first letter of an empty box is a
/// capital. The blanks of a name of two words stay.
inline void CountyBoxKey(int& KeyAscii, const QString& before)
{
    DropQuoteKey(KeyAscii);
    if (before.isEmpty())
        UpperCaseKey(KeyAscii);
}

/// The most characters typed into the state, province or country box.
constexpr int TypedCountryMax = 30;

/// The state, province or country box: no quote; a blank at its start moves
/// on and stays out; the first two characters are capitals (state and
/// province codes), and a third turns the second to a small letter, so a
/// name comes out with an initial capital ("NE" becomes "Ne").
inline void CountryBoxKey(int& KeyAscii, QString& before)
{
    DropQuoteKey(KeyAscii);
    if (KeyAscii == ' ' && before.isEmpty())
        KeyAscii = 0;
    if (KeyAscii == 0)
        return;
    if (before.size() >= TypedCountryMax) {
        KeyAscii = 0;
        return;
    }
    if (before.size() < 2)
        UpperCaseKey(KeyAscii);
    if (before.size() == 2 && KeyAscii != ' ')
        before[1] = before.at(1).toLower();
}

/// Word capitals: a small letter becomes a capital at the start of the box
/// or after a blank (the station's own county).
inline void WordCapitalKey(int& KeyAscii, const QString& before)
{
    if (before.isEmpty() || before.endsWith(u' '))
        UpperCaseKey(KeyAscii);
}

}  // namespace contactlog

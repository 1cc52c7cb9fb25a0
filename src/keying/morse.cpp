#include "keying/morse.h"

#include <algorithm>
#include <array>
#include <cmath>

namespace keying {

namespace {

struct Pattern {
    char c;
    const char* elements;
};

// International Morse code, and the punctuation and prosigns the CW window
// lists. "-" keys BT, the same as "=", not the hyphen's six elements.
constexpr std::array<Pattern, 46> Patterns{{
    {'A', ".-"},     {'B', "-..."},   {'C', "-.-."},   {'D', "-.."},     {'E', "."},
    {'F', "..-."},   {'G', "--."},    {'H', "...."},   {'I', ".."},      {'J', ".---"},
    {'K', "-.-"},    {'L', ".-.."},   {'M', "--"},     {'N', "-."},      {'O', "---"},
    {'P', ".--."},   {'Q', "--.-"},   {'R', ".-."},    {'S', "..."},     {'T', "-"},
    {'U', "..-"},    {'V', "...-"},   {'W', ".--"},    {'X', "-..-"},    {'Y', "-.--"},
    {'Z', "--.."},   {'0', "-----"},  {'1', ".----"},  {'2', "..---"},   {'3', "...--"},
    {'4', "....-"},  {'5', "....."},  {'6', "-...."},  {'7', "--..."},   {'8', "---.."},
    {'9', "----."},  {'.', ".-.-.-"}, {',', "--..--"}, {'?', "..--.."},  {'/', "-..-."},
    {'-', "-...-"},  {'=', "-...-"},  {'[', ".-.-."},  {']', "...-.-"},  {';', "-.--."},
    {'\\', "-.-..-.."},
}};

QString unitsOf(const char* elements)
{
    QString units;
    for (const char* e = elements; *e; ++e) {
        if (e != elements)
            units += QLatin1Char('0');
        units += *e == '.' ? QStringLiteral("1") : QStringLiteral("111");
    }
    return units + QStringLiteral("000");
}

}  // namespace

QString morseUnits(QChar c)
{
    if (c == QLatin1Char(' '))
        return wordSpaceUnits(0);
    const QChar upper = c.toUpper();
    if (upper.unicode() > 127)
        return {};
    const char ascii = static_cast<char>(upper.unicode());
    for (const Pattern& p : Patterns) {
        if (p.c == ascii)
            return unitsOf(p.elements);
    }
    return {};
}

QString wordSpaceUnits(int n)
{
    return QString(std::max(0, 8 + n), QLatin1Char('0'));
}

QString characterUnits(QChar c, int wordSpace)
{
    if (c == QLatin1Char(' '))
        return wordSpaceUnits(wordSpace);
    return morseUnits(c);
}

double keyingWpm(double boxValue)
{
    if (!std::isfinite(boxValue))
        return MinWpm;
    return std::clamp(boxValue, static_cast<double>(MinWpm), static_cast<double>(MaxWpm));
}

}  // namespace keying

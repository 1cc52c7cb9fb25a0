#include "keying/morse.h"

#include "platform/number_text.h"

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

QString keyedSpeedText(const QString& boxText)
{
    const auto typed = platform::typedNumber(boxText);
    const double keyed = keyingWpm(typed.value_or(0));
    if (typed && *typed == keyed)
        return boxText;
    return QString::number(keyed);
}

int steppedWpm(double boxValue, int step)
{
    const double keyed = keyingWpm(boxValue);
    // A fraction goes to the next whole speed in the step's direction.
    const double next = step > 0 ? std::floor(keyed) + 1 : std::ceil(keyed) - 1;
    return static_cast<int>(std::clamp(next, static_cast<double>(MinWpm), static_cast<double>(MaxWpm)));
}

}  // namespace keying

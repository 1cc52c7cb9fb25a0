#include "radio/rig_text.h"

#include <cfenv>
#include <cmath>

namespace radio {

namespace {

int hexDigit(QChar c)
{
    const char16_t u = c.unicode();
    if (u >= '0' && u <= '9')
        return u - '0';
    if (u >= 'A' && u <= 'F')
        return u - 'A' + 10;
    if (u >= 'a' && u <= 'f')
        return u - 'a' + 10;
    return -1;
}

/// One or two hexadecimal digits as a byte value, or -1.
int hexByte(QStringView digits)
{
    if (digits.isEmpty() || digits.size() > 2)
        return -1;
    int value = 0;
    for (QChar c : digits) {
        const int d = hexDigit(c);
        if (d < 0)
            return -1;
        value = value * 16 + d;
    }
    return value;
}

std::optional<QByteArray> pairsToBytes(const QString& text, qsizetype step)
{
    QByteArray bytes;
    for (qsizetype i = 0; i < text.size(); i += step) {
        const int value = hexByte(QStringView(text).mid(i, 2));
        if (value < 0)
            return std::nullopt;
        bytes.append(static_cast<char>(value));
    }
    return bytes;
}

}  // namespace

QString NibbleToHex(int value)
{
    if (value < 0 || value > 15)
        return {};
    return QString(QChar(u"0123456789ABCDEF"[value]));
}

QString BytesToHexText(QByteArrayView bytes)
{
    QString text;
    text.reserve(bytes.size() * 3);
    for (char b : bytes) {
        const auto v = static_cast<unsigned char>(b);
        text += NibbleToHex(v >> 4);
        text += NibbleToHex(v & 0x0F);
        text += QLatin1Char(' ');
    }
    return text;
}

std::optional<QByteArray> HexTextToBytes(const QString& text) { return pairsToBytes(text, 3); }

QByteArray HexPairsToBytes(const QString& text) { return pairsToBytes(text, 3).value_or(QByteArray()); }

std::optional<QByteArray> PackedHexToBytes(const QString& text) { return pairsToBytes(text, 2); }

qint64 roundHalfEven(double value)
{
    // nearbyint rounds in the current mode, which is to nearest, ties to even.
    // A value no 64-bit count holds (an infinite product, not a number) has
    // no conversion: it is held at a bound every caller refuses.
    constexpr double Bound = 4.0e18;
    if (std::isnan(value))
        return 0;
    if (value >= Bound || value <= -Bound)
        return value > 0 ? static_cast<qint64>(Bound) : -static_cast<qint64>(Bound);
    return static_cast<qint64>(std::nearbyint(value));
}

// The product is taken in single precision, as the frequency is held: 50.1
// (held as 50.0999984…) then gives exactly 50,100,000 Hz, where the wider
// product would give 50,099,998.
qint64 wholeHz(float mhz)
{
    const float hz = mhz * 1'000'000.0f;
    return roundHalfEven(static_cast<double>(hz));
}

qint64 tensOfHz(float mhz)
{
    const float tens = mhz * 100'000.0f;
    return roundHalfEven(static_cast<double>(tens));
}

float hzToMHz(qint64 hz)
{
    qint64 tens = hz / 10;
    const qint64 rest = hz % 10;
    if (rest > 5 || (rest == 5 && (tens % 2) != 0))
        ++tens;
    return static_cast<float>(static_cast<double>(tens) / 100'000.0);
}

std::optional<qint64> decimalNumber(QByteArrayView text)
{
    qsizetype first = 0, last = text.size();
    while (first < last && text[first] == ' ')
        ++first;
    while (last > first && text[last - 1] == ' ')
        --last;
    if (first == last || last - first > 18)
        return std::nullopt;
    qint64 value = 0;
    for (qsizetype i = first; i < last; ++i) {
        const char c = text[i];
        if (c < '0' || c > '9')
            return std::nullopt;
        value = value * 10 + (c - '0');
    }
    return value;
}

QByteArray zeroPadded(qint64 value, int width)
{
    QByteArray digits = QByteArray::number(value < 0 ? 0 : value);
    if (digits.size() < width)
        digits.prepend(QByteArray(width - digits.size(), '0'));
    return digits;
}

QString frequencyCaption(float mhz)
{
    QString text = QString::number(static_cast<double>(mhz), 'f', 5);
    if (text.startsWith(QStringLiteral("0.")))
        text.remove(0, 1);
    else if (text.startsWith(QStringLiteral("-0.")))
        text.remove(1, 1);
    return text;
}

}  // namespace radio

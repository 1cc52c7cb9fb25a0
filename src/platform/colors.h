#pragma once
// Colours are stored the way the preferences file has always held them: a
// 32-bit value 0x00BBGGRR (red in the low byte).

#include <QColor>

namespace platform {

[[nodiscard]] inline QColor vbColorToQColor(qint32 value)
{
    return QColor(value & 0xFF, (value >> 8) & 0xFF, (value >> 16) & 0xFF);
}

[[nodiscard]] inline qint32 qColorToVbColor(const QColor& color)
{
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

[[nodiscard]] constexpr qint32 rgb(int r, int g, int b) { return r | (g << 8) | (b << 16); }

}  // namespace platform

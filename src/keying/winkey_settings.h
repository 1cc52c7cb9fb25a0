#pragma once
// The WinKey window's settings file, WK.txt in the per-user Zivudaduri
// folder: the port number, the texts of the speed, weight, lead-in, tail
// and ratio boxes, the pin configuration and the keyer mode, one per line.
// Older files end after the ratio; the last two then keep their defaults.
//
// Also the rule every settings box of the window follows: its text is taken
// when it reads as a number within the box's range, handed over as a byte.

#include <QByteArray>
#include <QString>
#include <optional>

namespace keying {

struct WinKeySettings {
    int WinKeyComPort = 0;
    QString txtWKWPM = QStringLiteral("18");
    QString txtWeight = QStringLiteral("50");
    QString txtLeadIn = QStringLiteral("0");
    QString txtTail = QStringLiteral("0");
    QString txtRatio = QStringLiteral("50");
    int WinKeyPinConfig = 6;
    int WinKeyKeyerMode = 0;
};

/// How far a read of WK.txt came.
enum class WinKeyFileRead {
    Missing,   ///< no file: nothing was read
    Complete,  ///< the port and the five texts, and the last two where present
    Broken,    ///< short or a value of the wrong kind: what came before it was read
};

/// Reads bytes as WK.txt into settings; values after a failure keep what
/// settings held.
WinKeyFileRead readWinKeySettings(const QByteArray& bytes, WinKeySettings& settings);
WinKeyFileRead readWinKeySettingsFile(const QString& path, WinKeySettings& settings);

/// The eight lines of WK.txt; the texts are written as they are.
[[nodiscard]] QByteArray formatWinKeySettings(const WinKeySettings& settings);

/// A box's text as a number: nullopt when it does not read as one.
[[nodiscard]] std::optional<double> winKeyBoxNumber(const QString& text);

/// The byte a box hands over: the number rounded (halves to even) when it
/// lies within low..high, nullopt when the text is no number or outside.
[[nodiscard]] std::optional<int> boxByte(const QString& text, int low, int high);

}  // namespace keying

#include "keying/winkey_settings.h"

#include "platform/file_system.h"
#include "platform/number_text.h"
#include "platform/safe_file.h"
#include "platform/settings_stream.h"

#include <cmath>

namespace keying {

namespace {

/// A byte line: a number that rounds to 0..255.
std::optional<int> readByte(platform::SettingsReader& reader)
{
    const auto v = reader.readWhole(0, 255);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

}  // namespace

WinKeyFileRead readWinKeySettings(const QByteArray& bytes, WinKeySettings& s)
{
    platform::SettingsReader reader(bytes, platform::TextAfterQuote::Kept);
    const auto port = readByte(reader);
    if (!port)
        return WinKeyFileRead::Broken;
    s.WinKeyComPort = *port;
    for (QString* box : {&s.txtWKWPM, &s.txtWeight, &s.txtLeadIn, &s.txtTail, &s.txtRatio}) {
        const auto text = reader.readText();
        if (!text)
            return WinKeyFileRead::Broken;
        *box = *text;
    }
    // Files written before the pin and mode settings end here.
    for (int* value : {&s.WinKeyPinConfig, &s.WinKeyKeyerMode}) {
        if (reader.onlyBlankLinesLeft())
            return WinKeyFileRead::Complete;
        const auto b = readByte(reader);
        if (!b)
            return WinKeyFileRead::Broken;
        *value = *b;
    }
    return WinKeyFileRead::Complete;
}

WinKeyFileRead readWinKeySettingsFile(const QString& path, WinKeySettings& settings)
{
    if (!platform::fileExists(path))
        return WinKeyFileRead::Missing;
    const auto bytes = platform::readWholeFile(path);
    if (!bytes)
        return WinKeyFileRead::Broken;
    return readWinKeySettings(*bytes, settings);
}

QByteArray formatWinKeySettings(const WinKeySettings& s)
{
    platform::SettingsWriter w;
    w.integer(s.WinKeyComPort).endLine();
    for (const QString* box : {&s.txtWKWPM, &s.txtWeight, &s.txtLeadIn, &s.txtTail, &s.txtRatio})
        w.text(*box).endLine();
    w.integer(s.WinKeyPinConfig).endLine();
    w.integer(s.WinKeyKeyerMode).endLine();
    return w.bytes();
}

std::optional<double> winKeyBoxNumber(const QString& text) { return platform::typedNumber(text); }

std::optional<int> boxByte(const QString& text, int low, int high)
{
    const auto v = winKeyBoxNumber(text);
    if (!v || !(*v >= low && *v <= high))
        return std::nullopt;
    return static_cast<int>(std::nearbyint(*v));
}

}  // namespace keying

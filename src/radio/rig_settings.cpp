#include "radio/rig_settings.h"

#include "platform/settings_stream.h"

#include <cmath>
#include <optional>

namespace radio {

QString fixedWidth(const QString& text, int width)
{
    return text.left(width).leftJustified(width, QLatin1Char(' '));
}

QByteArray formatRigSettings(const RigSettings& s)
{
    platform::SettingsWriter w;
    w.text(s.Baud).endLine();
    w.text(s.Parity).endLine();
    w.text(s.DataBits).endLine();
    w.text(s.StopBits).endLine();
    w.text(s.ModeQuery).endLine();
    w.text(s.FrequencyQuery).endLine();
    w.text(s.PortSettings).endLine();
    w.integer(s.Port).endLine();
    w.text(s.Power).endLine();
    w.text(s.PollRate).endLine();
    w.text(s.RigType).endLine();
    w.integer(s.ConvertToHex).endLine();
    w.integer(s.UseFrequency).endLine();
    w.integer(s.ModeBy).endLine();
    if (!s.PegasusFolder.isEmpty())
        w.text(s.PegasusFolder).endLine();
    return w.bytes();
}

namespace {

/// A whole number within [low, high], as the file's numeric fields must be.
std::optional<int> wholeNumber(platform::SettingsReader& r, int low, int high)
{
    const auto v = r.readWhole(low, high);
    return v ? std::optional<int>(static_cast<int>(*v)) : std::nullopt;
}

}  // namespace

int parseRigSettings(const QByteArray& bytes, RigSettings& s)
{
    platform::SettingsReader r(bytes, platform::TextAfterQuote::Kept);
    int count = 0;
    const auto text = [&](QString& field, int width) {
        const auto v = r.readText();
        if (!v)
            return false;
        field = width > 0 ? fixedWidth(*v, width) : *v;
        ++count;
        return true;
    };
    const auto number = [&](int& field, int low, int high) {
        const auto v = wholeNumber(r, low, high);
        if (!v)
            return false;
        field = *v;
        ++count;
        return true;
    };
    // The port number is a byte; the three boxes are small numbers.
    (void)(text(s.Baud, 5) && text(s.Parity, 1) && text(s.DataBits, 1) && text(s.StopBits, 1) &&
           text(s.ModeQuery, 0) && text(s.FrequencyQuery, 0) && text(s.PortSettings, 0) &&
           number(s.Port, 0, 255) && text(s.Power, 1) && text(s.PollRate, 1) && text(s.RigType, 0) &&
           number(s.ConvertToHex, -32768, 32767) && number(s.UseFrequency, -32768, 32767) &&
           number(s.ModeBy, -32768, 32767));
    s.PegasusFolder.clear();
    if (count == 14)
        (void)text(s.PegasusFolder, 0);
    return count;
}

}  // namespace radio

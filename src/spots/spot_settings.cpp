#include "spots/spot_settings.h"

#include "platform/settings_stream.h"


namespace spots {

std::optional<SpotSettings> readSpotSettings(const QByteArray& bytes)
{
    platform::SettingsReader r(bytes, platform::TextAfterQuote::Kept);
    SpotSettings s;
    const std::optional<SpotSettings> result;
    auto text = [&](QString& into) {
        auto v = r.readText();
        if (!v)
            return false;
        into = *v;
        return true;
    };
    if (!text(s.Baud) || !text(s.Parity) || !text(s.DataBits) || !text(s.StopBits))
        return result;
    const auto port = r.readWhole(0, 255);
    if (!port)
        return result;
    s.Port = static_cast<quint8>(*port);
    if (!text(s.Power) || !text(s.ConnectionType))
        return result;
    const auto hex = r.readWhole(-32768, 32767);
    if (!hex)
        return result;
    s.ConvertToHex = static_cast<qint16>(*hex);
    const auto handshaking = r.readWhole(0, 255);
    if (!handshaking)
        return result;
    s.Handshaking = static_cast<quint8>(*handshaking);
    const auto dxOnly = r.readWhole(-32768, 32767);
    if (!dxOnly)
        return result;
    s.ListDxOnly = static_cast<qint16>(*dxOnly);
    const auto list = r.readBool();
    if (!list)
        return result;
    s.ListDisplay = *list;
    if (!text(s.TncCommandHex) || !text(s.TelnetPort) || !text(s.TelnetHost))
        return result;
    return s;
}

QByteArray formatSpotSettings(const SpotSettings& s)
{
    platform::SettingsWriter w;
    w.text(s.Baud).endLine();
    w.text(s.Parity).endLine();
    w.text(s.DataBits).endLine();
    w.text(s.StopBits).endLine();
    w.integer(s.Port).endLine();
    w.text(s.Power).endLine();
    w.text(s.ConnectionType).endLine();
    w.integer(s.ConvertToHex).endLine();
    w.integer(s.Handshaking).endLine();
    w.integer(s.ListDxOnly).endLine();
    w.boolean(s.ListDisplay).endLine();
    w.text(s.TncCommandHex).endLine();
    w.text(s.TelnetPort).endLine();
    w.text(s.TelnetHost).endLine();
    return w.bytes();
}

}  // namespace spots

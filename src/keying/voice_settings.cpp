#include "keying/voice_settings.h"

#include "platform/settings_stream.h"

#include <cmath>

namespace keying {

std::optional<double> boxNumber(const QString& text)
{
    const QString t = text.trimmed();
    if (t.startsWith(QLatin1String("&H"), Qt::CaseInsensitive)) {
        bool ok = false;
        const qlonglong v = t.mid(2).toLongLong(&ok, 16);
        if (!ok || t.size() > 18)
            return std::nullopt;
        return static_cast<double>(v);
    }
    const auto v = platform::parseNumber(t);
    if (!v || !std::isfinite(*v))
        return std::nullopt;
    return v;
}

std::optional<int> repeatIntervalMs(const QString& seconds)
{
    const auto s = boxNumber(seconds);
    if (!s || *s < 0 || *s >= 60)
        return std::nullopt;
    return static_cast<int>(std::lround(*s * 1000.0));
}

QByteArray voiceSettingsFileBytes(const PhoneWindowSettings& s)
{
    platform::SettingsWriter w;
    for (int i = 0; i < 9; ++i)
        w.text(s.wavePathsAndPttPort[i].trimmed()).endLine();
    w.text(s.wavePathsAndPttPort[9]).endLine();
    w.integer(s.pttLineOption == 1 || s.pttLineOption == 2 ? s.pttLineOption : 0).endLine();
    w.text(s.txtPHLoop).endLine();
    w.text(s.parallelAddress).endLine();
    return w.bytes();
}

}  // namespace keying

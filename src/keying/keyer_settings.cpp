#include "keying/keyer_settings.h"

#include "keying/morse.h"
#include "platform/settings_stream.h"

#include <cmath>

namespace keying {

namespace {
int toMs(double seconds)
{
    const double ms = std::round(seconds * 1000.0);
    if (!(ms >= 0) || ms > 2147483647.0)
        return 0;
    return static_cast<int>(ms);
}
}  // namespace

int LoadCWSettings(const QString& path, CwWindowSettings& s, int& CWKeyingOption)
{
    auto reader = platform::SettingsReader::open(path, platform::TextAfterQuote::Kept);
    if (!reader)
        return 0;
    int count = 0;
    auto text = [&](QString& into) {
        auto v = reader->readText();
        if (!v)
            return false;
        into = *v;
        ++count;
        return true;
    };
    for (int i = 0; i < 9; ++i) {
        if (!text(s.messagesF1ToF9[i]))
            return count;
    }
    if (s.messagesF1ToF9[8].isEmpty())
        s.messagesF1ToF9[8] = QStringLiteral("VVV DE ");
    if (!text(s.serialPort) || !text(s.speed))
        return count;
    // The speed keyed, as the window will show it.
    s.speed = keyedSpeedText(s.speed);
    if (!text(s.messageF10) || !text(s.messageF11) || !text(s.txtSpace))
        return count;
    auto option = reader->readNumber();
    // The keying interface is a byte; a number outside it is refused, not
    // converted into whatever an out-of-range cast happens to give.
    if (!option || !(std::nearbyint(*option) >= 0 && std::nearbyint(*option) <= 255))
        return count;
    CWKeyingOption = static_cast<int>(std::nearbyint(*option));
    ++count;
    if (!text(s.parallelAddress))
        return count;
    auto check = reader->readNumber();
    if (!check)
        return count;
    s.showTextOnMain = *check != 0 ? 1 : 0;
    ++count;
    if (!text(s.txtCWLoop))
        return count;
    s.repeatIntervalMs = toMs(platform::parseNumber(s.txtCWLoop).value_or(0));
    // Only a whole file selects the interface's button; a short one leaves
    // None selected even when it held the interface's number.
    s.keyingOptionButton = CWKeyingOption;
    return count;
}

bool readVoiceKeyerSettings(platform::SettingsReader& reader, PhoneWindowSettings& s)
{
    for (QString& t : s.wavePathsAndPttPort) {
        auto v = reader.readText();
        if (!v)
            return false;
        t = *v;
    }
    auto line = reader.readNumber();
    if (!line)
        return false;
    s.pttLineOption = (*line == 0 || *line == 1 || *line == 2) ? static_cast<int>(*line) : -1;
    auto loop = reader.readText();
    if (!loop)
        return false;
    s.txtPHLoop = *loop;
    auto seconds = platform::parseNumber(*loop);
    if (!seconds && !loop->trimmed().isEmpty())
        return false;
    s.repeatIntervalMs = toMs(seconds.value_or(0));
    auto address = reader.readText();
    if (!address)
        return false;
    s.parallelAddress = *address;
    return true;
}

}  // namespace keying

#include "app/station_prefs.h"

#include "platform/settings_stream.h"

#include <cmath>
#include <functional>
#include <limits>

namespace app {

namespace {

using platform::SettingsReader;

bool readText(SettingsReader& r, QString& into)
{
    auto v = r.readText();
    if (!v)
        return false;
    into = *v;
    return true;
}

bool readSingle(SettingsReader& r, float& into)
{
    auto v = r.readNumber();
    if (!v || std::abs(*v) > std::numeric_limits<float>::max())
        return false;
    into = static_cast<float>(*v);
    return true;
}

bool readUtcOffset(SettingsReader& r, float& into)
{
    auto v = r.readNumber();
    if (!v || !isUsableUtcOffset(*v))
        return false;
    into = static_cast<float>(*v);
    return true;
}

bool readByte(SettingsReader& r, quint8& into)
{
    const auto v = r.readWhole(0, 255);
    if (!v)
        return false;
    into = static_cast<quint8>(*v);
    return true;
}

bool readLong(SettingsReader& r, qint32& into)
{
    const auto v = r.readWhole(std::numeric_limits<qint32>::min(), std::numeric_limits<qint32>::max());
    if (!v)
        return false;
    into = static_cast<qint32>(*v);
    return true;
}

}  // namespace

QByteArray formatStationPrefs(const StationPrefs& p)
{
    platform::SettingsWriter w;
    w.text(p.MyCall).endLine();
    w.text(p.MySPC).endLine();
    w.text(p.MyCountry).endLine();
    w.text(p.MyArrlSection).endLine();
    w.text(p.MyName).endLine();
    w.text(p.MyCategory).endLine();
    w.text(p.MyCounty).endLine();
    w.text(p.MyCity).endLine();
    w.text(p.CurrentMode).endLine();
    w.text(p.CurrentBand).endLine();
    w.single(p.UtcOffsetHours).endLine();
    w.single(p.MyLongitude).endLine();
    w.single(p.MyLatitude).endLine();
    w.text(p.MyContinent).endLine();
    w.integer(p.FormSizePercent).endLine();
    w.integer(p.WorkedMultColor).endLine();
    w.integer(p.RemainingMultColor).endLine();
    w.single(p.BankedOpSeconds).endLine();
    w.text(p.PartyState).endLine();
    w.integer(p.OutOfStateFlag).endLine();
    w.integer(p.RoverFlag).endLine();
    w.integer(p.VoiceNavLevel).endLine();
    w.text(p.RigType).endLine();
    w.integer(p.TaskbarDisplay).endLine();
    w.integer(p.ListPreviousFlag).endLine();
    return w.bytes();
}

int readStationPrefs(SettingsReader& r, StationPrefs& p)
{
    const std::function<bool()> steps[StationPrefCount] = {
        [&] { return readText(r, p.MyCall); },
        [&] { return readText(r, p.MySPC); },
        [&] { return readText(r, p.MyCountry); },
        [&] { return readText(r, p.MyArrlSection); },
        [&] { return readText(r, p.MyName); },
        [&] { return readText(r, p.MyCategory); },
        [&] { return readText(r, p.MyCounty); },
        [&] { return readText(r, p.MyCity); },
        [&] { return readText(r, p.CurrentMode); },
        [&] { return readText(r, p.CurrentBand); },
        [&] { return readUtcOffset(r, p.UtcOffsetHours); },
        [&] { return readSingle(r, p.MyLongitude); },
        [&] { return readSingle(r, p.MyLatitude); },
        [&] { return readText(r, p.MyContinent); },
        [&] { return readByte(r, p.FormSizePercent); },
        [&] { return readLong(r, p.WorkedMultColor); },
        [&] { return readLong(r, p.RemainingMultColor); },
        [&] { return readSingle(r, p.BankedOpSeconds); },
        [&] { return readText(r, p.PartyState); },
        [&] { return readByte(r, p.OutOfStateFlag); },
        [&] { return readByte(r, p.RoverFlag); },
        [&] { return readByte(r, p.VoiceNavLevel); },
        [&] { return readText(r, p.RigType); },
        [&] { return readByte(r, p.TaskbarDisplay); },
        [&] { return readByte(r, p.ListPreviousFlag); },
    };
    int n = 0;
    for (const auto& step : steps) {
        if (!step())
            break;
        ++n;
    }
    return n;
}

}  // namespace app

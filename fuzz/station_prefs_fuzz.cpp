// QSOpref.txt, the station preferences: what reads back must write and
// read back the same.

#include "app/station_prefs.h"
#include "fuzz_input.h"
#include "platform/settings_stream.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    platform::SettingsReader reader(fuzzing::bytesOf(data, size));
    app::StationPrefs prefs;
    if (app::readStationPrefs(reader, prefs) != app::StationPrefCount)
        return 0;
    platform::SettingsReader again(app::formatStationPrefs(prefs));
    app::StationPrefs back;
    if (app::readStationPrefs(again, back) != app::StationPrefCount)
        std::abort();
    return 0;
}

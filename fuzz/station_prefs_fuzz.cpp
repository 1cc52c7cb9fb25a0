// QSOpref.txt, the station preferences, read as the program reads them (a
// value with a stray quote kept whole): what reads back must write and read
// back the same, and a byte-order mark in front changes nothing read.

#include "app/station_prefs.h"
#include "fuzz_input.h"
#include "platform/settings_stream.h"
#include "settings_check.h"

#include <cstdlib>

using fuzzing::require;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const QByteArray bytes = fuzzing::bytesOf(data, size);
    platform::SettingsReader reader(bytes, platform::TextAfterQuote::Kept);
    app::StationPrefs prefs;
    const int count = app::readStationPrefs(reader, prefs);
    const QByteArray mark("\xEF\xBB\xBF");
    if (!bytes.startsWith(mark)) {
        platform::SettingsReader marked(mark + bytes, platform::TextAfterQuote::Kept);
        app::StationPrefs withMark;
        require(app::readStationPrefs(marked, withMark) == count && withMark == prefs);
    }
    if (count != app::StationPrefCount)
        return 0;
    platform::SettingsReader again(app::formatStationPrefs(prefs), platform::TextAfterQuote::Kept);
    app::StationPrefs back;
    if (app::readStationPrefs(again, back) != app::StationPrefCount)
        std::abort();
    return 0;
}

#include "app/app_state.h"

#include "platform/file_system.h"
#include "platform/safe_file.h"
#include "platform/settings_stream.h"

namespace app {

QString ProgramFolders::programFile(const QString& name) const
{
    return platform::pathIn(ProgramFolder, name);
}

bool SaveQSOPref(AppState& state)
{
    const auto result = platform::writeFileSafely(state.folders.programFile(QStringLiteral("QSOpref.txt")),
                                                  formatStationPrefs(state.prefs));
    if (result.ok) {
        state.prefsWriteFailureShown = false;
        return true;
    }
    if (!state.prefsWriteFailureShown) {
        state.prefsWriteFailureShown = true;
        state.services.prompt.message(
            QStringLiteral("The preferences could not be saved to QSOpref.txt in the working directory:\n") +
                result.error,
            QStringLiteral("File Error"), platform::MsgIcon::Exclamation);
    }
    return false;
}

bool readQSOPref(AppState& state)
{
    auto reader = platform::SettingsReader::open(state.folders.programFile(QStringLiteral("QSOpref.txt")),
                                                 platform::TextAfterQuote::Kept);
    if (!reader)
        return false;
    return readStationPrefs(*reader, state.prefs) == StationPrefCount;
}

}  // namespace app

#include "app/closing.h"

#include "app/app_state.h"
#include "keying/keying_state.h"
#include "log/rates_clock.h"
#include "platform/file_system.h"

#include <QDir>

namespace app {

bool closeRequestRefused(keying::KeyingState& keying)
{
    keying.CWSendBuffer.clear();
    return keying.CWSendingFlag == 1;
}

void stopKeyingForGood(keying::KeyingState& keying)
{
    keying.programEnding = true;
    keying.CWSendBuffer.clear();
    keying.CWRepeatArmed = 0;
    keying.VoiceRepeatArmed = 0;
}

contactlog::BackupResult BackupLog(AppState& state)
{
    const ProgramFolders& f = state.folders;
    const contactlog::LogPaths paths{f.programFile(QStringLiteral("log.txt")),
                                     platform::pathIn(f.UserDataFolder, QStringLiteral("BACKUP"))};
    const auto result = contactlog::BackupLog(state.log, paths, state.services.clock.now());
    QDir::setCurrent(f.ProgramFolder);
    return result;
}

bool bankRunningOperatingTime(AppState& state)
{
    if (!contactlog::bankRunningClock(state.log, state.prefs.BankedOpSeconds))
        return false;
    SaveQSOPref(state);
    return true;
}

}  // namespace app

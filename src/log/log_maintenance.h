#pragma once
// Work on the log as a whole: automatic backup, new log, archive and
// restore. The windows ask the operator (message boxes, the typed YES, file
// dialogs) and call these operations; nothing here shows anything.
//
// Safety rules kept by every operation: log.txt is only ever replaced
// whole (temporary file, then rename), and a non-empty log.txt is copied
// into the backup folder before a new log erases it or a restore replaces it.

#include "log/log_state.h"
#include "platform/safe_file.h"

#include <QDate>
#include <QDateTime>
#include <QString>

namespace contactlog {

/// Where the log and its copies live.
struct LogPaths {
    QString logFile;       ///< log.txt in the program folder
    QString backupFolder;  ///< UserDataFolder/BACKUP
};

/// The automatic backup's file name for a local moment: "yyyymmddhhnn.log".
[[nodiscard]] QString backupFileName(const QDateTime& localNow);

/// The archive dialog's offered path: backupFolder/<stem><yyyy-mm-dd>.log,
/// where stem is the station call's file-name stem.
[[nodiscard]] QString defaultArchivePath(const QString& backupFolder, const QString& callStem,
                                         const QDate& localToday);

/// The file dialogs' filter ("Log Files (*.log) | *.log").
[[nodiscard]] QString logFileFilter();

enum class BackupOutcome { Skipped, Copied, Failed };
struct BackupResult {
    BackupOutcome outcome = BackupOutcome::Skipped;
    QString path;   ///< the copy written
    QString error;  ///< the system's description on failure
};

/// BackupLog: when ContactCount differs from ContactCountAtLoad and is above
/// 0, copies log.txt into the backup folder (created when missing) as
/// backupFileName(localNow), replacing a copy of the same minute. Silent:
/// the caller shows nothing.
BackupResult BackupLog(const LogState& state, const LogPaths& paths, const QDateTime& localNow);

/// Copies a non-empty log.txt into the backup folder before it is erased or
/// replaced. Named like an automatic backup; when a different file already
/// has that name the copy gets "-2", "-3", … before ".log". Skipped when
/// log.txt is missing or empty.
BackupResult backupBeforeReplacing(const LogPaths& paths, const QDateTime& localNow);

/// True when the answer typed into the new-log box confirms it ("YES" in any letter case).
[[nodiscard]] bool confirmsNewLog(const QString& answer);
/// The new-log input box's title and prompt.
[[nodiscard]] QString newLogTitle();
[[nodiscard]] QString newLogPrompt();

struct MaintenanceResult {
    bool ok = false;
    QString error;       ///< the system's description of the failure
    QString backupPath;  ///< the copy made before, if any
};

/// NewLog after the typed YES: backs the log up (the automatic backup, or a
/// safety copy of a non-empty file), zeroes OperatingSeconds and
/// bankedOpSeconds (a running clock keeps running), empties log.txt safely
/// (creating it when missing) and empties the memory log and its totals.
/// When the backup or the write fails nothing is erased and nothing zeroed.
/// The caller then saves the preferences and reloads.
[[nodiscard]] MaintenanceResult eraseLogForNewLog(LogState& state, float& bankedOpSeconds,
                                                  const LogPaths& paths, const QDateTime& localNow);

/// "Yes" to "Open existing log?": a missing log.txt becomes an empty one, so
/// the first load starts an empty log instead of failing.
[[nodiscard]] platform::FileWriteResult prepareExistingLog(const LogPaths& paths);

/// Archive: copies log.txt to target (the path the save dialog returned).
/// The memory log is not touched. The caller shows a failure in a box
/// titled "Error Archiving Log" with the error as its text.
[[nodiscard]] platform::FileWriteResult archiveLog(const LogPaths& paths, const QString& target);

/// Restore: checks that source reads as a log, copies a non-empty current
/// log.txt into the backup folder, then copies source over log.txt safely.
/// On failure log.txt is unchanged; the caller shows the error in a box
/// titled "Error Restoring Log" and does not reload. On success the caller
/// reloads the log.
[[nodiscard]] MaintenanceResult restoreLog(const LogPaths& paths, const QString& source,
                                           const QDateTime& localNow);

/// The boxes' texts of the archive and restore items.
[[nodiscard]] QString archiveInfoTitle();
[[nodiscard]] QString archiveInfoText();
[[nodiscard]] QString restoreInfoTitle();
[[nodiscard]] QString restoreInfoText();
[[nodiscard]] QString restoreConfirmTitle();
[[nodiscard]] QString restoreConfirmText();
[[nodiscard]] QString openExistingLogTitle();
[[nodiscard]] QString openExistingLogText();
/// "Error opening file." (title "File Error"): the log at logPath cannot be
/// read. The text goes on with the file and why it cannot be opened (missing,
/// a folder, not readable), or with the line at which it stops reading, so
/// the operator can mend that line in an editor.
[[nodiscard]] QString logUnreadableText(const QString& logPath);
/// The longer text shown when rebuilding the totals fails.
[[nodiscard]] QString recountFailedText();

}  // namespace contactlog

#include "log/log_maintenance.h"

#include "log/log_totals.h"
#include "platform/file_system.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace contactlog {

namespace {
// The backup folder, created when missing; the error when it cannot be.
std::optional<QString> ensureFolder(const QString& folder)
{
    if (platform::folderExists(folder))
        return std::nullopt;
    return platform::createFolderLevel(folder);
}

BackupResult copyInto(const LogPaths& paths, const QString& name)
{
    BackupResult result;
    if (auto error = ensureFolder(paths.backupFolder)) {
        result.outcome = BackupOutcome::Failed;
        result.error = *error;
        return result;
    }
    result.path = platform::pathIn(paths.backupFolder, name);
    const auto copied = platform::copyFileSafely(paths.logFile, result.path);
    result.outcome = copied.ok ? BackupOutcome::Copied : BackupOutcome::Failed;
    result.error = copied.error;
    return result;
}
}  // namespace

QString backupFileName(const QDateTime& localNow)
{
    return localNow.toString(QStringLiteral("yyyyMMddHHmm")) + QStringLiteral(".log");
}

QString defaultArchivePath(const QString& backupFolder, const QString& callStem, const QDate& localToday)
{
    return platform::joinPath(backupFolder,
                              callStem + localToday.toString(QStringLiteral("yyyy-MM-dd")) + QStringLiteral(".log"));
}

QString logFileFilter() { return QStringLiteral("Log Files (*.log) | *.log"); }

BackupResult BackupLog(const LogState& state, const LogPaths& paths, const QDateTime& localNow)
{
    const int count = state.contacts.ContactCount();
    if (static_cast<float>(count) == state.contacts.ContactCountAtLoad || count <= 0)
        return {};
    return copyInto(paths, backupFileName(localNow));
}

BackupResult backupBeforeReplacing(const LogPaths& paths, const QDateTime& localNow)
{
    const auto current = platform::readWholeFile(paths.logFile);
    if (!current || current->isEmpty())
        return {};
    // Never overwrite a different copy made the same minute: that copy may be
    // the only one left of another log.
    const QString stem = localNow.toString(QStringLiteral("yyyyMMddHHmm"));
    QString name = stem + QStringLiteral(".log");
    for (int suffix = 2; suffix < 1000; ++suffix) {
        const auto existing = platform::existingPath(platform::joinPath(paths.backupFolder, name));
        if (!existing)
            break;
        if (platform::readWholeFile(*existing) == current) {
            BackupResult same;
            same.outcome = BackupOutcome::Copied;
            same.path = *existing;
            return same;
        }
        name = stem + QStringLiteral("-") + QString::number(suffix) + QStringLiteral(".log");
    }
    return copyInto(paths, name);
}

bool confirmsNewLog(const QString& answer) { return answer.toUpper() == QStringLiteral("YES"); }

QString newLogTitle() { return QStringLiteral("WARNING - Your existing log file will be ERASED!"); }

QString newLogPrompt()
{
    return QStringLiteral("Are you sure that you want to start a new log file?  This function will ERASE the "
                          "existing log file!\n\nTo verify that you want to start a new log file, please type: YES");
}

MaintenanceResult eraseLogForNewLog(LogState& state, float& bankedOpSeconds, const LogPaths& paths,
                                    const QDateTime& localNow)
{
    MaintenanceResult result;
    BackupResult backup = BackupLog(state, paths, localNow);
    if (backup.outcome != BackupOutcome::Copied)
        backup = backupBeforeReplacing(paths, localNow);
    if (backup.outcome == BackupOutcome::Failed) {
        result.error = QStringLiteral("The log could not be backed up before erasing it: ") + backup.error;
        return result;
    }
    result.backupPath = backup.path;
    const auto written = platform::writeFileSafely(paths.logFile, QByteArray());
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    state.OperatingSeconds = 0;
    bankedOpSeconds = 0;
    state.contacts.clear();
    state.totals = {};
    state.MultiplierCount = 0;
    result.ok = true;
    return result;
}

platform::FileWriteResult prepareExistingLog(const LogPaths& paths)
{
    if (QFileInfo::exists(paths.logFile))
        return {true, {}};
    return platform::writeFileSafely(paths.logFile, QByteArray());
}

platform::FileWriteResult archiveLog(const LogPaths& paths, const QString& target)
{
    return platform::copyFileSafely(paths.logFile, target);
}

MaintenanceResult restoreLog(const LogPaths& paths, const QString& source, const QDateTime& localNow)
{
    MaintenanceResult result;
    const auto bytes = platform::readWholeFile(source);
    if (!bytes) {
        QFile file(source);
        file.open(QIODevice::ReadOnly);
        result.error = file.errorString();
        return result;
    }
    // A file that does not read as a log would end the program at the
    // reload and leave log.txt unreadable; refuse it here instead.
    const LogReadResult parsed = parseLogFile(*bytes);
    if (!parsed.ok()) {
        result.error = parsed.error == LogReadError::TooMany
                           ? QStringLiteral("The file %1 holds more than 11,000 contacts.").arg(source)
                           : QStringLiteral("The file %1 is not a readable log.").arg(source);
        return result;
    }
    const BackupResult backup = backupBeforeReplacing(paths, localNow);
    if (backup.outcome == BackupOutcome::Failed) {
        result.error = QStringLiteral("The current log could not be backed up: ") + backup.error;
        return result;
    }
    result.backupPath = backup.path;
    const auto written = platform::writeFileSafely(paths.logFile, *bytes);
    if (!written.ok) {
        result.error = written.error;
        return result;
    }
    result.ok = true;
    return result;
}

QString archiveInfoTitle() { return QStringLiteral("Archive Information"); }

QString archiveInfoText()
{
    return QStringLiteral("This function is used to create a permanent copy of your currently open log file.  "
                          "To open your log file at a later date, click File > Restore from Archive or Backup.");
}

QString restoreInfoTitle() { return QStringLiteral("Opening Archived Data Information"); }

QString restoreInfoText()
{
    return QStringLiteral("This action will open an archived log or backup file and creates a working file called "
                          "log.txt.  If you make any changes to your archived data that you would like to "
                          "permanently save, before you click File > New to start a new contest, be sure to click "
                          "File > Archive to save your changes.");
}

QString restoreConfirmTitle() { return QStringLiteral("Are your sure?"); }

QString restoreConfirmText()
{
    return QStringLiteral("Are you sure that you want to open an archived log?  This action will clear and replace "
                          "existing QSO data.");
}

QString openExistingLogTitle() { return QStringLiteral("Open existing log?"); }

QString openExistingLogText()
{
    return QStringLiteral("Do you want to continue an existing contest? (Yes opens your existing log, No erases any "
                          "existing log and starts a new log.)");
}

QString logUnreadableText(const QString& logPath)
{
    QString text = QStringLiteral("Error opening file.");
    QString why;
    const auto bytes = platform::readTextFile(logPath, &why);
    if (!bytes)
        return text + QStringLiteral("\n\nThe log %1 cannot be opened (%2).  It must be a file this program may read: "
                                     "mend that, then start the program again.")
                          .arg(QDir::toNativeSeparators(logPath), why);
    const int line = firstUnreadableLine(*bytes);
    if (line > 0)
        text += QStringLiteral("\n\nThe log cannot be read from line %1 of %2 on.  Mend that line with a text "
                               "editor, then start the program again.")
                    .arg(line)
                    .arg(QDir::toNativeSeparators(logPath));
    return text;
}

QString recountFailedText()
{
    return QStringLiteral(
        "Error opening file.  This error is annoying but probably correctable.  In all likelihood, a character such "
        "as a quote got into your data or one of your entries has an invalid date/time format.  Close this program "
        "and open log.txt in the program's working directory with a text editor such as notepad.  Inspect the data "
        "and fix any errors you see (remove any extra quotes and make sure your date and time entries are valid).");
}

}  // namespace contactlog

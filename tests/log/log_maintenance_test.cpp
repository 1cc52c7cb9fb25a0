#include "log/log_maintenance.h"
#include "log/log_totals.h"
#include "log_test_helpers.h"
#include "support/test_support.h"

#include <QDir>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using namespace contactlog;
using namespace testing_support;

namespace {
struct MaintenanceFixture : ::testing::Test {
    QTemporaryDir dir;
    LogPaths paths{dir.filePath("log.txt"), dir.filePath("user/BACKUP")};
    LogState state;
    QDateTime now{QDate(2021, 10, 2), QTime(9, 5, 41)};

    void SetUp() override { QDir(dir.path()).mkpath("user"); }
    QByteArray logWith(int contacts)
    {
        ContactLog log;
        for (int i = 0; i < contacts; ++i)
            (void)log.add(logtest::contact(QStringLiteral("K6A%1").arg(i), "1"));
        return formatLogFile(log);
    }
    QStringList backups() const { return QDir(paths.backupFolder).entryList(QDir::Files, QDir::Name); }
};
}  // namespace

TEST_F(MaintenanceFixture, NamesAndTexts)
{
    EXPECT_EQ(backupFileName(QDateTime(QDate(2021, 10, 2), QTime(17, 5, 59))), "202110021705.log");
    EXPECT_EQ(backupFileName(QDateTime(QDate(2021, 1, 2), QTime(3, 4))), "202101020304.log");
    EXPECT_EQ(defaultArchivePath("/u/BACKUP", "K6AA", QDate(2021, 10, 2)), "/u/BACKUP/K6AA2021-10-02.log");
    EXPECT_TRUE(confirmsNewLog("yes"));
    EXPECT_TRUE(confirmsNewLog("YeS"));
    EXPECT_FALSE(confirmsNewLog(" YES"));
    EXPECT_FALSE(confirmsNewLog(""));
    EXPECT_TRUE(newLogPrompt().contains("log file!\n\nTo verify"));
}

TEST_F(MaintenanceFixture, AutomaticBackupOnlyWhenTheLogChanged)
{
    writeBytes(paths.logFile, logWith(3));
    ASSERT_EQ(LoadLog(state.contacts, paths.logFile), LogReadError::None);
    EXPECT_EQ(BackupLog(state, paths, now).outcome, BackupOutcome::Skipped);  // unchanged since the load
    ASSERT_TRUE(state.contacts.add(logtest::contact("W1AW", "1")));
    const BackupResult first = BackupLog(state, paths, now);
    ASSERT_EQ(first.outcome, BackupOutcome::Copied);  // the folder is created on the way
    writeBytes(paths.logFile, logWith(4));
    ASSERT_EQ(BackupLog(state, paths, now.addSecs(10)).outcome, BackupOutcome::Copied);
    EXPECT_EQ(backups(), QStringList{"202110020905.log"});  // the later copy of the minute
    EXPECT_EQ(readBytes(first.path), logWith(4));
    state.contacts.clear();
    EXPECT_EQ(BackupLog(state, paths, now).outcome, BackupOutcome::Skipped);  // empty log
}

TEST_F(MaintenanceFixture, NewLogKeepsACopyOfAnyNonEmptyLog)
{
    // At start-up nothing is loaded yet (both counts 0), yet the old log is kept.
    writeBytes(paths.logFile, logWith(2));
    state.OperatingSeconds = 500;
    state.TimedOnFlag = 1;
    float banked = 400;
    const MaintenanceResult r = eraseLogForNewLog(state, banked, paths, now);
    ASSERT_TRUE(r.ok);
    EXPECT_EQ(readBytes(r.backupPath), logWith(2));
    EXPECT_TRUE(QFile::exists(paths.logFile));
    EXPECT_TRUE(readBytes(paths.logFile).isEmpty());
    EXPECT_EQ(banked, 0.0f);
    EXPECT_EQ(state.OperatingSeconds, 0.0f);
    EXPECT_EQ(state.TimedOnFlag, 1);  // a running clock keeps running

    // A different log erased within the same minute does not overwrite that copy.
    writeBytes(paths.logFile, logWith(5));
    const MaintenanceResult again = eraseLogForNewLog(state, banked, paths, now);
    ASSERT_TRUE(again.ok);
    EXPECT_EQ(backups(), (QStringList{"202110020905-2.log", "202110020905.log"}));
    EXPECT_EQ(readBytes(again.backupPath), logWith(5));
}

TEST_F(MaintenanceFixture, NewLogThatCannotBackUpErasesNothing)
{
    writeBytes(paths.logFile, logWith(2));
    writeBytes(dir.filePath("user/BACKUP"), "a file where the folder should be");
    float banked = 400;
    const MaintenanceResult r = eraseLogForNewLog(state, banked, paths, now);
    EXPECT_FALSE(r.ok);
    EXPECT_FALSE(r.error.isEmpty());
    EXPECT_EQ(readBytes(paths.logFile), logWith(2));
    EXPECT_EQ(banked, 400.0f);
}

TEST_F(MaintenanceFixture, OpeningAnExistingLogThatIsMissingStartsAnEmptyOne)
{
    ASSERT_TRUE(prepareExistingLog(paths).ok);
    ASSERT_TRUE(QFile::exists(paths.logFile));
    EXPECT_EQ(ReloadAndRecount(state, paths.logFile), LogReadError::None);
    EXPECT_EQ(state.contacts.ContactCount(), 0);
    writeBytes(paths.logFile, logWith(1));
    ASSERT_TRUE(prepareExistingLog(paths).ok);
    EXPECT_EQ(readBytes(paths.logFile), logWith(1));  // an existing log is left alone
}

TEST_F(MaintenanceFixture, ArchiveAndRestore)
{
    writeBytes(paths.logFile, logWith(3));
    const QString archive = dir.filePath("K6AA2021-10-02.log");
    ASSERT_TRUE(archiveLog(paths, archive).ok);
    EXPECT_EQ(readBytes(archive), logWith(3));
    EXPECT_FALSE(archiveLog(paths, dir.filePath("nope/x.log")).ok);

    writeBytes(paths.logFile, logWith(7));
    const MaintenanceResult restored = restoreLog(paths, archive, now);
    ASSERT_TRUE(restored.ok);
    EXPECT_EQ(readBytes(paths.logFile), logWith(3));
    EXPECT_EQ(readBytes(restored.backupPath), logWith(7));  // the replaced log is kept

    // A file that is not a log, or one that is missing, leaves log.txt as it was.
    const QString junk = dir.filePath("junk.log");
    writeBytes(junk, "\"only\",\"three\",\"values\"\r\n");
    MaintenanceResult refused = restoreLog(paths, junk, now);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.isEmpty());
    refused = restoreLog(paths, dir.filePath("missing.log"), now);
    EXPECT_FALSE(refused.ok);
    EXPECT_FALSE(refused.error.isEmpty());
    EXPECT_EQ(readBytes(paths.logFile), logWith(3));
}

// After every change the program makes to log.txt, the file still loads,
// starting from a log with blank lines at its end (which load accepts).
TEST_F(MaintenanceFixture, EveryChangeLeavesALoadableLog)
{
    auto loads = [&](int expected) {
        ContactLog check;
        ASSERT_EQ(LoadLog(check, paths.logFile), LogReadError::None);
        EXPECT_EQ(check.ContactCount(), expected);
    };
    auto logOne = [&](const QString& call) {
        ASSERT_TRUE(state.contacts.add(logtest::contact(call, "5")));
        ASSERT_TRUE(AppendContact(state.contacts, state.contacts.ContactCount(), paths.logFile).ok);
    };
    writeBytes(paths.logFile, logWith(3) + "\r\n\r\n");
    ASSERT_EQ(LoadLog(state.contacts, paths.logFile), LogReadError::None);
    logOne("W6AA");
    loads(4);

    state.contacts.recordForEdit(2).LogCall = "N6ED";
    ASSERT_TRUE(RewriteLog(state.contacts, paths.logFile).ok);
    loads(4);
    ASSERT_TRUE(DeleteContact(state.contacts, 1, paths.logFile).ok);
    loads(3);

    const QString archived = dir.filePath("archived.log");
    writeBytes(archived, logWith(2) + "\r\n");
    ASSERT_TRUE(restoreLog(paths, archived, now).ok);
    ASSERT_EQ(LoadLog(state.contacts, paths.logFile), LogReadError::None);
    logOne("W6BB");
    loads(3);

    float banked = 0;
    ASSERT_TRUE(eraseLogForNewLog(state, banked, paths, now).ok);
    loads(0);
    logOne("W6CC");
    loads(1);
}

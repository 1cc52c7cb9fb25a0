#include "app/app_state.h"
#include "app/closing.h"
#include "keying/keying_state.h"
#include "support/test_support.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace testing_support;

namespace {

struct ClosingFixture : ::testing::Test {
    ProgramFolderFixture fx;

    void SetUp() override { fx.fakes.clock.set(QDate(2026, 10, 3), QTime(21, 7, 42), -7 * 3600); }

    void logContacts(int n)
    {
        for (int i = 0; i < n; ++i) {
            contactlog::ContactRecord r;
            r.LogCall = QStringLiteral("K%1AA").arg(i);
            ASSERT_TRUE(fx.state.log.contacts.add(r));
        }
    }

    QString backupFolder() const { return fx.state.folders.UserDataFolder + QStringLiteral("/BACKUP"); }
    QStringList backups() const { return QDir(backupFolder()).entryList(QDir::Files); }
};

}  // namespace

TEST(CloseRequest, EmptiesTheSendBufferAndIsRefusedOnlyWhileThePortSenderRuns)
{
    struct Case {
        int sendingFlag;
        int keyingOption;
        bool refused;
    };
    const Case cases[] = {{1, 1, true}, {1, 3, true}, {0, 1, false}, {0, 5, false}};
    for (const Case& c : cases) {
        keying::KeyingState k;
        k.CWSendBuffer = QStringLiteral("CQ ZQP");
        k.CWSendingFlag = c.sendingFlag;
        k.CWKeyingOption = c.keyingOption;
        EXPECT_EQ(app::closeRequestRefused(k), c.refused) << c.sendingFlag << c.keyingOption;
        EXPECT_TRUE(k.CWSendBuffer.isEmpty());
    }
}

TEST_F(ClosingFixture, ChangedLogIsCopiedIntoTheBackupFolderUnderTheTime)
{
    const QByteArray content = "\"K0AA\",\"\"\r\n\"K1AA\",\"\"\r\n";
    writeBytes(fx.path(QStringLiteral("log.txt")), content);
    logContacts(2);
    QDir::setCurrent(fx.state.folders.UserDataFolder);
    const auto result = app::BackupLog(fx.state);
    EXPECT_EQ(result.outcome, contactlog::BackupOutcome::Copied);
    EXPECT_EQ(backups(), QStringList{QStringLiteral("202610032107.log")});
    EXPECT_EQ(readBytes(backupFolder() + QStringLiteral("/202610032107.log")), content);
    EXPECT_EQ(QDir::currentPath(), QDir(fx.state.folders.ProgramFolder).canonicalPath());
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST_F(ClosingFixture, NoBackupOfAnEmptyOrUnchangedLog)
{
    writeBytes(fx.path(QStringLiteral("log.txt")), "x");
    EXPECT_EQ(app::BackupLog(fx.state).outcome, contactlog::BackupOutcome::Skipped);
    logContacts(3);
    fx.state.log.contacts.ContactCountAtLoad = 3;
    EXPECT_EQ(app::BackupLog(fx.state).outcome, contactlog::BackupOutcome::Skipped);
    EXPECT_TRUE(backups().isEmpty());
}

TEST_F(ClosingFixture, RunningClockIsBankedAndSavedOnce)
{
    fx.state.log.TimedOnFlag = 1;
    fx.state.log.OperatingSeconds = 3725;
    fx.state.prefs.BankedOpSeconds = 100;
    EXPECT_TRUE(app::bankRunningOperatingTime(fx.state));
    EXPECT_EQ(fx.state.log.TimedOnFlag, 0);
    EXPECT_FLOAT_EQ(fx.state.prefs.BankedOpSeconds, 3725);
    app::AppState reread(fx.services);
    reread.folders = fx.state.folders;
    ASSERT_TRUE(app::readQSOPref(reread));
    EXPECT_FLOAT_EQ(reread.prefs.BankedOpSeconds, 3725);

    // The clock is stopped now: a second banking writes nothing.
    QFile::remove(fx.path(QStringLiteral("QSOpref.txt")));
    EXPECT_FALSE(app::bankRunningOperatingTime(fx.state));
    EXPECT_FALSE(QFile::exists(fx.path(QStringLiteral("QSOpref.txt"))));
}

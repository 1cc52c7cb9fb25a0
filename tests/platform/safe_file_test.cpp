#include "platform/file_system.h"
#include "platform/safe_file.h"
#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cerrno>
#include <cstring>
#include <gtest/gtest.h>

using namespace testing_support;

TEST(SafeFile, ReplacesWholeAndKeepsOldFileOnFailure)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("QSOpref.txt"));
    ASSERT_TRUE(platform::writeFileSafely(path, "first\r\n").ok);
    ASSERT_TRUE(platform::writeFileSafely(path, "second\r\n").ok);
    EXPECT_EQ(readBytes(path), QByteArray("second\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 1);  // no temporary left

    // A folder that cannot be written: the write fails, is described, and
    // the old file stays whole.
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    if (platform::writeFileSafely(dir.filePath(QStringLiteral("probe")), "x").ok)
        GTEST_SKIP() << "running with rights that ignore folder permissions";
    const auto result = platform::writeFileSafely(path, "third\r\n");
    QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(result.error.isEmpty());
    EXPECT_EQ(readBytes(path), QByteArray("second\r\n"));
}

TEST(SafeFile, MissingFolderIsAFailure)
{
    QTemporaryDir dir;
    const auto result = platform::writeFileSafely(dir.filePath(QStringLiteral("nope/file.txt")), "x");
    EXPECT_FALSE(result.ok);
    EXPECT_FALSE(platform::appendToFile(dir.filePath(QStringLiteral("nope/log.txt")), "x").ok);
}

TEST(FileSystem, NamesAreFoundWithLetterCaseIgnored)
{
    QTemporaryDir dir;
    QDir(dir.path()).mkpath(QStringLiteral("ostrel software/Shared"));
    writeBytes(dir.filePath(QStringLiteral("CW.txt")), "x");
    EXPECT_EQ(platform::pathIn(dir.path(), QStringLiteral("cw.txt")), dir.filePath(QStringLiteral("CW.txt")));
    EXPECT_EQ(platform::pathIn(dir.path(), QStringLiteral("new.txt")), dir.filePath(QStringLiteral("new.txt")));
    EXPECT_TRUE(platform::folderExists(dir.filePath(QStringLiteral("Ostrel Software/shared"))));
    EXPECT_EQ(platform::existingPath(dir.filePath(QStringLiteral("OSTREL SOFTWARE/SHARED"))),
              dir.filePath(QStringLiteral("ostrel software/Shared")));
    EXPECT_FALSE(platform::fileExists(dir.filePath(QStringLiteral("ostrel software"))));
}

#include "platform/prompt.h"

TEST(FileDialogFilter, PairsBecomeQtFilters)
{
    EXPECT_EQ(platform::qtFileFilter(QStringLiteral("Log Files (*.log) | *.log")), QStringLiteral("Log Files (*.log)"));
    EXPECT_EQ(platform::qtFileFilter(QStringLiteral("ADIF|*.adi|All|*.*")), QStringLiteral("ADIF (*.adi);;All (*.*)"));
    EXPECT_EQ(platform::qtFileFilter(QStringLiteral("Text (*.txt)")), QStringLiteral("Text (*.txt)"));
}

// A failed write is described by the system's reason, not a generic text.
TEST(SafeFile, AFullDiskIsNamed)
{
    if (!QFile::exists(QStringLiteral("/dev/full")))
        GTEST_SKIP() << "no /dev/full here";
    const auto result = platform::appendToFile(QStringLiteral("/dev/full"), "\"K6AA\"\r\n");
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QString::fromLocal8Bit(strerror(ENOSPC)));
}

TEST(SafeFile, ARewriteThatRunsOutOfRoomKeepsTheOldFile)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("log.txt"));
    ASSERT_TRUE(platform::writeFileSafely(path, "old\r\n").ok);
    platform::FileWriteResult result;
    {
        FileSizeLimit limit(10);
        result = platform::writeFileSafely(path, QByteArray(100, 'x'));
    }
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(result.error, QString::fromLocal8Bit(strerror(EFBIG)));
    EXPECT_EQ(readBytes(path), QByteArray("old\r\n"));
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("log.txt")});
}

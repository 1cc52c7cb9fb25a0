#include "app/user_folders.h"
#include "platform/prompt.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {
struct Env {
    QTemporaryDir dir;
    app::UserFolderEnvironment env;
    platform::ScriptedPrompt prompt;
    Env()
    {
        QDir(dir.path()).mkpath(QStringLiteral("profile"));
        QDir(dir.path()).mkpath(QStringLiteral("appdata"));
        env.profile = dir.filePath(QStringLiteral("profile"));
        env.appData = dir.filePath(QStringLiteral("appdata"));
        env.driveRoot = dir.path();
    }
    QString p(const QString& rel) const { return dir.filePath(rel); }
};
}  // namespace

TEST(UserFolders, ProfileWithoutDocumentsGetsMyDocumentsAndBothSubfolders)
{
    Env e;
    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Zivudaduri"), e.env, e.prompt);
    QString again;
    app::GetUserFolder(again, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Shared"), e.env, e.prompt);
    EXPECT_EQ(base, e.p(QStringLiteral("profile/My Documents/Ostrel Software")));
    EXPECT_EQ(again, base);
    EXPECT_TRUE(QDir(base + QStringLiteral("/Zivudaduri")).exists());
    EXPECT_TRUE(QDir(base + QStringLiteral("/Shared")).exists());
    EXPECT_TRUE(e.prompt.shown().empty());
}

TEST(UserFolders, DocumentsFolderIsUsedAndExistingSpellingKept)
{
    Env e;
    QDir(e.dir.path()).mkpath(QStringLiteral("profile/Documents/ostrel software"));
    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Shared"), e.env, e.prompt);
    EXPECT_EQ(base, e.p(QStringLiteral("profile/Documents/ostrel software")));
    EXPECT_FALSE(QDir(e.p(QStringLiteral("profile/My Documents"))).exists());
    EXPECT_TRUE(QDir(base + QStringLiteral("/Shared")).exists());
}

TEST(UserFolders, NoProfileUsesTheDriveRoot)
{
    Env e;
    e.env.profile.clear();
    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Zivudaduri"), e.env, e.prompt);
    EXPECT_EQ(base, e.p(QStringLiteral("My Documents/Ostrel Software")));
    EXPECT_TRUE(QDir(base + QStringLiteral("/Zivudaduri")).exists());
}

TEST(UserFolders, UnusableProfileFallsBackToApplicationData)
{
    Env e;
    // A profile that is a file cannot hold a documents folder.
    e.env.profile = e.p(QStringLiteral("profile-file"));
    QFile f(e.env.profile);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.close();
    QString base;
    app::GetUserFolder(base, QStringLiteral("\\Ostrel Software"), QStringLiteral("\\Shared"), e.env, e.prompt);
    EXPECT_EQ(base, e.p(QStringLiteral("appdata/Ostrel Software")));
    EXPECT_TRUE(e.prompt.shown().empty());  // the silent attempt stays silent
}

TEST(UserFolders, CreateFolderReportsByItsFlag)
{
    Env e;
    app::CreateFolder(QString(), 0, e.prompt);
    ASSERT_EQ(e.prompt.shown().size(), 1u);
    EXPECT_EQ(e.prompt.shown()[0].text, QStringLiteral("Invalid Path"));
    EXPECT_EQ(e.prompt.shown()[0].title, QStringLiteral("Unable to Create Directory"));

    app::CreateFolder(e.p(QStringLiteral("no/parent")), 0, e.prompt);
    EXPECT_EQ(e.prompt.shown().size(), 1u);
    app::CreateFolder(e.p(QStringLiteral("no/parent")), 1, e.prompt);
    ASSERT_EQ(e.prompt.shown().size(), 2u);
    EXPECT_EQ(e.prompt.shown()[1].title, QStringLiteral("Unable to create directory."));
    EXPECT_TRUE(e.prompt.shown()[1].text.endsWith(QStringLiteral("  ") + e.p(QStringLiteral("no/parent"))));
    EXPECT_FALSE(QDir(e.p(QStringLiteral("no"))).exists());
}

#include "app/user_folders.h"

#include "platform/file_system.h"
#include "platform/prompt.h"

#include <QDir>
#include <QStandardPaths>
#include <QtGlobal>

namespace app {

namespace {

QString folderName(const QString& name)
{
    QString n = name;
    while (n.startsWith(u'\\') || n.startsWith(u'/'))
        n.remove(0, 1);
    return n;
}

/// An existing folder's path in its real spelling, or the path as given.
QString realOrGiven(const QString& path) { return platform::existingPath(path).value_or(path); }

}  // namespace

UserFolderEnvironment UserFolderEnvironment::fromSystem()
{
    UserFolderEnvironment env;
    env.profile = qEnvironmentVariable("USERPROFILE");
    if (env.profile.isEmpty())
        env.profile = QDir::homePath() == QDir::rootPath() ? QString() : QDir::homePath();
    env.appData = qEnvironmentVariable("APPDATA");
    if (env.appData.isEmpty())
        env.appData = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
    env.driveRoot = QDir::rootPath();
    return env;
}

void CreateFolder(const QString& path, quint8 showMessages, platform::Prompt& prompt)
{
    if (path.isEmpty()) {
        prompt.message(QStringLiteral("Invalid Path"), QStringLiteral("Unable to Create Directory"));
        return;
    }
    if (platform::folderExists(path))
        return;
    if (auto error = platform::createFolderLevel(path); error && showMessages == 1)
        prompt.message(*error + QStringLiteral("  ") + path,
                       QStringLiteral("Unable to create directory."));
}

void GetUserFolder(QString& base, const QString& makerFolder, const QString& subFolder,
                   const UserFolderEnvironment& env, platform::Prompt& prompt)
{
    QString root;
    if (env.profile.isEmpty()) {
        root = platform::joinPath(env.driveRoot, QStringLiteral("My Documents"));
        if (!platform::folderExists(root))
            CreateFolder(root, 1, prompt);
    } else {
        const QString myDocuments = platform::joinPath(env.profile, QStringLiteral("My Documents"));
        const QString documents = platform::joinPath(env.profile, QStringLiteral("Documents"));
        // A profile's "Documents" folder answers for "My Documents" (as the
        // hidden alias of it does elsewhere), so no second documents folder
        // is made beside it.
        if (!platform::folderExists(myDocuments) && !platform::folderExists(documents))
            CreateFolder(myDocuments, 0, prompt);
        if (platform::folderExists(myDocuments))
            root = realOrGiven(myDocuments);
        else if (platform::folderExists(documents))
            root = realOrGiven(documents);
        else
            root = env.appData;
    }
    const QString maker = platform::joinPath(root, folderName(makerFolder));
    if (!platform::folderExists(maker))
        CreateFolder(maker, 1, prompt);
    const QString realMaker = realOrGiven(maker);
    const QString sub = platform::joinPath(realMaker, folderName(subFolder));
    if (!platform::folderExists(sub))
        CreateFolder(sub, 1, prompt);
    base = realMaker;
}

}  // namespace app

#pragma once
// The per-user data folders: the maker folder "Ostrel Software" inside the
// user's documents folder, with the subfolders "Zivudaduri" (backups,
// archives, keyer settings, default report locations) and "Shared" (shared
// preferences, shared tables, the splash picture).

#include <QString>

namespace platform {
class Prompt;
}

namespace app {

/// Where the documents folder is looked for. profile and appData stand for
/// the user's profile and application-data folders; driveRoot is the root
/// under which "My Documents" is made when there is no profile at all.
struct UserFolderEnvironment {
    QString profile;
    QString appData;
    QString driveRoot;

    /// USERPROFILE and APPDATA when set, else the home folder and the
    /// user's configuration folder; the root of the file system.
    static UserFolderEnvironment fromSystem();
};

/// Finds the documents root, creates makerFolder and makerFolder/subFolder
/// below it when missing, and sets base to root/makerFolder. The folder
/// names may be given with a leading backslash or slash.
void GetUserFolder(QString& base, const QString& makerFolder, const QString& subFolder,
                   const UserFolderEnvironment& env, platform::Prompt& prompt);

/// Creates the last level of path when it does not exist; with
/// showMessages == 1 a failure is reported.
void CreateFolder(const QString& path, quint8 showMessages, platform::Prompt& prompt);

}  // namespace app

#pragma once
// File-system questions asked the way the program has always asked them:
// a name is found when a listing of its folder shows it, letter case ignored.
// On a case-sensitive file system that means finding the entry's real
// spelling, so "cw.txt" and "CW.txt" are one file, as the program expects.

#include <QString>
#include <optional>

namespace platform {

/// The real name of the entry of folder dir whose name equals name, letter
/// case ignored; hidden entries are not seen. nullopt when there is none.
[[nodiscard]] std::optional<QString> findEntry(const QString& dir, const QString& name);

/// The path of an existing file or folder given with any letter case, in its
/// real spelling; nullopt when it does not exist.
[[nodiscard]] std::optional<QString> existingPath(const QString& path);

/// dir/name in the spelling of an existing entry, or as given when none exists.
[[nodiscard]] QString pathIn(const QString& dir, const QString& name);

/// True when path names an existing folder (letter case ignored).
[[nodiscard]] bool folderExists(const QString& path);
/// True when path names an existing file (letter case ignored).
[[nodiscard]] bool fileExists(const QString& path);

/// Creates the last level of path; its parent must exist. On failure returns
/// the system's description.
[[nodiscard]] std::optional<QString> createFolderLevel(const QString& path);

/// Joins a folder and a name with one separator.
[[nodiscard]] QString joinPath(const QString& dir, const QString& name);

}  // namespace platform

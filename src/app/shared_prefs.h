#pragma once
// SharedUserPreferences.xml: station data for other programs to read, one
// element per key after an XML declaration, no root element, values written
// unescaped but never with a control character, in the 8-bit code page.
// The whole file is held in memory so that other programs' elements
// survive; this program only ever sets keys.

#include "platform/safe_file.h"

#include <QString>
#include <optional>

namespace app {

struct SharedPrefs {
    QString SharedPrefsText;  ///< the file content, without its final line break
    QString SharedPrefsPath;  ///< path of the last load or save
};

/// The declaration that starts a new file.
[[nodiscard]] QString sharedPrefsDeclaration();

/// Loads the file at path; a missing file starts a text holding only the
/// declaration. Only a final line break that is really there is removed.
void LoadPreferences(SharedPrefs& prefs, const QString& path);

/// Sets key's element (key is upper-cased in place) to value without its
/// control characters; nothing else in it is escaped. With save == 1 the
/// file is written, and the result of that write is returned.
std::optional<platform::FileWriteResult> SetPreference(SharedPrefs& prefs, QString& key,
                                                       const QString& value, quint8 save);

/// Writes the text and one final CR LF to path, safely.
[[nodiscard]] platform::FileWriteResult SavePreferences(SharedPrefs& prefs, const QString& path);

}  // namespace app

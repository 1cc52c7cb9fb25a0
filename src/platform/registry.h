#pragma once
// The program's registry values (application "Ostrel_Software"), kept in an
// ini file through QSettings. Tests give a file of their own.

#include <QString>
#include <memory>

class QSettings;

namespace platform {

class Registry {
public:
    /// The user's settings file of the application; a non-empty iniPath uses
    /// that file instead.
    explicit Registry(const QString& iniPath = {});
    ~Registry();

    [[nodiscard]] QString GetSetting(const QString& section, const QString& key,
                                     const QString& defaultValue = {}) const;
    /// Stores the value at once; false when the settings file could not be
    /// written.
    bool SaveSetting(const QString& section, const QString& key, const QString& value);

private:
    std::unique_ptr<QSettings> m_settings;
};

}  // namespace platform

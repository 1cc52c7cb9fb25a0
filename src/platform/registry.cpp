#include "platform/registry.h"

#include <QSettings>

namespace platform {

Registry::Registry(const QString& iniPath)
    : m_settings(iniPath.isEmpty()
                     ? std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope,
                                                   QStringLiteral("Ostrel_Software"),
                                                   QStringLiteral("Ostrel_Software"))
                     : std::make_unique<QSettings>(iniPath, QSettings::IniFormat))
{
}

Registry::~Registry() = default;

QString Registry::GetSetting(const QString& section, const QString& key,
                             const QString& defaultValue) const
{
    return m_settings->value(section + u'/' + key, defaultValue).toString();
}

bool Registry::SaveSetting(const QString& section, const QString& key, const QString& value)
{
    m_settings->setValue(section + u'/' + key, value);
    m_settings->sync();
    return m_settings->status() == QSettings::NoError;
}

}  // namespace platform

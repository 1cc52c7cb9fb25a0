#include "platform/file_system.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace platform {

QString joinPath(const QString& dir, const QString& name)
{
    if (dir.isEmpty())
        return name;
    QString n = name;
    while (n.startsWith(u'/') || n.startsWith(u'\\'))
        n.remove(0, 1);
    if (dir.endsWith(u'/'))
        return dir + n;
    return dir + u'/' + n;
}

std::optional<QString> findEntry(const QString& dir, const QString& name)
{
    if (name.isEmpty())
        return std::nullopt;
    const QDir d(dir.isEmpty() ? QStringLiteral(".") : dir);
    if (QFileInfo(d.filePath(name)).exists() && !name.startsWith(u'.'))
        return name;
    const QStringList entries =
        d.entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System);
    for (const QString& e : entries)
        if (e.compare(name, Qt::CaseInsensitive) == 0)
            return e;
    return std::nullopt;
}

std::optional<QString> existingPath(const QString& path)
{
    QString p = QDir::fromNativeSeparators(path);
    while (p.size() > 1 && p.endsWith(u'/'))
        p.chop(1);
    const QFileInfo info(p);
    if (info.exists())
        return p;
    const QString parent = info.path();
    if (parent == p)
        return std::nullopt;
    const auto realParent = existingPath(parent);
    if (!realParent)
        return std::nullopt;
    const auto entry = findEntry(*realParent, info.fileName());
    if (!entry)
        return std::nullopt;
    return joinPath(*realParent, *entry);
}

QString pathIn(const QString& dir, const QString& name)
{
    if (auto real = existingPath(joinPath(dir, name)))
        return *real;
    if (auto realDir = existingPath(dir))
        return joinPath(*realDir, name);
    return joinPath(dir, name);
}

bool folderExists(const QString& path)
{
    const auto p = existingPath(path);
    return p && QFileInfo(*p).isDir();
}

bool fileExists(const QString& path)
{
    const auto p = existingPath(path);
    return p && QFileInfo(*p).isFile();
}

std::optional<QString> createFolderLevel(const QString& path)
{
    const QByteArray native = QFile::encodeName(QDir::fromNativeSeparators(path));
    if (::mkdir(native.constData(), 0777) != 0)
        return QString::fromLocal8Bit(std::strerror(errno));
    return std::nullopt;
}

}  // namespace platform

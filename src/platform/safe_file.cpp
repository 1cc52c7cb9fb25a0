#include "platform/safe_file.h"

#include <QFile>
#include <QSaveFile>

namespace platform {

FileWriteResult writeFileSafely(const QString& path, const QByteArray& data)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return {false, file.errorString()};
    if (file.write(data) != data.size()) {
        const QString error = file.errorString();
        file.cancelWriting();
        return {false, error};
    }
    if (!file.commit())
        return {false, file.errorString()};
    return {true, {}};
}

FileWriteResult appendToFile(const QString& path, const QByteArray& data)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append))
        return {false, file.errorString()};
    if (file.write(data) != data.size() || !file.flush())
        return {false, file.errorString()};
    file.close();
    if (file.error() != QFileDevice::NoError)
        return {false, file.errorString()};
    return {true, {}};
}

FileWriteResult copyFileSafely(const QString& from, const QString& to)
{
    auto data = readWholeFile(from);
    if (!data) {
        QFile source(from);
        source.open(QIODevice::ReadOnly);
        return {false, source.errorString()};
    }
    return writeFileSafely(to, *data);
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

}  // namespace platform

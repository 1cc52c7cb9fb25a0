#pragma once
// What every fuzz target needs: the input as a file in a folder of its own,
// for readers that take a path.

#include <QByteArray>
#include <QFile>
#include <QString>
#include <QTemporaryDir>
#include <cstddef>
#include <cstdint>

namespace fuzzing {

inline QByteArray bytesOf(const uint8_t* data, size_t size)
{
    return QByteArray(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
}

/// A folder that lives as long as the fuzzing process, on shared memory when
/// the system has it, so writing each input costs no disk.
inline const QTemporaryDir& scratchFolder()
{
    static const QTemporaryDir dir(QFile::exists(QStringLiteral("/dev/shm")) ? QStringLiteral("/dev/shm/zqpfuzz-XXXXXX")
                                                                               : QString());
    return dir;
}

/// Writes the input to name in the scratch folder and returns its path.
inline QString inputFile(const QString& name, const uint8_t* data, size_t size)
{
    const QString path = scratchFolder().filePath(name);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Truncate))
        file.write(reinterpret_cast<const char*>(data), static_cast<qint64>(size));
    return path;
}

}  // namespace fuzzing

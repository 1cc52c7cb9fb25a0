#include "platform/safe_file.h"

#include <QFile>
#include <QFileInfo>

#include <atomic>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

// The file calls are made directly on the system so that every failure is
// described by the system's own reason ("No space left on device"), and so
// that an append that fails part-way can be cut back to where it began.

namespace platform {

namespace {

QString reason(int error) { return QString::fromLocal8Bit(std::strerror(error)); }

FileWriteResult failure(int error) { return {false, reason(error)}; }

QByteArray nativePath(const QString& path) { return QFile::encodeName(path); }

// Writes all of data at the file's current position; the system's error
// number on failure (0 on success). A short write with no error (the file
// size limit or a full disk reached exactly) is reported as a full disk.
int writeAll(int fd, const QByteArray& data)
{
    const char* p = data.constData();
    qsizetype left = data.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, static_cast<size_t>(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (n == 0)
            return ENOSPC;
        p += n;
        left -= n;
    }
    return 0;
}

int syncData(int fd)
{
    while (::fdatasync(fd) != 0) {
        if (errno == EINTR)
            continue;
        // Devices and pipes cannot be synced; what they took is all there is.
        if (errno == EINVAL || errno == EROFS)
            return 0;
        return errno;
    }
    return 0;
}

int closeFile(int fd)
{
    return ::close(fd) == 0 || errno == EINTR ? 0 : errno;
}

// Makes a rename inside the folder last through a power cut.
void syncFolder(const QString& path)
{
    const int fd = ::open(nativePath(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0)
        return;
    ::fsync(fd);
    ::close(fd);
}

std::atomic<unsigned> temporaryCounter{0};

}  // namespace

FileWriteResult writeFileSafely(const QString& path, const QByteArray& data)
{
    const QByteArray target = nativePath(path);
    struct stat old {};
    const bool hadFile = ::stat(target.constData(), &old) == 0;

    QByteArray temporary;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temporary = target + ".tmp" + QByteArray::number(::getpid()) + '-' +
                    QByteArray::number(temporaryCounter.fetch_add(1));
        fd = ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            return failure(errno);
    }
    if (fd < 0)
        return failure(EEXIST);
    if (hadFile)
        ::fchmod(fd, old.st_mode & 07777);

    int error = writeAll(fd, data);
    if (error == 0)
        error = syncData(fd);
    const int closeError = closeFile(fd);
    if (error == 0)
        error = closeError;
    if (error == 0 && ::rename(temporary.constData(), target.constData()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.constData());
        return failure(error);
    }
    syncFolder(path);
    return {true, {}};
}

FileWriteResult appendToFile(const QString& path, const QByteArray& data, qint64 from)
{
    const int fd = ::open(nativePath(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (fd < 0) {
        // Devices such as a full test disk may be writable only.
        const int writeOnly = ::open(nativePath(path).constData(), O_WRONLY | O_APPEND | O_CLOEXEC);
        if (writeOnly < 0)
            return failure(errno);
        int error = writeAll(writeOnly, data);
        const int closeError = closeFile(writeOnly);
        return error == 0 && closeError == 0 ? FileWriteResult{true, {}} : failure(error ? error : closeError);
    }
    struct stat st {};
    if (::fstat(fd, &st) != 0) {
        const int error = errno;
        ::close(fd);
        return failure(error);
    }
    int error = 0;
    if (!S_ISREG(st.st_mode)) {
        error = writeAll(fd, data);
    } else {
        const off_t oldSize = st.st_size;
        const off_t start = from >= 0 && from < oldSize ? static_cast<off_t>(from) : oldSize;
        // The bytes the new data goes over, kept to put back on failure.
        QByteArray tail(static_cast<qsizetype>(oldSize - start), Qt::Uninitialized);
        if (!tail.isEmpty() && ::pread(fd, tail.data(), static_cast<size_t>(tail.size()), start) != tail.size())
            error = errno ? errno : EIO;
        if (error == 0 && ::lseek(fd, start, SEEK_SET) < 0)
            error = errno;
        if (error == 0)
            error = writeAll(fd, data);
        const off_t newEnd = start + static_cast<off_t>(data.size());
        if (error == 0 && newEnd < oldSize && ::ftruncate(fd, newEnd) != 0)
            error = errno;
        if (error == 0)
            error = syncData(fd);
        if (error != 0) {
            // Part of the data may be in the file: put the file back as it
            // was, so the next append does not start in a broken line. The
            // old bytes go back where they stood, which needs no new room.
            if (::ftruncate(fd, oldSize) == 0 && !tail.isEmpty() && ::lseek(fd, start, SEEK_SET) >= 0)
                writeAll(fd, tail);
            syncData(fd);
        }
    }
    const int closeError = closeFile(fd);
    if (error == 0)
        error = closeError;
    return error == 0 ? FileWriteResult{true, {}} : failure(error);
}

FileWriteResult copyFileSafely(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return {false, source.errorString()};
    const QByteArray data = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return {false, source.errorString()};
    return writeFileSafely(to, data);
}

std::optional<QByteArray> readWholeFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    return file.readAll();
}

qsizetype byteOrderMarkSize(QByteArrayView bytes)
{
    return bytes.startsWith("\xEF\xBB\xBF") ? 3 : 0;
}

std::optional<QByteArray> readTextFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return std::nullopt;
    }
    bytes.remove(0, byteOrderMarkSize(bytes));
    return bytes;
}

}  // namespace platform

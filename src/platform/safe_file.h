#pragma once
// Writing files so that a crash, a full disk or a failing drive never leaves
// a half-written file behind: the new content goes to a temporary file in the
// same folder, which replaces the old file only once it is complete.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>
#include <optional>

namespace platform {

struct FileWriteResult {
    bool ok = false;
    QString error;  ///< the system's description of the failure
};

/// Replaces path with data, atomically. The old file stays as it was when
/// anything fails.
[[nodiscard]] FileWriteResult writeFileSafely(const QString& path, const QByteArray& data);

/// Appends data to path and has it on the disk before returning. With from
/// inside the file, the data is written there and what stood after it is
/// dropped (for replacing blank lines at the end). When the write fails
/// part-way, the file is put back exactly as it was; the error is the
/// system's description of the failure.
[[nodiscard]] FileWriteResult appendToFile(const QString& path, const QByteArray& data, qint64 from = -1);

/// Copies a file, replacing the target safely.
[[nodiscard]] FileWriteResult copyFileSafely(const QString& from, const QString& to);

/// The whole content of a file, byte for byte; nullopt when it cannot be read.
[[nodiscard]] std::optional<QByteArray> readWholeFile(const QString& path);

/// The length of the UTF-8 byte-order mark at the start of bytes: 3 when
/// there is one, else 0. Some editors put the mark at the start of every
/// file they save; it is no part of the text.
[[nodiscard]] qsizetype byteOrderMarkSize(QByteArrayView bytes);

/// The content of a text file without a byte-order mark at its start;
/// nullopt when it cannot be read (error, when given, then says why).
[[nodiscard]] std::optional<QByteArray> readTextFile(const QString& path, QString* error = nullptr);

}  // namespace platform

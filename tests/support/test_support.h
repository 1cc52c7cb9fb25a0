#pragma once
// What most tests need: a program folder of their own, scripted platform
// services, and small file helpers.

#include "app/app_state.h"
#include "platform/services.h"

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>

#include <ostream>

// Readable QString values in test failures.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

namespace testing_support {

/// Scripted prompts, a silent beeper, a manual clock, a design-size screen
/// and a registry file in a temporary folder.
struct FakeServices {
    FakeServices();
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper{false};
    platform::ManualClock clock;
    platform::FixedScreen screen;
    QTemporaryDir registryDir;
    std::unique_ptr<platform::Registry> registry;
    platform::Services services();
};

/// A temporary program folder that is the current directory while it lives,
/// with the per-user folders below it, and an AppState pointing at them.
class ProgramFolderFixture {
public:
    ProgramFolderFixture();
    ~ProgramFolderFixture();

    QString path(const QString& name) const;
    /// Copies a shipped table from data/ into the program folder.
    void copyShipped(const QString& name) const;

    FakeServices fakes;
    platform::Services services;
    app::AppState state;

private:
    QTemporaryDir m_dir;
    QString m_previousDir;
};

/// Writes lines joined and ended by CR LF.
void writeLines(const QString& path, const QStringList& lines);
void writeBytes(const QString& path, const QByteArray& bytes);
QByteArray readBytes(const QString& path);
QString sourceDir();

/// Limits how large this process may make a file while it lives, as a full
/// disk does: a write runs up to the limit and then fails ("File too large").
class FileSizeLimit {
public:
    explicit FileSizeLimit(long long bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    unsigned long long m_oldCurrent = 0;
    void (*m_oldHandler)(int) = nullptr;
};

}  // namespace testing_support

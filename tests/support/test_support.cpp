#include "support/test_support.h"

#include <QDir>
#include <QFile>
#include <stdexcept>
#include <csignal>
#include <sys/resource.h>

namespace testing_support {

FakeServices::FakeServices()
    : registry(std::make_unique<platform::Registry>(registryDir.filePath(QStringLiteral("registry.ini"))))
{
}

platform::Services FakeServices::services() { return {prompt, beeper, clock, screen, *registry}; }

ProgramFolderFixture::ProgramFolderFixture()
    : services(fakes.services()), state(services), m_previousDir(QDir::currentPath())
{
    if (!m_dir.isValid())
        throw std::runtime_error("no temporary folder");
    QDir::setCurrent(m_dir.path());
    auto& f = state.folders;
    f.ProgramFolder = m_dir.path();
    f.ProgramDrive = f.ProgramFolder.left(1);
    QDir(m_dir.path()).mkpath(QStringLiteral("user/Ostrel Software/Zivudaduri/BACKUP"));
    QDir(m_dir.path()).mkpath(QStringLiteral("user/Ostrel Software/Shared"));
    f.UserDataFolder = m_dir.filePath(QStringLiteral("user/Ostrel Software/Zivudaduri"));
    f.SharedDataFolder = m_dir.filePath(QStringLiteral("user/Ostrel Software/Shared"));
    app::LoadPreferences(state.sharedPrefs, f.SharedDataFolder + QStringLiteral("/SharedUserPreferences.xml"));
}

ProgramFolderFixture::~ProgramFolderFixture() { QDir::setCurrent(m_previousDir); }

QString ProgramFolderFixture::path(const QString& name) const { return m_dir.filePath(name); }

void ProgramFolderFixture::copyShipped(const QString& name) const
{
    QFile::remove(path(name));
    QFile::copy(sourceDir() + QStringLiteral("/data/") + name, path(name));
}

void writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile f(path);
    if (!f.open(QIODevice::WriteOnly))
        throw std::runtime_error("cannot write test file");
    f.write(bytes);
}

void writeLines(const QString& path, const QStringList& lines)
{
    QByteArray bytes;
    for (const QString& l : lines)
        bytes += l.toLatin1() + "\r\n";
    writeBytes(path, bytes);
}

QByteArray readBytes(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return f.readAll();
}

QString sourceDir() { return QStringLiteral(ZQP_SOURCE_DIR); }

FileSizeLimit::FileSizeLimit(long long bytes)
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    m_oldCurrent = limit.rlim_cur;
    // Going over the limit raises a signal that would end the test program.
    m_oldHandler = std::signal(SIGXFSZ, SIG_IGN);
    limit.rlim_cur = static_cast<rlim_t>(bytes);
    setrlimit(RLIMIT_FSIZE, &limit);
}

FileSizeLimit::~FileSizeLimit()
{
    rlimit limit{};
    getrlimit(RLIMIT_FSIZE, &limit);
    limit.rlim_cur = static_cast<rlim_t>(m_oldCurrent);
    setrlimit(RLIMIT_FSIZE, &limit);
    std::signal(SIGXFSZ, m_oldHandler);
}

}  // namespace testing_support

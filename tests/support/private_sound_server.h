#pragma once
// A sound server of the test's own, the same as the test command's
// (scripts/sound_server.sh: PipeWire with a null sink, spoken to through its
// PulseAudio protocol), for tests that do to the server what an operator's
// desktop may do to it while the suite's server goes on serving the other
// tests: stop it (SIGSTOP, a server that hangs), let it go on, or kill it
// (a device pulled out).

#include "support/test_support.h"

#include <QByteArray>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>

namespace testing_support {

class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        m_server.setProgram(sourceDir() + QStringLiteral("/scripts/sound_server.sh"));
        m_server.setArguments({m_dir.path()});
        m_server.setProcessChannelMode(QProcess::ForwardedChannels);
        m_server.start();
        if (m_server.waitForStarted(5000))
            (void)QTest::qWaitFor([this] { return !address().isEmpty() || m_server.state() == QProcess::NotRunning; },
                                  45000);
    }
    ~PrivateSoundServer() { kill(); }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    [[nodiscard]] bool running() const { return m_server.state() == QProcess::Running && !address().isEmpty(); }
    /// The address for PULSE_SERVER, once the server plays.
    [[nodiscard]] QByteArray address() const
    {
        QFile f(m_dir.filePath(QStringLiteral("address")));
        return f.open(QIODevice::ReadOnly) ? f.readAll().trimmed() : QByteArray();
    }
    /// The server stops answering: its socket still takes connections, as a
    /// hung server's does, and nothing comes back.
    void pause() { signalProtocolServer(SIGSTOP); }
    void resume() { signalProtocolServer(SIGCONT); }
    /// Kills the process its clients talk to, at once and without a word to
    /// them; the other servers then end with it.
    void kill()
    {
        if (m_server.state() == QProcess::NotRunning)
            return;
        resume();
        if (!signalProtocolServer(SIGKILL))
            m_server.terminate();
        if (!m_server.waitForFinished(10000)) {
            m_server.terminate();
            m_server.waitForFinished(10000);
        }
    }

private:
    /// The PulseAudio protocol server's process, from the pid file it writes.
    bool signalProtocolServer(int signalNumber)
    {
        QFile pidFile(m_dir.filePath(QStringLiteral("run/pulse/pid")));
        bool ok = false;
        const qint64 pid = pidFile.open(QIODevice::ReadOnly) ? pidFile.readAll().trimmed().toLongLong(&ok) : 0;
        if (!ok || pid <= 0)
            return false;
        return ::kill(static_cast<pid_t>(pid), signalNumber) == 0;
    }

    QTemporaryDir m_dir;
    QProcess m_server;
};

/// PULSE_SERVER set to another server for a scope.
class SoundServerAddress {
public:
    explicit SoundServerAddress(const QByteArray& address) : m_old(qgetenv("PULSE_SERVER"))
    {
        qputenv("PULSE_SERVER", address);
    }
    ~SoundServerAddress() { qputenv("PULSE_SERVER", m_old); }
    SoundServerAddress(const SoundServerAddress&) = delete;
    SoundServerAddress& operator=(const SoundServerAddress&) = delete;

private:
    QByteArray m_old;
};

}  // namespace testing_support

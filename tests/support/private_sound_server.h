#pragma once
// A sound server of the test's own with a null output, for tests that need
// to do to the server what an operator's desktop may do to it: stop it
// (SIGSTOP, a server that hangs), let it go on, or kill it. It is whichever
// server the machine has: PipeWire with its PulseAudio protocol server, or
// PulseAudio itself; the program speaks the same protocol to both.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <memory>
#include <vector>

namespace testing_support {

class PrivateSoundServer {
public:
    PrivateSoundServer()
    {
        const QString pipewire = QStandardPaths::findExecutable(QStringLiteral("pipewire"));
        const QString pipewirePulse = QStandardPaths::findExecutable(QStringLiteral("pipewire-pulse"));
        const QString pulseaudio = QStandardPaths::findExecutable(QStringLiteral("pulseaudio"));
        if (!pipewire.isEmpty() && !pipewirePulse.isEmpty())
            startPipeWire(pipewire, pipewirePulse);
        else if (!pulseaudio.isEmpty())
            startPulseAudio(pulseaudio);
        if (m_protocolServer)
            (void)QTest::qWaitFor([this] { return QFileInfo::exists(m_socket); }, 10000);
    }
    ~PrivateSoundServer()
    {
        resume();
        // The protocol server first: its clients see it go, as on a desktop.
        for (auto it = m_processes.rbegin(); it != m_processes.rend(); ++it) {
            (*it)->kill();
            (*it)->waitForFinished(5000);
        }
    }
    PrivateSoundServer(const PrivateSoundServer&) = delete;
    PrivateSoundServer& operator=(const PrivateSoundServer&) = delete;

    [[nodiscard]] bool running() const
    {
        return m_protocolServer && m_protocolServer->state() == QProcess::Running && QFileInfo::exists(m_socket);
    }
    [[nodiscard]] QByteArray address() const { return "unix:" + QFile::encodeName(m_socket); }
    /// The server stops answering: its socket still takes connections, as
    /// a hung server's does, and nothing comes back.
    void pause()
    {
        if (running())
            ::kill(static_cast<pid_t>(m_protocolServer->processId()), SIGSTOP);
    }
    void resume()
    {
        if (m_protocolServer && m_protocolServer->state() == QProcess::Running)
            ::kill(static_cast<pid_t>(m_protocolServer->processId()), SIGCONT);
    }

private:
    QProcess& process(const QString& program, const QStringList& arguments, const QProcessEnvironment& env)
    {
        auto p = std::make_unique<QProcess>();
        p->setProgram(program);
        p->setArguments(arguments);
        p->setProcessEnvironment(env);
        p->setStandardOutputFile(QProcess::nullDevice());
        p->setStandardErrorFile(QProcess::nullDevice());
        p->start();
        (void)p->waitForStarted(5000);
        m_processes.push_back(std::move(p));
        return *m_processes.back();
    }

    void startPipeWire(const QString& pipewire, const QString& pipewirePulse)
    {
        const QString runtime = m_dir.filePath(QStringLiteral("run"));
        const QString config = m_dir.filePath(QStringLiteral("config"));
        QDir().mkpath(runtime);
        QFile::setPermissions(runtime, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
        QDir().mkpath(config + QStringLiteral("/pipewire/pipewire.conf.d"));
        QFile sink(config + QStringLiteral("/pipewire/pipewire.conf.d/null-sink.conf"));
        if (!sink.open(QIODevice::WriteOnly))
            return;
        sink.write("context.objects = [\n"
                   "  { factory = adapter\n"
                   "    args = { factory.name = support.null-audio-sink node.name = \"test-null-sink\"\n"
                   "             media.class = \"Audio/Sink\" audio.position = [ FL FR ] object.linger = true } }\n"
                   "]\n");
        sink.close();
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_RUNTIME_DIR"), runtime);
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), config);
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.remove(QStringLiteral("PIPEWIRE_REMOTE"));
        env.remove(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"));
        process(pipewire, {}, env);
        (void)QTest::qWaitFor([&] { return QFileInfo::exists(runtime + QStringLiteral("/pipewire-0")); }, 5000);
        m_socket = runtime + QStringLiteral("/pulse/native");
        m_protocolServer = &process(pipewirePulse, {}, env);
    }

    void startPulseAudio(const QString& pulseaudio)
    {
        m_socket = m_dir.filePath(QStringLiteral("native"));
        m_protocolServer = &process(
            pulseaudio, {QStringLiteral("-n"), QStringLiteral("--daemonize=no"), QStringLiteral("--use-pid-file=no"),
                         QStringLiteral("--exit-idle-time=-1"), QStringLiteral("-L"), QStringLiteral("module-null-sink"),
                         QStringLiteral("-L"),
                         QStringLiteral("module-native-protocol-unix auth-anonymous=1 socket=") + m_socket},
            QProcessEnvironment::systemEnvironment());
    }

    QTemporaryDir m_dir;
    QString m_socket;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    QProcess* m_protocolServer = nullptr;
};

}  // namespace testing_support

#pragma once
// The program told to end by a real signal while it keys. The test program
// runs itself again as a child with one disabled test selected (the child's
// part): the child opens the main window and a keyer, installs the
// program's signal handling, says "READY" and keys; the parent sends the
// signal and reads what the child's line recorder saw, printed on the way
// out (the child prints only if it ended the program's own way).

#include "app/end_on_signal.h"
#include "platform/end_signals.h"
#include "platform/line_recorder.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QStringList>
#include <QThread>
#include <csignal>
#include <cstdio>
#include <vector>

namespace testing_support {

inline constexpr char EndSignalModeVariable[] = "ZQP_END_SIGNAL_CHILD";

/// The child's mode, empty in the parent.
inline QByteArray endSignalChildMode() { return qgetenv(EndSignalModeVariable); }

inline void printReady()
{
    std::printf("ZQP READY\n");
    std::fflush(stdout);
}

/// The child's last words: every line event, whether the program ended its
/// own way, and how many backup copies of the log there are.
inline void printOutcome(const platform::LineRecorder& recorder, bool ended, const QString& backupFolder)
{
    for (const auto& e : recorder.events()) {
        std::printf("ZQP LINE %d %d %lld\n", static_cast<int>(e.kind), e.value, static_cast<long long>(e.monotonicNs));
    }
    std::printf("ZQP ENDED %d BACKUPS %d\n", ended ? 1 : 0,
                static_cast<int>(QDir(backupFolder).entryList(QDir::Files).size()));
    std::fflush(stdout);
}

struct EndSignalRun {
    bool ready = false;
    bool exitedNormally = false;
    int exitCode = -1;
    std::int64_t signalNs = 0;
    bool ended = false;
    int backups = -1;
    std::vector<platform::LineEvent> events;
    QString output;

    /// The levels of one kind of line, with their times.
    [[nodiscard]] std::vector<platform::LineEvent> of(platform::LineEvent::Kind kind) const
    {
        std::vector<platform::LineEvent> out;
        for (const auto& e : events)
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
};

/// Runs the child test childTest in mode, sends signalNumber delayMs after
/// the child is ready, and reads its outcome.
inline EndSignalRun runChildAndSignal(const QString& childTest, const QByteArray& mode, int signalNumber,
                                      int delayMs)
{
    EndSignalRun run;
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QString::fromLatin1(EndSignalModeVariable), QString::fromLatin1(mode));
    child.setProcessEnvironment(env);
    child.setProgram(QCoreApplication::applicationFilePath());
    child.setArguments({QStringLiteral("--gtest_filter=") + childTest, QStringLiteral("--gtest_also_run_disabled_tests")});
    child.start();
    if (!child.waitForStarted(20000))
        return run;
    QByteArray out;
    while (!out.contains("ZQP READY\n") && child.state() == QProcess::Running) {
        child.waitForReadyRead(200);
        out += child.readAllStandardOutput();
    }
    run.ready = out.contains("ZQP READY\n");
    if (run.ready) {
        QThread::msleep(static_cast<unsigned long>(delayMs));
        run.signalNs = platform::monotonicNs();
        ::kill(static_cast<pid_t>(child.processId()), signalNumber);
    }
    if (!child.waitForFinished(60000)) {
        child.kill();
        child.waitForFinished();
    }
    out += child.readAllStandardOutput();
    run.output = QString::fromLocal8Bit(out) + QString::fromLocal8Bit(child.readAllStandardError());
    run.exitedNormally = child.exitStatus() == QProcess::NormalExit;
    run.exitCode = child.exitCode();
    for (const QByteArray& line : out.split('\n')) {
        const QList<QByteArray> w = line.split(' ');
        if (w.size() == 5 && w[0] == "ZQP" && w[1] == "LINE") {
            platform::LineEvent e;
            e.kind = static_cast<platform::LineEvent::Kind>(w[2].toInt());
            e.value = w[3].toInt();
            e.monotonicNs = w[4].toLongLong();
            run.events.push_back(e);
        } else if (w.size() == 5 && w[0] == "ZQP" && w[1] == "ENDED") {
            run.ended = w[2] == "1";
            run.backups = w[4].toInt();
        }
    }
    return run;
}

}  // namespace testing_support

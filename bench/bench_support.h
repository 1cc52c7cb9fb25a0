#pragma once
// What the benchmarks of whole windows share: a program folder of their own
// holding the county table, the program's services with stand-ins for
// prompts, beeps, the clock and a 1,600 by 1,000 pixel screen, and the state
// of a California party on 20 m CW; the contacts of a busy log; cluster
// spot lines; and the benchmark program's main.

#include "app/app_state.h"
#include "log/contact_log.h"
#include "platform/beeper.h"
#include "platform/clock.h"
#include "platform/prompt.h"
#include "platform/registry.h"
#include "platform/screen.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace bench_support {

struct BenchProgram {
    explicit BenchProgram(bool outOfState = true)
    {
        state.folders.ProgramFolder = dir.path();
        state.folders.UserDataFolder = dir.path();
        QDir::setCurrent(dir.path());
        QFile::copy(QStringLiteral(ZQP_SOURCE_DIR "/data/county2.txt"), path(QStringLiteral("county2.txt")));
        auto& p = state.prefs;
        p.CurrentMode = QStringLiteral("CW");
        p.CurrentBand = QStringLiteral("20");
        p.PartyState = QStringLiteral("CA");
        p.OutOfStateFlag = outOfState ? 1 : 0;
        p.FormSizePercent = 100;
        p.RigType = QStringLiteral("None");
        // The windows ask nothing that needs another answer.
        prompt.answer(platform::MsgResult::Yes);
    }
    [[nodiscard]] QString path(const QString& name) const { return dir.filePath(name); }

    QTemporaryDir dir;
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper{false};
    platform::ManualClock clock;
    platform::FixedScreen screen{{24000, 15000, {0, 0, 24000, 15000}}};
    platform::Registry registry{dir.filePath(QStringLiteral("registry.ini"))};
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState state{services};
};

/// Contact i of a busy log: call, serials, date, time, mode and band; the
/// county and frequency are left to each benchmark.
inline contactlog::ContactRecord benchContact(int i)
{
    static const char* const prefixes[] = {"K6", "W6", "N6", "KA6", "AA6", "KB6", "WB6", "N0", "W1", "VE3"};
    contactlog::ContactRecord r;
    r.LogCall = QString::fromLatin1(prefixes[i % 10]) + QChar(u'A' + (i / 10) % 26) + QChar(u'A' + (i / 260) % 26)
                + QChar(u'A' + (i / 6760) % 26);
    r.LogSerialRcvd = QString::number(i % 700 + 1);
    r.LogSerialSent = QStringLiteral("%1").arg(i + 1, 3, 10, QChar(u'0'));
    r.LogDate = QStringLiteral("2021/10/02");
    r.LogTime = QStringLiteral("16:%1:%2").arg(i / 60 % 60, 2, 10, QChar(u'0')).arg(i % 60, 2, 10, QChar(u'0'));
    r.LogMode = i % 2 ? QStringLiteral("PH") : QStringLiteral("CW");
    r.LogBand = QStringLiteral("20");
    return r;
}

/// Cluster spot line i, CR LF ended, as a cluster sends it: eight bands,
/// ten countries, calls that seldom repeat.
inline QString clusterLine(int i)
{
    static const char* const freqs[] = {"14025.0", "7012.5", "21074.0", "14195.0", "3525.0", "28495.0",
                                        "14011.0", "1832.0"};
    static const char* const prefixes[] = {"DL", "JA", "VK", "G", "K", "OH", "ZS", "PY", "VE", "UA"};
    const QString call = QString::fromLatin1(prefixes[i % 10]) + QString::number(i % 9 + 1)
                         + QChar(u'A' + i % 26) + QChar(u'A' + i / 26 % 26);
    QString line = QStringLiteral("DX de W3LPL:").leftJustified(15, u' ');
    line += QString::fromLatin1(freqs[i % 8]).rightJustified(9, u' ');
    line += QStringLiteral("  ") + call.leftJustified(13, u' ');
    line += QStringLiteral("CQ CQ up 2").leftJustified(31, u' ') + QStringLiteral("1804Z\r\n");
    return line;
}

/// The benchmark program's main: windows drawn off screen.
inline int runBenchmarks(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

}  // namespace bench_support

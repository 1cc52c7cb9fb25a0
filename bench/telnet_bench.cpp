// A telnet cluster's burst: 1,000 spot lines in one block, through the
// telnet filter, line assembly and the whole spot pipeline of the spotting
// window (monitor, hand-off, store, spot list, band map, drawn once after
// the burst). Target: under 20 ms of GUI-thread time per burst.

#include "app/app_state.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "app/reference_tables.h"
#include "spots/PacketSpotfrm.h"
#include "spots/install_spots.h"
#include "spots/telnet_text.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray clusterBurst(int count)
{
    static const char* const freqs[] = {"14025.0", "7012.5", "21074.0", "14195.0", "3525.0", "28495.0",
                                        "14011.0", "1832.0"};
    static const char* const prefixes[] = {"DL", "JA", "VK", "G", "K", "OH", "ZS", "PY", "VE", "UA"};
    QByteArray burst;
    for (int i = 0; i < count; ++i) {
        const QString call = QString::fromLatin1(prefixes[i % 10]) + QString::number(i % 9 + 1)
                             + QChar(u'A' + i % 26) + QChar(u'A' + i / 26 % 26);
        QString line = QStringLiteral("DX de W3LPL:").leftJustified(15, u' ');
        line += QString::fromLatin1(freqs[i % 8]).rightJustified(9, u' ');
        line += QStringLiteral("  ") + call.leftJustified(13, u' ');
        line += QStringLiteral("CQ CQ up 2").leftJustified(31, u' ') + QStringLiteral("1804Z\r\n");
        burst += line.toLatin1();
    }
    return burst;
}

void BM_TelnetBurstOfThousandSpots(benchmark::State& bench)
{
    QTemporaryDir dir;
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper(false);
    platform::ManualClock clock;
    platform::FixedScreen screen({24000, 15000, {0, 0, 24000, 15000}});
    platform::Registry registry(dir.filePath(QStringLiteral("registry.ini")));
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState state(services);
    state.folders.ProgramFolder = dir.path();
    state.folders.UserDataFolder = dir.path();
    QDir::setCurrent(dir.path());
    QFile::copy(QStringLiteral(ZQP_SOURCE_DIR "/data/county2.txt"), dir.filePath(QStringLiteral("county2.txt")));
    if (!app::loadCountryPrefixTable(state.countryPrefixes, {QStringLiteral(ZQP_SOURCE_DIR "/data/arrlpre2.txt")}))
        return bench.SkipWithError("no prefix table");
    auto& p = state.prefs;
    p.MyCall = QStringLiteral("W1AW");
    p.CurrentMode = QStringLiteral("CW");
    p.CurrentBand = QStringLiteral("20");
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = 1;
    p.FormSizePercent = 100;
    p.RigType = QStringLiteral("None");
    clock.set(QDate(2021, 10, 2), QTime(10, 0, 0), -7 * 3600);
    {
        // Telnet chosen, no port saved: the window loads without connecting.
        QFile f(dir.filePath(QStringLiteral("PackSpot.txt")));
        if (!f.open(QIODevice::WriteOnly))
            return bench.SkipWithError("no settings file");
        f.write("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"Telnet\"\r\n0\r\n0\r\n0\r\n#FALSE#\r\n\"\"\r\n"
                "\"7300\"\r\n\"127.0.0.1\"\r\n");
    }

    app::ProgramServices programServices;
    app::MainWindows mainWindows(state);
    mainWindows.setServices(programServices);
    spots::SpotsSubsystem& subsystem = spots::installSpots(programServices, state, mainWindows);
    prompt.answer(platform::MsgResult::Yes);
    mainWindows.open();
    PacketSpotfrm& window = subsystem.spottingWindow();
    window.cmdDone_Click();  // the band map on the main window
    QApplication::processEvents();

    const QByteArray burst = clusterBurst(1000);
    spots::TelnetDecoder decoder;
    for (auto _ : bench) {
        window.receiveTelnetBlock(decoder.decode(burst));
        QApplication::processEvents();  // the burst's one redraw
    }
    if (subsystem.display.store().slot(49).SpotCall.isEmpty())
        bench.SkipWithError("no spot reached the store");
    bench.counters["lines/s"] =
        benchmark::Counter(1000.0 * static_cast<double>(bench.iterations()), benchmark::Counter::kIsRate);
    subsystem.unloadSpottingWindow();
}
BENCHMARK(BM_TelnetBurstOfThousandSpots)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

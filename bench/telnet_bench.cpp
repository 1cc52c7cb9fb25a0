// A telnet cluster's burst: 1,000 spot lines in one block, through the
// telnet filter, line assembly and the whole spot pipeline of the spotting
// window (monitor, hand-off, store, spot list, band map, drawn once after
// the burst). Target: under 20 ms of GUI-thread time per burst.

#include "app/app_state.h"
#include "app/main_windows.h"
#include "app/program_services.h"
#include "app/reference_tables.h"
#include "spots/spotting_window.h"
#include "spots/install_spots.h"
#include "spots/telnet_text.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

QByteArray clusterBurst(int count)
{
    QByteArray burst;
    for (int i = 0; i < count; ++i)
        burst += bench_support::clusterLine(i).toLatin1();
    return burst;
}

void BM_TelnetBurstOfThousandSpots(benchmark::State& bench)
{
    bench_support::BenchProgram fixture;
    app::AppState& state = fixture.state;
    if (!app::loadCountryPrefixTable(state.countryPrefixes, {QStringLiteral(ZQP_SOURCE_DIR "/data/arrlpre2.txt")}))
        return bench.SkipWithError("no prefix table");
    state.prefs.MyCall = QStringLiteral("W1AW");
    fixture.clock.set(QDate(2021, 10, 2), QTime(10, 0, 0), -7 * 3600);
    {
        // Telnet chosen, no port saved: the window loads without connecting.
        QFile f(fixture.path(QStringLiteral("PackSpot.txt")));
        if (!f.open(QIODevice::WriteOnly))
            return bench.SkipWithError("no settings file");
        f.write("\"\"\r\n\"\"\r\n\"\"\r\n\"\"\r\n0\r\n\"\"\r\n\"Telnet\"\r\n0\r\n0\r\n0\r\n#FALSE#\r\n\"\"\r\n"
                "\"7300\"\r\n\"127.0.0.1\"\r\n");
    }

    app::ProgramServices programServices;
    app::MainWindows mainWindows(state);
    mainWindows.setServices(programServices);
    spots::SpotsSubsystem& subsystem = spots::installSpots(programServices, state, mainWindows);
    mainWindows.open();
    SpottingWindow& window = subsystem.spottingWindow();
    window.onDoneClicked();  // the band map on the main window
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

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }

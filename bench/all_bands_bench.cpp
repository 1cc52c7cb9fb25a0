// The spectrum map with a full store. Target: 50 spots placed on the eleven
// scales in under 10 ms, both as numbers (zoom, captions, placement) and as
// the window's whole redraw, drawing included.

#include "bench_support.h"
#include "app/app_state.h"
#include "spots/all_bands_window.h"
#include "spots/band_scales.h"
#include "spots/spot_store.h"

#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

/// 50 spots spread over the eleven bands, all younger than an hour and all
/// inside their bands, the newest last.
void fill(spots::SpotStore& store, const QDateTime& now)
{
    for (int i = 0; i < 50; ++i) {
        const spots::SpectrumBand& band = spots::SpectrumBands[static_cast<std::size_t>(i % 11)];
        const float f = band.lower + (band.upper - band.lower) * static_cast<float>(1 + i / 11) / 6.0f;
        store.store(QStringLiteral("DL%1ABC").arg(i), f, now.addSecs(-60 * (49 - i)));
    }
}

void BM_SpectrumMapPlacement(benchmark::State& bench)
{
    const QDateTime now(QDate(2021, 10, 2), QTime(10, 0, 0), Qt::OffsetFromUTC, -7 * 3600);
    spots::SpotStore store;
    fill(store, now);
    spots::SpectrumGeometry g;
    for (int b = 0; b < spots::SpectrumBandCount; ++b)
        g.lines[static_cast<std::size_t>(b)] = {380, 9480, 380 + 630.0 * b};
    g.windowHeight = 7200;
    g.tickLabelWidth = 650;
    g.spotLabelSize = QSizeF(630, 190);
    std::size_t placed = 0;
    for (auto _ : bench) {
        const spots::SpectrumScales scales = spots::LayoutBandScales(store, g);
        const auto labels = spots::placeSpectrumSpots(store, scales, g, now, 7);
        placed = labels.size();
        benchmark::DoNotOptimize(labels.data());
    }
    if (placed != 50)
        bench.SkipWithError("not every spot was placed");
    bench.counters["labels"] = static_cast<double>(placed);
}
BENCHMARK(BM_SpectrumMapPlacement)->Unit(benchmark::kMicrosecond);

void BM_SpectrumMapRedraw(benchmark::State& bench)
{
    QTemporaryDir dir;
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper(false);
    platform::ManualClock clock;
    platform::FixedScreen screen({24000, 15000, {0, 0, 24000, 14400}});
    platform::Registry registry(dir.filePath(QStringLiteral("registry.ini")));
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState state(services);
    state.folders.ProgramFolder = dir.path();
    QDir::setCurrent(dir.path());
    state.prefs.UtcOffsetHours = 7;
    clock.set(QDate(2021, 10, 2), QTime(10, 0, 0));

    spots::SpotStore store;
    fill(store, clock.now());
    spots::SpectrumMap map(state, store, {});
    map.onLoad();
    map.show();
    QApplication::processEvents();
    for (auto _ : bench) {
        map.BandMapLabelDisplay();
        QApplication::processEvents();
    }
    int shown = 0;
    for (QLabel* l : map.lblDXSpot)
        shown += l->isHidden() ? 0 : 1;
    if (shown != 50)
        bench.SkipWithError("not every spot was drawn");
    bench.counters["labels"] = shown;
}
BENCHMARK(BM_SpectrumMapRedraw)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }

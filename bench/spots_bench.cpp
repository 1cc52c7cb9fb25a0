// DX spots in bulk. Targets:
//   10,000 cluster lines through cutting, the frequency test, the store, the
//   spot-list row (with its country lookup) and the band map's scale and
//   placement, in under 100 ms (over 100,000 lines a second);
//   one band-map redraw of the main window with 50 spots, drawing included,
//   in under 5 ms.

#include "app/out_of_state_window.h"
#include "app/app_state.h"
#include "app/reference_tables.h"
#include "spots/band_map.h"
#include "spots/spot_country.h"
#include "spots/spot_display.h"
#include "spots/spot_line.h"
#include "spots/spot_store.h"

#include "bench_support.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QTemporaryDir>
#include <QTimeZone>
#include <benchmark/benchmark.h>

namespace {

QStringList clusterLines(int count)
{
    QStringList lines;
    for (int i = 0; i < count; ++i)
        lines << bench_support::clusterLine(i);
    return lines;
}

void BM_TenThousandSpotLines(benchmark::State& bench)
{
    app::CountryPrefixTable table;
    if (!app::loadCountryPrefixTable(table, {QStringLiteral(ZQP_SOURCE_DIR "/data/arrlpre2.txt")}))
        return bench.SkipWithError("no prefix table");
    const QStringList lines = clusterLines(10000);
    // Local time with its offset from UTC, as the spot display keeps it.
    const QDateTime now(QDate(2021, 10, 2), QTime(10, 0, 0), Qt::OffsetFromUTC, -7 * 3600);
    const spots::BandMapGeometry geometry{1000, 9000, 6000, 7200};
    qsizetype placed = 0;
    for (auto _ : bench) {
        spots::SpotStore store;
        for (const QString& line : lines) {
            if (!spots::isSpotUnit(line))
                continue;
            const spots::ClusterSpotLine spot = spots::cutSpotLine(line);
            const auto mhz = spots::spotFrequencyMHz(spot.frequency);
            if (!mhz)
                continue;
            store.store(spot.call, static_cast<float>(*mhz), now);
            const spots::SpotListRow row = spots::spotListRow(
                spot.call, *mhz, spots::recordBeforeCR(spot.record), spots::spotCountry(table, spot.call));
            benchmark::DoNotOptimize(row);
            const spots::BandMapScale scale = spots::SetBandMapScale(QStringLiteral("20"), store);
            const auto labels = spots::placeSpotLabels(
                store, spots::edgesFromCaptions(scale.captions[0], scale.captions[4]), geometry,
                QSizeF(600, 255), now, 7);
            placed += static_cast<qsizetype>(labels.size());
        }
    }
    bench.counters["lines/s"] = benchmark::Counter(static_cast<double>(lines.size()) * bench.iterations(),
                                                   benchmark::Counter::kIsRate);
    bench.counters["labels placed"] = static_cast<double>(placed) / bench.iterations();
}
BENCHMARK(BM_TenThousandSpotLines)->Unit(benchmark::kMillisecond);

void BM_BandMapRedraw(benchmark::State& bench)
{
    bench_support::BenchProgram fixture;
    app::AppState& state = fixture.state;
    platform::ManualClock& clock = fixture.clock;
    clock.set(QDate(2021, 10, 2), QTime(10, 0, 0));

    app::MainWindowServices none;
    OutOfStateWindow window(state, none);
    window.onLoad();
    window.show();
    spots::SpotDisplay display(state);
    display.PacketResize(window, false, QStringLiteral("TNC"), nullptr);
    for (int i = 0; i < 50; ++i)
        // The oldest shares the next one's frequency: slot 0 does not widen
        // the zoom, so only a spot inside it is drawn.
        display.store().store(QStringLiteral("DL%1ABC").arg(i), 14.0f + 0.005f * (std::max(i, 1) + 1),
                              clock.now().addSecs(-60 * i));
    QApplication::processEvents();
    for (auto _ : bench) {
        display.DisplayBandMapLabels(window);
        QApplication::processEvents();
    }
    int shown = 0;
    for (QLabel* l : window.lblDXSpot)
        shown += l->isHidden() ? 0 : 1;
    if (shown != 50)
        bench.SkipWithError("not every spot was drawn");
    bench.counters["labels"] = shown;
}
BENCHMARK(BM_BandMapRedraw)->Unit(benchmark::kMillisecond)->Iterations(300);

}  // namespace

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }

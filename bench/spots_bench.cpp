// DX spots in bulk. Targets:
//   10,000 cluster lines through cutting, the frequency test, the store, the
//   spot-list row (with its country lookup) and the band map's scale and
//   placement, in under 100 ms (over 100,000 lines a second);
//   one band-map redraw of the main window with 50 spots, drawing included,
//   in under 5 ms.

#include "app/Outfrm.h"
#include "app/app_state.h"
#include "app/reference_tables.h"
#include "spots/band_map.h"
#include "spots/spot_country.h"
#include "spots/spot_display.h"
#include "spots/spot_line.h"
#include "spots/spot_store.h"

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
    static const char* const freqs[] = {"14025.0", "7012.5", "21074.0", "14195.0", "3525.0", "28495.0",
                                        "14011.0", "1832.0"};
    static const char* const prefixes[] = {"DL", "JA", "VK", "G", "K", "OH", "ZS", "PY", "VE", "UA"};
    QStringList lines;
    for (int i = 0; i < count; ++i) {
        const QString call = QString::fromLatin1(prefixes[i % 10]) + QString::number(i % 9 + 1)
                             + QChar(u'A' + i % 26) + QChar(u'A' + i / 26 % 26);
        QString line = QStringLiteral("DX de W3LPL:").leftJustified(15, u' ');
        line += QString::fromLatin1(freqs[i % 8]).rightJustified(9, u' ');
        line += QStringLiteral("  ") + call.leftJustified(13, u' ');
        line += QStringLiteral("CQ CQ up 2").leftJustified(31, u' ') + QStringLiteral("1804Z\r\n");
        lines << line;
    }
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
    auto& p = state.prefs;
    p.CurrentMode = QStringLiteral("CW");
    p.CurrentBand = QStringLiteral("20");
    p.PartyState = QStringLiteral("CA");
    p.OutOfStateFlag = 1;
    p.FormSizePercent = 100;
    p.RigType = QStringLiteral("None");
    clock.set(QDate(2021, 10, 2), QTime(10, 0, 0));

    app::MainWindowServices none;
    prompt.answer(platform::MsgResult::Yes);
    Outfrm window(state, none);
    window.Form_Load();
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

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

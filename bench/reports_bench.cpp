// The views of the log on a full contest weekend.
//   Rate graph: computing and drawing 11,000 contacts logged over 30 hours,
//   on a 1,600 by 1,000 pixel work area. Target: < 50 ms.
//   County map: painting all 58 counties. Target: < 20 ms.

#include "bench_support.h"
#include "log/contact_log.h"
#include "reports/activity_graph_window.h"
#include "reports/county_map.h"
#include "reports/rate_graph.h"

#include <QApplication>
#include <QDateTime>
#include <benchmark/benchmark.h>

namespace {

std::vector<contactlog::ContactRecord> weekendLog()
{
    static const char* const bands[] = {"80", "40", "20", "15", "10", "160", "6"};
    std::vector<contactlog::ContactRecord> log;
    const QDateTime start(QDate(2021, 10, 2), QTime(16, 0), Qt::UTC);
    const int count = contactlog::ContactLog::MaxContacts;
    for (int i = 0; i < count; ++i) {
        // Thirty hours: 26 hours of operating with a four-hour night pause.
        qint64 s = static_cast<qint64>(26.0 * 3600 * i / (count - 1)) + (i * 7919) % 13;
        if (s > 12 * 3600)
            s += 4 * 3600;
        const QDateTime t = start.addSecs(s);
        contactlog::ContactRecord r;
        r.LogDate = t.toString(QStringLiteral("yyyy/MM/dd"));
        r.LogTime = t.toString(QStringLiteral("hh:mm:ss"));
        r.LogBand = QString::fromLatin1(bands[(i / 300) % 7]);
        log.push_back(r);
    }
    return log;
}

void BM_RateGraphComputeAndDraw(benchmark::State& state)
{
    const auto log = weekendLog();
    // The plot's frame on a 1,600 by 1,000 pixel work area (2.5 and about
    // 2.08 times the design), in twips.
    const double rw = 24000.0 / 9600;
    const double rh = 15000.0 / 7200;
    reports::GraphGeometry g;
    g.left = 480 * rw;
    g.right = 9240 * rw;
    g.top = 120 * rh;
    g.bottom = 5880 * rh;
    g.stripTop = 5900 * rh;
    g.stripBottom = 6000 * rh;
    QImage image(1578, 948, QImage::Format_RGB32);
    for (auto _ : state) {
        image.fill(Qt::black);
        const reports::RateGraph graph =
            reports::computeRateGraph(log, qRgb(0, 0, 0), reports::defaultBandColors());
        if (graph.stage != reports::GraphStage::Complete)
            return state.SkipWithError("the graph did not complete");
        reports::paintRateGraph(image, graph, g);
        benchmark::DoNotOptimize(image.constBits());
    }
}
BENCHMARK(BM_RateGraphComputeAndDraw)->Unit(benchmark::kMillisecond);

void BM_PaintAllCounties(benchmark::State& state)
{
    QStringList all;
    for (const auto& r : reports::countyRectangles())
        all << QString::fromLatin1(r.name);
    const QImage blank = reports::countyMapPicture();
    QRandomGenerator random(1);
    for (auto _ : state) {
        QImage picture = blank;
        if (reports::paintWorkedCounties(picture, all, random) != 58)
            return state.SkipWithError("not every county painted");
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_PaintAllCounties)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }

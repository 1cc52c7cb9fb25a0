// CW keying timing: a 30-character message at 40 WPM (30 ms units) through
// the send loop, the keying engine and the serial layer's RTS line, with
// the line's system call replaced by a time-stamping recorder (the modem
// ioctl on a pty). Every element edge is compared with the ideal schedule
// of the whole message, counted from its first edge.
// Targets: 99th percentile edge error < 1 ms with "Timer", < 2 ms with
// "Sleep"; the worst edge is reported too.

#include "../tests/support/modem_line_shim.h"

#include "keying/cw_sender.h"
#include "keying/key_lines.h"
#include "keying/morse.h"
#include "keying/morse_engine.h"
#include "platform/serial_link.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <stdlib.h>
#include <vector>

namespace {

const QString Message = QStringLiteral("CQ TEST DE W1AW W1AW K6AA 5NN?");  // 30 characters
constexpr double Wpm = 40;

/// The pty's program side, kept open while the benchmark runs.
struct Pty {
    int master = -1;
    QString slave;
    Pty()
    {
        master = posix_openpt(O_RDWR | O_NOCTTY);
        if (master >= 0 && grantpt(master) == 0 && unlockpt(master) == 0)
            slave = QString::fromLocal8Bit(ptsname(master));
    }
    ~Pty()
    {
        if (master >= 0)
            ::close(master);
    }
};

/// The ideal unit index of every edge of the message, counted from the first.
std::vector<int> idealEdgeUnits(const QString& message)
{
    std::vector<int> edges;
    int unit = 0;
    int level = 0;
    for (QChar c : message) {
        for (QChar u : keying::characterUnits(c, 0)) {
            const int want = u == QLatin1Char('1') ? 1 : 0;
            if (want != level)
                edges.push_back(unit);
            level = want;
            ++unit;
        }
    }
    return edges;
}

void keyMessage(benchmark::State& state, keying::TimingMethod method)
{
    Pty pty;
    platform::SerialLink link;
    if (pty.slave.isEmpty() || !link.openDevice(pty.slave, platform::SerialSettings{})) {
        state.SkipWithError("no pty");
        return;
    }
    keying::KeyingState keyingState;
    keyingState.CWKeyingOption = 1;
    keying::MorseEngine engine;
    keying::SerialKeyLine line(link, keying::SerialKeyLine::Which::Rts);
    keying::CwSenderHooks hooks;
    hooks.transmit = [&](QChar c) { engine.key(keying::characterUnits(c, 0), {Wpm, method, 0}, &line); };
    hooks.letEventsRun = [] { QCoreApplication::processEvents(); };
    keying::CwSender sender(keyingState, hooks);

    const std::vector<int> ideal = idealEdgeUnits(Message);
    const double unitNs = 1e9 * keying::unitMs(Wpm) / 1000;
    std::vector<double> errorsMs;
    for (auto _ : state) {
        modem_line_shim::enable(true);
        keyingState.CWSendBuffer = Message;
        sender.LoopThroughCWBuffer();
        const auto calls = modem_line_shim::calls();
        modem_line_shim::enable(false);
        // Only the level changes count as edges (the engine sets the line
        // at the first unit of every character, up when it already is).
        std::vector<std::int64_t> edges;
        bool down = false;
        for (const auto& c : calls) {
            if ((c.bits & TIOCM_RTS) && c.set != down) {
                edges.push_back(c.monotonicNs);
                down = c.set;
            }
        }
        if (edges.size() != ideal.size()) {
            state.SkipWithError("edge count differs from the schedule");
            return;
        }
        for (std::size_t i = 0; i < edges.size(); ++i) {
            const double idealNs = static_cast<double>(edges[0]) + ideal[i] * unitNs;
            errorsMs.push_back(std::abs(static_cast<double>(edges[i]) - idealNs) / 1e6);
        }
    }
    std::sort(errorsMs.begin(), errorsMs.end());
    const std::size_t p99 = std::min(errorsMs.size() - 1, static_cast<std::size_t>(std::ceil(errorsMs.size() * 0.99)) - 1);
    state.counters["edges"] = static_cast<double>(errorsMs.size());
    state.counters["p99_error_ms"] = errorsMs[p99];
    state.counters["worst_error_ms"] = errorsMs.back();
}

void BM_KeyMessageTimer(benchmark::State& state) { keyMessage(state, keying::TimingMethod::Timer); }
void BM_KeyMessageSleep(benchmark::State& state) { keyMessage(state, keying::TimingMethod::Sleep); }

}  // namespace

BENCHMARK(BM_KeyMessageTimer)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_KeyMessageSleep)->Iterations(3)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    QCoreApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

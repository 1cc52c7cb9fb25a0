// CW keying timing, measured two ways in one run so that both share the
// machine's load:
//  - the engine alone: the message's characters one after another straight
//    into the keying engine, on the serial layer's RTS line;
//  - the send loop: the CW window's own path (F1, the send loop, Transmit,
//    the CW port the window opens itself), with the events let run at every
//    character boundary. A running program always has events waiting there
//    (clocks, redraws, spots); a timer stands in for them with 1 ms of work
//    at each boundary.
// The line is a pty's RTS line whose modem ioctl is replaced by a
// time-stamping recorder. Every element edge is compared with the ideal
// schedule of the whole message, counted from its first edge.
// Targets: with "Timer" and with "Sleep", at 20 and 40 WPM, the send loop's
// 99th percentile edge error within 1.5 times the engine's, and below
// 0.5 ms on an idle machine; the worst edge is reported too, and the same
// two figures for the lengths of the elements and gaps.

#include "../tests/support/modem_line_shim.h"

#include "app/app_state.h"
#include "keying/cw_window.h"
#include "keying/key_lines.h"
#include "keying/morse.h"
#include "keying/morse_engine.h"
#include "platform/events.h"
#include "platform/serial_link.h"
#include "platform/services.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cmath>
#include <fcntl.h>
#include <functional>
#include <stdlib.h>
#include <utility>
#include <vector>

namespace {

const QString Message = QStringLiteral("CQ TEST N6ABC");
constexpr int PortNumber = 3;

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

keying::TimingMethod methodOf(const benchmark::State& state)
{
    return state.range(0) == 0 ? keying::TimingMethod::Timer : keying::TimingMethod::Sleep;
}

/// Keys the message once per iteration with keyOnce and reports the edge
/// errors of all iterations.
void measure(benchmark::State& state, double wpm, const std::function<void()>& keyOnce)
{
    const std::vector<int> ideal = idealEdgeUnits(Message);
    const double unitNs = 1e9 * keying::unitMs(wpm) / 1000;
    std::vector<double> errorsMs;
    std::vector<double> elementErrorsMs;
    for (auto _ : state) {
        // A message starts on its own timeline, as one sent by a key press
        // does; keyed straight after the previous one, within half a unit
        // of its end, it would continue that one's timeline (a rule of the
        // engine) and its first element would be measured short by the
        // time the iterations take in between.
        platform::waitMs(static_cast<int>(std::ceil(10 * keying::unitMs(wpm))));
        modem_line_shim::enable(true);
        keyOnce();
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
            if (i > 0) {
                // The length of the element or gap this edge ends.
                const double lengthNs = static_cast<double>(edges[i] - edges[i - 1]);
                elementErrorsMs.push_back(std::abs(lengthNs - (ideal[i] - ideal[i - 1]) * unitNs) / 1e6);
            }
        }
    }
    const auto percentile99 = [](std::vector<double>& v) {
        std::sort(v.begin(), v.end());
        return v[std::min(v.size() - 1, static_cast<std::size_t>(std::ceil(static_cast<double>(v.size()) * 0.99)) - 1)];
    };
    state.counters["edges"] = static_cast<double>(errorsMs.size());
    // Each edge against the whole message's schedule: a unit held up far
    // enough to move the rest of its character moves every later edge too.
    state.counters["p99_error_ms"] = percentile99(errorsMs);
    state.counters["worst_error_ms"] = errorsMs.back();
    // Each element's and gap's length against its ideal length.
    state.counters["p99_element_ms"] = percentile99(elementErrorsMs);
    state.counters["worst_element_ms"] = elementErrorsMs.back();
}

void BM_EngineAlone(benchmark::State& state)
{
    const double wpm = static_cast<double>(state.range(1));
    Pty pty;
    platform::SerialLink link;
    if (pty.slave.isEmpty() || !link.openDevice(pty.slave, platform::SerialSettings{})) {
        state.SkipWithError("no pty");
        return;
    }
    keying::MorseEngine engine;
    keying::SerialKeyLine line(link, keying::SerialKeyLine::Which::Rts);
    const keying::UnitTiming timing{wpm, methodOf(state), 0};
    measure(state, wpm, [&] {
        for (QChar c : Message)
            engine.key(keying::characterUnits(c, 0), timing, &line);
    });
}

/// The CW window with the program's services around it, keying RTS on the
/// port number the port table points at the pty.
struct CwWindowPath {
    QTemporaryDir folder;
    QString previousFolder = QDir::currentPath();
    platform::ScriptedPrompt prompt;
    platform::Beeper beeper{false};
    platform::ManualClock clock;
    platform::FixedScreen screen;
    platform::Registry registry{folder.filePath(QStringLiteral("registry.ini"))};
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState appState{services};
    std::unique_ptr<CwWindow> window;

    bool open(const QString& device)
    {
        if (!folder.isValid())
            return false;
        QDir::setCurrent(folder.path());
        appState.folders.ProgramFolder = folder.path();
        QFile table(QStringLiteral("serialports.txt"));
        if (!table.open(QIODevice::WriteOnly))
            return false;
        table.write(QStringLiteral("%1=%2\n").arg(PortNumber).arg(device).toLocal8Bit());
        table.close();
        window = std::make_unique<CwWindow>(appState, [] { return nullptr; });
        window->onLoad();
        window->keyLineRts->click();  // RTS
        window->serialPortBox->setText(QString::number(PortNumber));
        return true;
    }
    ~CwWindowPath()
    {
        if (window)
            window->releaseLine();
        window.reset();
        QDir::setCurrent(previousFolder);
    }
};

void BM_SendLoop(benchmark::State& state)
{
    const double wpm = static_cast<double>(state.range(1));
    Pty pty;
    CwWindowPath path;
    if (pty.slave.isEmpty() || !path.open(pty.slave)) {
        state.SkipWithError("no pty or no program folder");
        return;
    }
    CwWindow& cw = *path.window;
    (methodOf(state) == keying::TimingMethod::Timer ? cw.optTimer : cw.OptSleep)->click();
    cw.speedBox->setText(QString::number(wpm));
    cw.messageBoxesF1ToF9[0]->setText(Message);
    // The program's own events at every character boundary.
    QTimer events;
    events.setInterval(0);
    QObject::connect(&events, &QTimer::timeout, [] { platform::waitMs(1); });
    events.start();
    measure(state, wpm, [&] {
        int f1 = 112;
        cw.FKeyCW(f1);
    });
    events.stop();
}

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // Each engine-alone figure runs just before the send loop's at the same
    // method and speed, so the two share the machine's load.
    for (int method : {0, 1}) {
        for (int wpm : {20, 40}) {
            using Function = void (*)(benchmark::State&);
            const std::pair<const char*, Function> pair[] = {{"BM_EngineAlone", BM_EngineAlone},
                                                              {"BM_SendLoop", BM_SendLoop}};
            for (const auto& [name, function] : pair) {
                benchmark::RegisterBenchmark(name, function)
                    ->ArgNames({"sleep", "wpm"})
                    ->Args({method, wpm})
                    ->Iterations(3)
                    ->Unit(benchmark::kMillisecond);
            }
        }
    }
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}

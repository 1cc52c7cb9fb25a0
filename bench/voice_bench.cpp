// The voice keyer's push-to-talk against the message it keys: how long after
// the last sample PTT drops (the end-of-playback poll runs every 40 ms), and
// how long before the first sample it goes up. One message of 60 ms per
// iteration, keyed on the parallel port's recorder.
// Target: PTT down < 40 ms after the last sample, every time.
//
// A message is decoded whole before PTT goes up, so its decoding is the
// delay between the key and the transmitter: a 30 s message in each of the
// encodings a recorder writes, at 8 kHz (and PCM at 44.1 kHz stereo too).

#include "bench_support.h"
#include "app/app_state.h"
#include "keying/voice_keyer_window.h"
#include "platform/line_recorder.h"
#include "platform/wav_player.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QtEndian>
#include <benchmark/benchmark.h>
#include <cmath>
#include <sndfile.h>
#include <vector>

namespace {

QByteArray silence(int ms)
{
    const quint32 data = 8000 * ms / 1000 * 2;
    QByteArray b("RIFF");
    auto u32 = [&b](quint32 v) { char c[4]; qToLittleEndian(v, c); b.append(c, 4); };
    auto u16 = [&b](quint16 v) { char c[2]; qToLittleEndian(v, c); b.append(c, 2); };
    u32(36 + data);
    b.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(8000);
    u32(16000);
    u16(2);
    u16(16);
    b.append("data");
    u32(data);
    b.append(QByteArray(data, '\0'));
    return b;
}

void BM_PttAroundAMessage(benchmark::State& st)
{
    QTemporaryDir dir;
    QFile f(dir.filePath(QStringLiteral("m.wav")));
    f.open(QIODevice::WriteOnly);
    f.write(silence(60));
    f.close();

    platform::Beeper beeper(false);
    platform::ScriptedPrompt prompt;
    platform::SystemClock clock;
    platform::FixedScreen screen;
    platform::Registry registry(dir.filePath(QStringLiteral("registry.ini")));
    platform::Services services{prompt, beeper, clock, screen, registry};
    app::AppState state(services);
    state.folders.ProgramFolder = dir.path();
    platform::LineRecorder lines;
    platform::PlaybackRecorder played;
    state.hardware.setRecorder(&lines);
    state.hardware.parallel().setRecordOnly(true);

    keying::VoiceKeyerWindow phone(state);
    phone.wavPlayer.setSilent(true);
    phone.wavPlayer.setRecorder(&played);
    phone.waveBoxF1->setText(f.fileName());
    phone.pttSerialPortBox->setText(QStringLiteral("0"));
    phone.pttLineParallel->setChecked(true);

    double worstDrop = 0, sumDrop = 0, worstLead = 0;
    std::int64_t n = 0;
    for (auto _ : st) {
        lines.clear();
        played.clear();
        int key = 112;
        phone.FKeyPhone(key);
        QElapsedTimer t;
        t.start();
        while (phone.endPollTimer.isActive() && t.elapsed() < 2000)
            QApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
        const auto& ev = lines.events();
        const auto p = played.played();
        if (ev.size() != 2 || p.size() != 1) {
            st.SkipWithError("message not keyed");
            break;
        }
        const double lead = static_cast<double>(p[0].monotonicNs - ev[0].monotonicNs) / 1e6;
        const double drop = static_cast<double>(ev[1].monotonicNs - (p[0].monotonicNs + p[0].lengthNs)) / 1e6;
        worstDrop = std::max(worstDrop, drop);
        worstLead = std::max(worstLead, lead);
        sumDrop += drop;
        ++n;
    }
    st.counters["drop_mean_ms"] = n ? sumDrop / static_cast<double>(n) : 0;
    st.counters["drop_worst_ms"] = worstDrop;
    st.counters["keyed_before_first_sample_worst_ms"] = worstLead;
}

void BM_DecodeAThirtySecondMessage(benchmark::State& st)
{
    const int format = static_cast<int>(st.range(0));
    const int rate = static_cast<int>(st.range(1));
    const int channels = static_cast<int>(st.range(2));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("m.wav"));
    SF_INFO info{};
    info.samplerate = rate;
    info.channels = channels;
    info.format = SF_FORMAT_WAV | format;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!f) {
        st.SkipWithError("the writer refused the encoding");
        return;
    }
    std::vector<short> samples(static_cast<std::size_t>(rate) * channels * 30);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = static_cast<short>(12000 * std::sin(static_cast<double>(i) * 0.05));
    sf_writef_short(f, samples.data(), static_cast<sf_count_t>(rate) * 30);
    sf_close(f);
    for (auto _ : st) {
        const auto wave = platform::readWaveFile(path);
        if (!wave) {
            st.SkipWithError("not decoded");
            break;
        }
        benchmark::DoNotOptimize(wave->samples.constData());
    }
}

}  // namespace

BENCHMARK(BM_PttAroundAMessage)->Unit(benchmark::kMillisecond)->Iterations(50);
BENCHMARK(BM_DecodeAThirtySecondMessage)
    ->Unit(benchmark::kMillisecond)
    ->ArgNames({"format", "rate", "channels"})
    ->Args({SF_FORMAT_PCM_16, 8000, 1})
    ->Args({SF_FORMAT_PCM_16, 44100, 2})
    ->Args({SF_FORMAT_ULAW, 8000, 1})
    ->Args({SF_FORMAT_IMA_ADPCM, 8000, 1})
    ->Args({SF_FORMAT_MS_ADPCM, 8000, 1})
    ->Args({SF_FORMAT_GSM610, 8000, 1});

int main(int argc, char** argv) { return bench_support::runBenchmarks(argc, argv); }

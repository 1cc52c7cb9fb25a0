#include "platform/tone.h"

#include "platform/sound_output.h"

#include <QApplication>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace platform {

WaveData toneWave(int hz, int ms, int sampleRate)
{
    WaveData wave;
    wave.channels = 1;
    wave.sampleRate = sampleRate;
    if (sampleRate <= 0 || ms <= 0)
        return wave;
    const int frames = static_cast<int>(static_cast<qint64>(sampleRate) * ms / 1000);
    const int fade = std::max(1, std::min(frames / 4, sampleRate / 200));  // 5 ms ramps
    constexpr double Level = 0.4;  // loud enough to hear, well short of clipping
    wave.samples = QByteArray(static_cast<qsizetype>(frames) * 2, Qt::Uninitialized);
    char* out = wave.samples.data();
    for (int i = 0; i < frames; ++i) {
        const double ramp = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
        const double v = Level * ramp * std::sin(2.0 * std::numbers::pi * hz * i / sampleRate);
        const qint16 s = static_cast<qint16>(std::lround(v * 32767.0));
        std::memcpy(out, &s, sizeof s);
        out += sizeof s;
    }
    return wave;
}

TonePlayer::TonePlayer() = default;
TonePlayer::~TonePlayer() = default;

void TonePlayer::play(int hz, int ms)
{
    if (!m_output)
        m_output = makeSoundOutput();
    if (m_hz != hz || m_ms != ms) {
        m_tone = toneWave(hz, ms);
        m_hz = hz;
        m_ms = ms;
    }
    // The device is looked for at every beep, so a headset plugged in later
    // is heard from the next beep on. The bell is a window-system call: it
    // is handed to the GUI thread, to ring when its events next run.
    m_output->startWhenHeard(m_tone, [] {
        if (QCoreApplication* app = QCoreApplication::instance())
            QMetaObject::invokeMethod(app, [] { QApplication::beep(); }, Qt::QueuedConnection);
    });
}

}  // namespace platform

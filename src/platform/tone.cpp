#include "platform/tone.h"

#include <QApplication>
#include <QAudioDevice>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace platform {

QByteArray toneSamples(const QAudioFormat& format, int hz, int ms)
{
    const int rate = format.sampleRate();
    const int channels = std::max(1, format.channelCount());
    const int bytesPerSample = format.bytesPerSample();
    if (rate <= 0 || ms <= 0 || (format.sampleFormat() != QAudioFormat::Int16 && format.sampleFormat() != QAudioFormat::Float))
        return {};
    const int frames = static_cast<int>(static_cast<qint64>(rate) * ms / 1000);
    const int fade = std::max(1, std::min(frames / 4, rate / 200));  // 5 ms ramps
    constexpr double Level = 0.4;  // loud enough to hear, well short of clipping
    QByteArray pcm(static_cast<qsizetype>(frames) * channels * bytesPerSample, Qt::Uninitialized);
    char* out = pcm.data();
    for (int i = 0; i < frames; ++i) {
        const double ramp = std::min({1.0, static_cast<double>(i) / fade, static_cast<double>(frames - 1 - i) / fade});
        const double v = Level * ramp * std::sin(2.0 * std::numbers::pi * hz * i / rate);
        for (int c = 0; c < channels; ++c) {
            if (format.sampleFormat() == QAudioFormat::Int16) {
                const qint16 s = static_cast<qint16>(std::lround(v * 32767.0));
                std::memcpy(out, &s, sizeof s);
            } else {
                const float s = static_cast<float>(v);
                std::memcpy(out, &s, sizeof s);
            }
            out += bytesPerSample;
        }
    }
    return pcm;
}

struct TonePlayer::Output {
    QAudioFormat format;
    std::unique_ptr<QAudioSink> sink;
    QBuffer buffer;
    QByteArray pcm;
    int hz = 0;
    int ms = 0;
};

TonePlayer::TonePlayer() = default;
TonePlayer::~TonePlayer()
{
    if (m_output && m_output->sink)
        m_output->sink->stop();
}

bool TonePlayer::play(int hz, int ms)
{
    if (!m_output && !m_noOutput) {
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull()) {
            m_noOutput = true;
        } else {
            auto output = std::make_unique<Output>();
            QAudioFormat format;
            format.setSampleRate(22050);
            format.setChannelCount(1);
            format.setSampleFormat(QAudioFormat::Int16);
            if (!device.isFormatSupported(format))
                format = device.preferredFormat();
            output->format = format;
            output->sink = std::make_unique<QAudioSink>(device, format);
            if (toneSamples(format, hz, ms).isEmpty())
                m_noOutput = true;
            else
                m_output = std::move(output);
        }
    }
    if (!m_output) {
        QApplication::beep();
        return false;
    }
    Output& o = *m_output;
    if (o.hz != hz || o.ms != ms) {
        o.pcm = toneSamples(o.format, hz, ms);
        o.hz = hz;
        o.ms = ms;
    }
    o.sink->stop();
    o.buffer.close();
    o.buffer.setData(o.pcm);
    o.buffer.open(QIODevice::ReadOnly);
    o.sink->start(&o.buffer);
    if (o.sink->error() == QAudio::OpenError || o.sink->error() == QAudio::FatalError) {
        // The device is there but will not play: the bell from now on.
        o.sink->stop();
        m_output.reset();
        m_noOutput = true;
        QApplication::beep();
        return false;
    }
    return true;
}

}  // namespace platform

// The samples' way to the sound card: an audio sink on a thread of its own.
// The keyers wait for a prompt's end without letting the GUI thread's events
// run, and the sink is fed by timers of the thread it lives in; on its own
// thread it keeps playing through those waits, as a sound card does.

#include "platform/wav_player.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QThread>

namespace platform {

namespace {

/// The samples in a form every audio sink takes: 24-bit samples widened to
/// 32 bits, everything else as it is.
std::pair<QAudioFormat, QByteArray> sinkData(const WaveData& wave)
{
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    QByteArray data = wave.samples;
    if (wave.formatTag == 3) {
        format.setSampleFormat(QAudioFormat::Float);
    } else if (wave.bitsPerSample == 8) {
        format.setSampleFormat(QAudioFormat::UInt8);
    } else if (wave.bitsPerSample == 16) {
        format.setSampleFormat(QAudioFormat::Int16);
    } else {
        format.setSampleFormat(QAudioFormat::Int32);
        if (wave.bitsPerSample == 24) {
            const qsizetype n = wave.samples.size() / 3;
            data = QByteArray(n * 4, '\0');
            for (qsizetype i = 0; i < n; ++i) {
                data[i * 4 + 1] = wave.samples[i * 3];
                data[i * 4 + 2] = wave.samples[i * 3 + 1];
                data[i * 4 + 3] = wave.samples[i * 3 + 2];
            }
        }
    }
    return {format, data};
}

/// Lives on the audio thread: everything it owns is made and used there.
class SinkHolder : public QObject {
public:
    void start(const QAudioDevice& device, const QAudioFormat& format, const QByteArray& data)
    {
        stop();
        m_buffer = std::make_unique<QBuffer>();
        m_buffer->setData(data);
        m_buffer->open(QIODevice::ReadOnly);
        m_sink = std::make_unique<QAudioSink>(device, format);
        m_sink->start(m_buffer.get());
    }
    void stop()
    {
        if (m_sink)
            m_sink->stop();
        m_sink.reset();
        m_buffer.reset();
    }

private:
    std::unique_ptr<QBuffer> m_buffer;
    std::unique_ptr<QAudioSink> m_sink;
};

class ThreadedSoundOutput final : public SoundOutput {
public:
    explicit ThreadedSoundOutput(const QAudioDevice& device) : m_device(device)
    {
        m_holder = new SinkHolder;
        m_holder->moveToThread(&m_thread);
        m_thread.start();
    }
    ~ThreadedSoundOutput() override
    {
        QMetaObject::invokeMethod(m_holder, [h = m_holder] { h->stop(); delete h; },
                                  Qt::BlockingQueuedConnection);
        m_thread.quit();
        m_thread.wait();
    }
    void start(const WaveData& wave) override
    {
        auto [format, data] = sinkData(wave);
        QMetaObject::invokeMethod(
            m_holder, [h = m_holder, d = m_device, format, data] { h->start(d, format, data); },
            Qt::QueuedConnection);
    }
    void stop() override
    {
        QMetaObject::invokeMethod(m_holder, [h = m_holder] { h->stop(); }, Qt::QueuedConnection);
    }

private:
    QAudioDevice m_device;
    QThread m_thread;
    SinkHolder* m_holder = nullptr;
};

}  // namespace

std::unique_ptr<SoundOutput> makeDefaultSoundOutput()
{
    const QAudioDevice device = QMediaDevices::defaultAudioOutput();
    if (device.isNull())
        return nullptr;  // no sound card: the player only times the files
    return std::make_unique<ThreadedSoundOutput>(device);
}

}  // namespace platform

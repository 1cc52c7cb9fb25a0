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

/// The decoded samples are 16-bit signed, which every audio sink takes.
QAudioFormat sinkFormat(const WaveData& wave)
{
    QAudioFormat format;
    format.setSampleRate(wave.sampleRate);
    format.setChannelCount(wave.channels);
    format.setSampleFormat(QAudioFormat::Int16);
    return format;
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
        QMetaObject::invokeMethod(
            m_holder,
            [h = m_holder, d = m_device, format = sinkFormat(wave), data = wave.samples] {
                h->start(d, format, data);
            },
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

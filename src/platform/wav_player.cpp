#include "platform/wav_player.h"

#include "platform/line_recorder.h"

#include <QFile>
#include <QtEndian>

namespace platform {

std::unique_ptr<SoundOutput> makeDefaultSoundOutput();  // wav_output.cpp

namespace {

constexpr int PcmFormat = 1;
constexpr int FloatFormat = 3;
constexpr int ExtensibleFormat = 0xFFFE;

quint16 u16(const char* p) { return qFromLittleEndian<quint16>(p); }
quint32 u32(const char* p) { return qFromLittleEndian<quint32>(p); }

bool supported(int tag, int bits)
{
    if (tag == PcmFormat)
        return bits == 8 || bits == 16 || bits == 24 || bits == 32;
    return tag == FloatFormat && bits == 32;
}

std::optional<WaveData> fail(QString* error, const QString& why)
{
    if (error)
        *error = why;
    return std::nullopt;
}

}  // namespace

std::int64_t WaveData::lengthNs() const
{
    if (sampleRate <= 0)
        return 0;
    return frames() * 1'000'000'000LL / sampleRate;
}

std::optional<WaveData> readWaveFile(const QString& path, QString* error)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return fail(error, file.errorString());
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        return fail(error, file.errorString());
    if (bytes.size() < 12 || !bytes.startsWith("RIFF") || bytes.mid(8, 4) != "WAVE")
        return fail(error, QStringLiteral("not a wave file"));

    WaveData wave;
    bool haveFormat = false;
    qsizetype pos = 12;
    while (pos + 8 <= bytes.size()) {
        const QByteArray id = bytes.mid(pos, 4);
        const qint64 size = u32(bytes.constData() + pos + 4);
        const qsizetype body = pos + 8;
        // A recorder that never came back to fill in the size leaves it too
        // large; what is there still plays.
        const qsizetype available = std::min<qint64>(size, bytes.size() - body);
        if (id == "fmt ") {
            if (available < 16)
                return fail(error, QStringLiteral("damaged format chunk"));
            const char* f = bytes.constData() + body;
            wave.formatTag = u16(f);
            wave.channels = u16(f + 2);
            wave.sampleRate = static_cast<int>(std::min<quint32>(u32(f + 4), 10'000'000));
            wave.blockAlign = u16(f + 12);
            wave.bitsPerSample = u16(f + 14);
            if (wave.formatTag == ExtensibleFormat && available >= 26)
                wave.formatTag = u16(f + 24);  // the sub-format's first two bytes
            haveFormat = true;
        } else if (id == "data") {
            if (!haveFormat)
                return fail(error, QStringLiteral("data before the format chunk"));
            if (!supported(wave.formatTag, wave.bitsPerSample) || wave.channels < 1 ||
                wave.channels > 8 || wave.sampleRate < 1000 || wave.sampleRate > 384000 ||
                wave.blockAlign != wave.channels * wave.bitsPerSample / 8)
                return fail(error, QStringLiteral("unsupported wave format"));
            const qsizetype whole = available - available % wave.blockAlign;
            wave.samples = bytes.mid(body, whole);
            return wave;
        }
        pos = body + size + (size & 1);
    }
    return fail(error, haveFormat ? QStringLiteral("no data chunk") : QStringLiteral("no format chunk"));
}

std::vector<PlaybackEvent> PlaybackRecorder::played() const
{
    std::vector<PlaybackEvent> out;
    for (const PlaybackEvent& e : m_events) {
        if (e.kind == PlaybackEvent::Kind::Played)
            out.push_back(e);
    }
    return out;
}

WavPlayer::WavPlayer() = default;

WavPlayer::~WavPlayer()
{
    if (m_output)
        m_output->stop();
}

void WavPlayer::setSilent(bool silent)
{
    m_silent = silent;
    if (silent && m_output) {
        m_output->stop();
        m_output.reset();
    }
    m_outputChecked = false;
}

SoundOutput* WavPlayer::output()
{
    if (m_silent)
        return nullptr;
    if (!m_outputChecked) {
        m_outputChecked = true;
        m_output = makeDefaultSoundOutput();
    }
    return m_output.get();
}

void WavPlayer::record(PlaybackEvent::Kind kind, std::int64_t lengthNs)
{
    if (m_recorder)
        m_recorder->record({kind, monotonicNs(), m_path, lengthNs});
}

void WavPlayer::close()
{
    const bool wasOpen = m_wave.has_value();
    if (m_started && m_output)
        m_output->stop();
    m_started = false;
    m_stopped = false;
    m_wave.reset();
    if (wasOpen)
        record(PlaybackEvent::Kind::Closed);
    m_path.clear();
}

bool WavPlayer::open(const QString& path)
{
    close();
    m_path = path;
    m_error.clear();
    m_wave = readWaveFile(path, &m_error);
    if (!m_wave) {
        record(PlaybackEvent::Kind::OpenFailed);
        return false;
    }
    record(PlaybackEvent::Kind::Opened, m_wave->lengthNs());
    return true;
}

void WavPlayer::play()
{
    if (!m_wave)
        return;
    if (m_started && m_output)
        m_output->stop();
    m_started = true;
    m_stopped = false;
    if (SoundOutput* out = output())
        out->start(*m_wave);
    // The time stamp follows the hand-over: what keys the transmitter before
    // play() is keyed before the first sample.
    m_startNs = monotonicNs();
    record(PlaybackEvent::Kind::Played, m_wave->lengthNs());
}

void WavPlayer::stop()
{
    if (!m_started || m_stopped)
        return;
    m_stopped = true;
    if (m_output)
        m_output->stop();
    record(PlaybackEvent::Kind::Stopped);
}

int WavPlayer::mode() const
{
    if (!m_wave)
        return ModeNotOpen;
    if (m_started && !m_stopped && monotonicNs() - m_startNs < m_wave->lengthNs())
        return ModePlaying;
    return ModeStopped;
}

std::int64_t WavPlayer::lengthMs() const { return m_wave ? m_wave->lengthNs() / 1'000'000 : 0; }

}  // namespace platform

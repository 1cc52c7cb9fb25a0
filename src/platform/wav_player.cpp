#include "platform/wav_player.h"

#include "platform/line_recorder.h"

namespace platform {

std::unique_ptr<SoundOutput> makeDefaultSoundOutput();  // wav_output.cpp

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

#include "platform/wav_player.h"

#include "platform/line_recorder.h"

namespace platform {

namespace {
/// How long past a file's length the device may take to let its last
/// sample out before the player reports it ended all the same.
constexpr std::int64_t DrainAllowanceNs = 1'000'000'000;
}  // namespace

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
}

SoundOutput* WavPlayer::output()
{
    if (m_silent)
        return nullptr;
    if (!m_output)
        m_output = makeSoundOutput();
    return m_output.get();
}

bool WavPlayer::deviceReady(QString* why)
{
    SoundOutput* out = output();
    return !out || out->deviceReady(why);
}

QString WavPlayer::playbackFailure() const
{
    if (!m_wave || !m_started || m_stopped || !m_output)
        return {};
    return m_output->failure();
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
    if (!m_started || m_stopped)
        return ModeStopped;
    const std::int64_t elapsed = monotonicNs() - m_startNs;
    if (!m_output)
        return elapsed < m_wave->lengthNs() ? ModePlaying : ModeStopped;
    // A device that failed ends the file at once; one still letting the
    // last samples out holds it a little past its length.
    if (!m_output->failure().isEmpty())
        return ModeStopped;
    if (elapsed < m_wave->lengthNs())
        return ModePlaying;
    return m_output->sounding() && elapsed < m_wave->lengthNs() + DrainAllowanceNs ? ModePlaying : ModeStopped;
}

std::int64_t WavPlayer::lengthMs() const { return m_wave ? m_wave->lengthNs() / 1'000'000 : 0; }

}  // namespace platform

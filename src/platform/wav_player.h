#pragma once
// A wave-file player with the few operations the keyers need: close, open,
// play (without waiting for the end), stop, and the mode the keyers poll.
//
// Whether a file is still playing is kept here, from the moment play started,
// the file's length and whether it was stopped, on the monotonic clock, so a
// handler that waits without letting events run sees the end exactly; with
// a sound device it plays on until the device has let the last sample out,
// and ends at once when the device fails. The sound itself goes to the sound
// output (sound_output.h) on a thread of its own, so it keeps flowing while
// the GUI thread waits. A silent player (the tests') only times the files.
//
// Opening a file decodes it whole (wav_decoder.h), so a file that cannot be
// played is known before anything is keyed for it.

#include "platform/sound_output.h"
#include "platform/wav_decoder.h"

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

/// What a player did, with CLOCK_MONOTONIC time stamps, for tests: the first
/// sample goes out at a Played event and the last one lengthNs later, unless
/// a Stopped or Closed event comes first.
struct PlaybackEvent {
    enum class Kind { Opened, OpenFailed, Played, Stopped, Closed };
    Kind kind = Kind::Opened;
    std::int64_t monotonicNs = 0;
    QString path;
    std::int64_t lengthNs = 0;  ///< the file's length (Opened and Played)
};

class PlaybackRecorder {
public:
    void record(PlaybackEvent event) { m_events.push_back(std::move(event)); }
    [[nodiscard]] const std::vector<PlaybackEvent>& events() const { return m_events; }
    /// The Played events, in order.
    [[nodiscard]] std::vector<PlaybackEvent> played() const;
    void clear() { m_events.clear(); }

private:
    std::vector<PlaybackEvent> m_events;
};

class WavPlayer {
public:
    /// The modes a player reports, as the keyers compare them.
    static constexpr int ModeNotOpen = 524;
    static constexpr int ModeStopped = 525;
    static constexpr int ModePlaying = 526;

    WavPlayer();
    ~WavPlayer();
    WavPlayer(const WavPlayer&) = delete;
    WavPlayer& operator=(const WavPlayer&) = delete;

    void setRecorder(PlaybackRecorder* recorder) { m_recorder = recorder; }
    /// Tests: time the files, send nothing out.
    void setSilent(bool silent);
    /// Whether what is played will be heard: true for a silent player, and
    /// when a sound device is there; the reason in *why when not.
    [[nodiscard]] bool deviceReady(QString* why = nullptr);

    /// Stops what plays and forgets the file.
    void close();
    /// Opens and decodes a wave file (closing the one open). False when it
    /// is missing or cannot be played, with the reason in errorText(); the
    /// player then reports ModeNotOpen.
    bool open(const QString& path);
    /// Starts the open file from its beginning and returns at once; does
    /// nothing when no file is open.
    void play();
    void stop();

    [[nodiscard]] int mode() const;
    [[nodiscard]] bool isPlaying() const { return mode() == ModePlaying; }
    [[nodiscard]] bool isOpen() const { return m_wave.has_value(); }
    [[nodiscard]] QString fileName() const { return m_path; }
    /// The open file's length in milliseconds (0 when none is open).
    [[nodiscard]] std::int64_t lengthMs() const;
    /// Why the last open failed.
    [[nodiscard]] QString errorText() const { return m_error; }
    /// Why the sound device gave up the file last played before its end
    /// (busy, gone); empty when it played, plays or was stopped.
    [[nodiscard]] QString playbackFailure() const;

private:
    void record(PlaybackEvent::Kind kind, std::int64_t lengthNs = 0);
    SoundOutput* output();

    PlaybackRecorder* m_recorder = nullptr;
    std::unique_ptr<SoundOutput> m_output;
    bool m_silent = false;
    std::optional<WaveData> m_wave;
    QString m_path;
    QString m_error;
    bool m_started = false;
    bool m_stopped = false;
    std::int64_t m_startNs = 0;
};

}  // namespace platform

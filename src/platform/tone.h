#pragma once
// A short tone the program plays itself, for the refusal beep: many desktops
// play the system bell as nothing at all, so an operator looking at the
// radio would miss a duplicate. The tone goes to the sound output
// (sound_output.h); where there is no sound device, the system bell is rung.
// Whether there is one is found out by the sound output's own thread: a
// refusal's beep never holds the program up, even with a sound server that
// has stopped answering.

#include "platform/wav_decoder.h"

#include <memory>

namespace platform {

class SoundOutput;

/// A tone of hz lasting ms, 16-bit mono at sampleRate, faded in and out so
/// it does not click. No samples for a length or rate of zero or less.
[[nodiscard]] WaveData toneWave(int hz, int ms, int sampleRate = 22050);

class TonePlayer {
public:
    TonePlayer();
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    /// Starts the tone and returns at once; a tone still sounding starts
    /// over. The system bell rings instead, from the event loop, when no
    /// sound device will play it.
    void play(int hz = 880, int ms = 150);

private:
    std::unique_ptr<SoundOutput> m_output;
    WaveData m_tone;
    int m_hz = 0;
    int m_ms = 0;
};

}  // namespace platform

#pragma once
// The way to the sound card, shared by everything that makes a sound (the
// voice keyer, the spoken prompts, the refusal beep): a stream of the sound
// server (PulseAudio, or PipeWire speaking its protocol, as every Linux
// desktop has) fed by a thread of its own, so the sound keeps flowing while
// the GUI thread waits without letting events run.
//
// Each output owns one worker thread for its whole life; the GUI thread only
// hands it what to play and reads what became of it. Nothing of the sound
// server's is ever touched from two threads, and nothing is torn down
// while the server may still call into it.

#include "platform/wav_decoder.h"

#include <QString>
#include <functional>
#include <memory>

namespace platform {

class SoundOutput {
public:
    virtual ~SoundOutput() = default;
    /// Starts wave from its beginning, ending what played before, and
    /// returns at once.
    virtual void start(const WaveData& wave) = 0;
    /// Ends what plays at once (the samples still buffered are dropped).
    virtual void stop() = 0;
    /// Whether the sound last started is still on its way out: from start()
    /// until its last sample has left the device, it failed or was stopped.
    [[nodiscard]] virtual bool sounding() const = 0;
    /// Why the sound last started could not be played to its end (the device
    /// refused it, was busy or went away); empty while it plays or when it
    /// played whole.
    [[nodiscard]] virtual QString failure() const = 0;
    /// Whether a sound can be played now: a sound server answers and has an
    /// output device. When not, the reason in *why. Waits a bounded time for
    /// a server that does not answer.
    [[nodiscard]] virtual bool deviceReady(QString* why) = 0;
    /// Starts wave as start() does once the output's own thread has found a
    /// device to hear it, and returns at once: the caller never waits for
    /// the sound server. When there is none (no server, only its dummy
    /// output, or a server that does not answer within a short time),
    /// nothing is played and noDevice is called, once, on the output's
    /// thread, never after a later start, stop or the output's end.
    virtual void startWhenHeard(const WaveData& wave, std::function<void()> noDevice) = 0;
};

/// An output to the default device of the sound server the desktop session
/// names (or PULSE_SERVER). Made whether or not a device is there:
/// deviceReady() says, and a start without one fails with a reason.
[[nodiscard]] std::unique_ptr<SoundOutput> makeSoundOutput();

}  // namespace platform

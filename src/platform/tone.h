#pragma once
// A short tone the program plays itself, for the refusal beep: many desktops
// play the system bell as nothing at all, so an operator looking at the
// radio would miss a duplicate. The tone goes to the default sound output
// through Qt Multimedia; where there is none, the system bell is rung.

#include <QAudioFormat>
#include <QByteArray>
#include <memory>

namespace platform {

/// The samples of a tone of hz lasting ms in format (16-bit or 32-bit float
/// samples; every channel alike), faded in and out so it does not click.
[[nodiscard]] QByteArray toneSamples(const QAudioFormat& format, int hz, int ms);

class TonePlayer {
public:
    TonePlayer();
    ~TonePlayer();
    TonePlayer(const TonePlayer&) = delete;
    TonePlayer& operator=(const TonePlayer&) = delete;

    /// Starts the tone and returns at once; a tone still sounding starts
    /// over. Rings the system bell instead, and returns false, when no
    /// sound output can play it.
    bool play(int hz = 880, int ms = 150);

private:
    struct Output;
    std::unique_ptr<Output> m_output;
    bool m_noOutput = false;
};

}  // namespace platform

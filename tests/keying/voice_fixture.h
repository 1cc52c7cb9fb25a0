#pragma once
// The voice keyer and voice navigation on a program folder of their own,
// installed into the program services as the program does, with silent
// players whose playback is recorded and a recorder on the keying lines.

#include "app/program_services.h"
#include "keying/voice_navigation_window.h"
#include "keying/voice_keyer_window.h"
#include "keying/voice_install.h"
#include "platform/line_recorder.h"
#include "platform/wav_player.h"
#include "support/test_support.h"

#include <QtEndian>
#include <QTest>
#include <cmath>
#include <functional>
#include <sndfile.h>
#include <vector>

namespace testing_support {

/// A wave file of silence: 16-bit mono at 8 kHz, lengthMs long.
inline QByteArray silenceWave(int lengthMs, int sampleRate = 8000)
{
    const quint32 dataBytes = static_cast<quint32>(sampleRate) * lengthMs / 1000 * 2;
    QByteArray b;
    auto u32 = [&b](quint32 v) {
        char c[4];
        qToLittleEndian(v, c);
        b.append(c, 4);
    };
    auto u16 = [&b](quint16 v) {
        char c[2];
        qToLittleEndian(v, c);
        b.append(c, 2);
    };
    b.append("RIFF");
    u32(36 + dataBytes);
    b.append("WAVEfmt ");
    u32(16);
    u16(1);
    u16(1);
    u32(sampleRate);
    u32(sampleRate * 2);
    u16(2);
    u16(16);
    b.append("data");
    u32(dataBytes);
    b.append(QByteArray(dataBytes, '\0'));
    return b;
}

/// A tone of frequency hz at half of full scale, frames long.
inline std::vector<short> toneSamples(int frames, int sampleRate, double hz)
{
    std::vector<short> v(static_cast<std::size_t>(frames));
    for (int i = 0; i < frames; ++i)
        v[static_cast<std::size_t>(i)] =
            static_cast<short>(std::lround(16384.0 * std::sin(2.0 * M_PI * hz * i / sampleRate)));
    return v;
}

/// Writes a wave file in an encoding of libsndfile's writer (SF_FORMAT_WAV
/// with a subformat such as SF_FORMAT_GSM610): a 440 Hz tone, mono at 8 kHz,
/// frames long. False when the writer refused.
inline bool writeEncodedWave(const QString& path, int format, int frames)
{
    SF_INFO info{};
    info.samplerate = 8000;
    info.channels = 1;
    info.format = format;
    SNDFILE* f = sf_open(path.toLocal8Bit().constData(), SFM_WRITE, &info);
    if (!f)
        return false;
    const std::vector<short> tone = toneSamples(frames, 8000, 440.0);
    const bool whole = sf_writef_short(f, tone.data(), frames) == frames;
    return sf_close(f) == 0 && whole;
}

/// Nanoseconds as milliseconds, for readable failures.
inline double ms(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

struct VoiceFixture {
    VoiceFixture()
    {
        fx.state.hardware.setRecorder(&lines);
        fx.state.hardware.parallel().setRecordOnly(true);
        auto& s = fx.state.phoneSettings;
        s.wavePathsAndPttPort[9] = QStringLiteral("0");
        s.pttLineOption = 0;
        s.txtPHLoop = QStringLiteral("0");
        s.parallelAddress = QStringLiteral("&H378");
        voice = keying::VoiceKeying::install(services, fx.state);
        voice->preparePlayer = [this](platform::WavPlayer& p) {
            p.setSilent(true);
            p.setRecorder(&played);
        };
    }

    /// Writes a wave file of silence into the program folder; its path.
    QString wave(const QString& name, int lengthMs) const
    {
        const QString p = fx.path(name);
        writeBytes(p, silenceWave(lengthMs));
        return p;
    }

    keying::VoiceKeyerWindow& phone() { return voice->phone(); }
    keying::VoiceNavigationWindow& blind() { return voice->blind(); }

    void fkey(int keyCode) { services.FKeyPhone(keyCode); }
    /// Waits, letting events run, until pred holds (at most timeoutMs).
    static bool waitFor(const std::function<bool()>& pred, int timeoutMs = 3000)
    {
        return QTest::qWaitFor(pred, timeoutMs);
    }
    /// Waits until PTT is down and the keyer idle.
    bool waitIdle(int timeoutMs = 3000)
    {
        return waitFor([this] { return !phone().endPollTimer.isActive(); }, timeoutMs);
    }

    /// The line events of one kind, in order.
    [[nodiscard]] std::vector<platform::LineEvent> lineEvents(platform::LineEvent::Kind kind) const
    {
        std::vector<platform::LineEvent> out;
        for (const auto& e : lines.events())
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }
    [[nodiscard]] std::vector<platform::PlaybackEvent> playback(platform::PlaybackEvent::Kind kind) const
    {
        std::vector<platform::PlaybackEvent> out;
        for (const auto& e : played.events())
            if (e.kind == kind)
                out.push_back(e);
        return out;
    }

    ProgramFolderFixture fx;
    platform::PlaybackRecorder played;
    platform::LineRecorder lines;
    app::ProgramServices services;
    std::shared_ptr<keying::VoiceKeying> voice;
};

}  // namespace testing_support

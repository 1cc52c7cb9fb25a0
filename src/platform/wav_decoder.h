#pragma once
// Wave files as the operator's recorder makes them, decoded to the samples
// the sound output plays. The encodings themselves (integer and floating
// point PCM, u-law, A-law, IMA and MS ADPCM, GSM 6.10 and the rest a wave
// device plays) are decoded by libsndfile; this unit hands it the file's
// format and sound, nothing else of it, mends the one fault of layout it
// does not take, and checks what comes out.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <optional>

namespace platform {

/// A wave file's sound: 16-bit signed samples in host order, the channels of
/// each frame side by side.
struct WaveData {
    int channels = 0;
    int sampleRate = 0;
    QByteArray samples;
    [[nodiscard]] std::int64_t frames() const
    {
        return channels > 0 ? samples.size() / (2 * static_cast<qsizetype>(channels)) : 0;
    }
    [[nodiscard]] std::int64_t lengthNs() const;
};

/// The most sound a file may hold once decoded; a voice message is seconds
/// long, and a longer file is refused rather than filling the memory.
inline constexpr qsizetype MaxDecodedBytes = 64 * 1024 * 1024;

/// Decodes a wave file's content. nullopt, with a reason in *error, for
/// content that is not a wave file, is damaged, holds no sound or is encoded
/// in a way that cannot be played. What is decoded holds at least one frame.
[[nodiscard]] std::optional<WaveData> decodeWave(const QByteArray& bytes, QString* error = nullptr);

/// Reads and decodes a wave file; nullopt, with a reason in *error, for a
/// missing or unreadable file and for everything decodeWave refuses.
[[nodiscard]] std::optional<WaveData> readWaveFile(const QString& path, QString* error = nullptr);

}  // namespace platform

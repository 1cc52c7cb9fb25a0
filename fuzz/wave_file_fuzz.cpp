// The wave file reader: the voice keyer's messages and the navigation
// prompts. Beyond not failing, a file it accepts must describe sound that
// can be played for a finite time: whole frames, a sane channel count and
// rate, a length that follows from them, and the same result every time,
// from a file or from the content itself.

#include "fuzz_input.h"
#include "platform/wav_decoder.h"

#include <cstdlib>

namespace {

void check(bool holds)
{
    if (!holds)
        std::abort();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    // The input's own buffer, not a copy: reading a byte past its end is
    // caught.
    const QByteArray bytes = QByteArray::fromRawData(reinterpret_cast<const char*>(data), static_cast<qsizetype>(size));
    QString error;
    const auto wave = platform::decodeWave(bytes, &error);
    if (!wave) {
        check(!error.isEmpty());
    } else {
        check(wave->channels >= 1 && wave->channels <= 8);
        check(wave->sampleRate >= 1000 && wave->sampleRate <= 384000);
        const qsizetype frameBytes = 2 * static_cast<qsizetype>(wave->channels);
        check(wave->samples.size() % frameBytes == 0);
        check(wave->samples.size() <= platform::MaxDecodedBytes);
        check(wave->frames() > 0 && wave->frames() == wave->samples.size() / frameBytes);
        const std::int64_t ns = wave->lengthNs();
        check(ns > 0);
        // The length is the frames at the rate, to the nanosecond below.
        const __int128 exact = static_cast<__int128>(wave->frames()) * 1'000'000'000;
        check(static_cast<__int128>(ns) * wave->sampleRate <= exact);
        check(static_cast<__int128>(ns + 1) * wave->sampleRate > exact);
    }

    // The same content read from a file gives the same result.
    QString fileError;
    const auto fromFile =
        platform::readWaveFile(fuzzing::inputFile(QStringLiteral("message.wav"), data, size), &fileError);
    check(fromFile.has_value() == wave.has_value());
    if (wave) {
        check(fromFile->channels == wave->channels && fromFile->sampleRate == wave->sampleRate);
        check(fromFile->samples == wave->samples);
    } else {
        check(fileError == error);
    }
    return 0;
}

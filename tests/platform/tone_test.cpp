#include "platform/beeper.h"
#include "platform/tone.h"

#include <QAudioFormat>
#include <cstring>
#include <gtest/gtest.h>

namespace {
QAudioFormat formatOf(int rate, int channels, QAudioFormat::SampleFormat sample)
{
    QAudioFormat f;
    f.setSampleRate(rate);
    f.setChannelCount(channels);
    f.setSampleFormat(sample);
    return f;
}
}  // namespace

// The beep tone: the right length, loud in the middle, silent at both ends
// (no click), every channel alike, in whichever sample form the device takes.
TEST(Tone, SamplesOfAShortFadedTone)
{
    const QByteArray mono = platform::toneSamples(formatOf(8000, 1, QAudioFormat::Int16), 1000, 100);
    ASSERT_EQ(mono.size(), 800 * 2);
    auto int16At = [&](int i) {
        qint16 s;
        std::memcpy(&s, mono.constData() + 2 * i, 2);
        return s;
    };
    int peak = 0;
    for (int i = 0; i < 800; ++i)
        peak = std::max(peak, std::abs(int(int16At(i))));
    EXPECT_GT(peak, 10000);
    EXPECT_LT(peak, 32767);
    EXPECT_EQ(int16At(0), 0);
    EXPECT_LT(std::abs(int(int16At(799))), 500);

    const QByteArray stereo = platform::toneSamples(formatOf(44100, 2, QAudioFormat::Float), 880, 50);
    ASSERT_EQ(stereo.size(), 2205 * 2 * 4);
    for (int i = 0; i < 2205; i += 97) {
        float left, right;
        std::memcpy(&left, stereo.constData() + 8 * i, 4);
        std::memcpy(&right, stereo.constData() + 8 * i + 4, 4);
        EXPECT_EQ(left, right);
        EXPECT_LE(std::abs(left), 0.41f);
    }
    EXPECT_TRUE(platform::toneSamples(formatOf(8000, 1, QAudioFormat::UInt8), 880, 50).isEmpty());
}

// A silent beeper (the tests') counts and plays nothing.
TEST(Tone, SilentBeeperOnlyCounts)
{
    platform::Beeper beeper(false);
    beeper.beep();
    beeper.beep();
    EXPECT_EQ(beeper.count(), 2);
}

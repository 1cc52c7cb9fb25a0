#include "platform/beeper.h"
#include "platform/tone.h"

#include <cstring>
#include <gtest/gtest.h>

// The beep tone: the right length, loud in the middle, silent at both ends
// (no click).
TEST(Tone, SamplesOfAShortFadedTone)
{
    const platform::WaveData tone = platform::toneWave(1000, 100, 8000);
    ASSERT_EQ(tone.channels, 1);
    ASSERT_EQ(tone.sampleRate, 8000);
    ASSERT_EQ(tone.samples.size(), 800 * 2);
    EXPECT_EQ(tone.lengthNs(), 100'000'000);
    auto int16At = [&](int i) {
        qint16 s;
        std::memcpy(&s, tone.samples.constData() + 2 * i, 2);
        return s;
    };
    int peak = 0;
    for (int i = 0; i < 800; ++i)
        peak = std::max(peak, std::abs(int(int16At(i))));
    EXPECT_GT(peak, 10000);
    EXPECT_LT(peak, 32767);
    EXPECT_EQ(int16At(0), 0);
    EXPECT_LT(std::abs(int(int16At(799))), 500);

    EXPECT_TRUE(platform::toneWave(880, 0).samples.isEmpty());
    EXPECT_TRUE(platform::toneWave(880, 50, 0).samples.isEmpty());
}

// A silent beeper (the tests') counts and plays nothing.
TEST(Tone, SilentBeeperOnlyCounts)
{
    platform::Beeper beeper(false);
    beeper.beep();
    beeper.beep();
    EXPECT_EQ(beeper.count(), 2);
}

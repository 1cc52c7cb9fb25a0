#include "keying/morse.h"
#include "keying/morse_engine.h"
#include "platform/line_recorder.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <vector>

using namespace keying;

TEST(MorseTable, UnitTextsFollowTheEncodingRule)
{
    struct Case {
        QChar c;
        const char* units;
    };
    const Case cases[] = {
        {'A', "10111000"},
        {'a', "10111000"},
        {'E', "1000"},
        {'T', "111000"},
        {'0', "1110111011101110111000"},
        {'.', "10111010111010111000"},
        {',', "1110111010101110111000"},
        {'?', "101011101110101000"},
        {'/', "1110101011101000"},
        {'-', "1110101010111000"},
        {'=', "1110101010111000"},
        {'[', "1011101011101000"},
        {']', "101010111010111000"},
        {';', "111010111011101000"},
        {'\\', "111010111010101110101000"},
        {' ', "00000000"},
        {'!', ""},
        {'(', ""},
        {QChar(0x00E9), ""},
    };
    for (const Case& c : cases)
        EXPECT_EQ(morseUnits(c.c), QString::fromLatin1(c.units)) << QString(c.c).toStdString();
}

TEST(MorseTable, EveryLetterAndDigitHasAPattern)
{
    auto elements = [](const QString& units) {
        return units.left(units.size() - 3).split(QLatin1Char('0'), Qt::SkipEmptyParts).size();
    };
    for (char c = 'A'; c <= 'Z'; ++c) {
        const QString u = morseUnits(QLatin1Char(c));
        EXPECT_TRUE(u.endsWith(QLatin1String("1000"))) << c;
        EXPECT_GE(elements(u), 1) << c;
        EXPECT_LE(elements(u), 4) << c;
    }
    for (char c = '0'; c <= '9'; ++c)
        EXPECT_EQ(elements(morseUnits(QLatin1Char(c))), 5) << c;
}

TEST(MorseTable, WordSpaceFollowsTheSetting)
{
    EXPECT_EQ(characterUnits(' ', 0), QString(8, '0'));
    EXPECT_EQ(characterUnits(' ', 3), QString(11, '0'));
    EXPECT_EQ(characterUnits(' ', -5), QString(3, '0'));
    EXPECT_EQ(characterUnits(' ', -8), QString());
    EXPECT_EQ(characterUnits(' ', -20), QString());
    EXPECT_EQ(characterUnits('E', 5), QStringLiteral("1000"));
}

TEST(MorseTable, SpeedIsKeptWithinTheWindowsRange)
{
    EXPECT_EQ(keyingWpm(0), MinWpm);
    EXPECT_EQ(keyingWpm(-12), MinWpm);
    EXPECT_EQ(keyingWpm(150), MaxWpm);
    EXPECT_EQ(keyingWpm(std::numeric_limits<double>::quiet_NaN()), MinWpm);
    EXPECT_EQ(keyingWpm(20), 20);
    EXPECT_DOUBLE_EQ(unitMs(20), 60);
}

namespace {

struct RecordingLine final : KeyLine {
    struct Change {
        std::int64_t ns;
        bool down;
    };
    std::vector<Change> changes;
    int failAt = -1;  ///< the index of the change that fails
    bool setKey(bool down) override
    {
        const bool ok = static_cast<int>(changes.size()) != failAt;
        changes.push_back({platform::monotonicNs(), down});
        return ok;
    }
};

double ms(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

// An edge is never early. How late it may be is the benchmark's business: a
// busy machine (a loaded CI runner) may hold the thread up for a long time,
// so here the bound only catches an edge that waited a whole extra element.
constexpr double LateAllowanceMs = 250;

void expectEdgeAt(double actualMs, double idealMs, const char* what = "")
{
    EXPECT_GE(actualMs, idealMs - 0.5) << what;
    EXPECT_LT(actualMs, idealMs + LateAllowanceMs) << what;
}

}  // namespace

TEST(MorseEngine, KeysEdgesAtUnitBoundariesAndEndsUp)
{
    for (TimingMethod method : {TimingMethod::Timer, TimingMethod::Sleep}) {
        MorseEngine engine;
        RecordingLine line;
        // 60 WPM: 20 ms units. "A" is down 1, up 1, down 3, up 3.
        const std::int64_t t0 = platform::monotonicNs();
        ASSERT_EQ(engine.key(morseUnits('A'), {60, method, 0}, &line), MorseEngine::Outcome::Keyed);
        const std::int64_t t1 = platform::monotonicNs();
        ASSERT_EQ(line.changes.size(), 4u);
        EXPECT_TRUE(line.changes[0].down);
        EXPECT_FALSE(line.changes[1].down);
        EXPECT_TRUE(line.changes[2].down);
        EXPECT_FALSE(line.changes[3].down);
        const std::int64_t base = line.changes[0].ns;
        expectEdgeAt(ms(line.changes[1].ns - base), 20);
        expectEdgeAt(ms(line.changes[2].ns - base), 40);
        expectEdgeAt(ms(line.changes[3].ns - base), 100);
        expectEdgeAt(ms(t1 - t0), 160, "the trailing gap is part of the character");
    }
}

TEST(MorseEngine, UnknownCharacterTakesNoTimeAndNoLine)
{
    MorseEngine engine;
    RecordingLine line;
    const std::int64_t t0 = platform::monotonicNs();
    engine.key(morseUnits('('), {5, TimingMethod::Timer, 0}, &line);
    EXPECT_TRUE(line.changes.empty());
    EXPECT_LT(ms(platform::monotonicNs() - t0), LateAllowanceMs);
}

TEST(MorseEngine, WithoutALineCharactersAreStillTimed)
{
    MorseEngine engine;
    const std::int64_t t0 = platform::monotonicNs();
    engine.key(morseUnits('E'), {60, TimingMethod::Timer, 0}, nullptr);
    expectEdgeAt(ms(platform::monotonicNs() - t0), 80);
}

TEST(MorseEngine, AFailingLineIsReleasedAndTheCharacterGivenUp)
{
    MorseEngine engine;
    RecordingLine line;
    line.failAt = 0;
    const std::int64_t t0 = platform::monotonicNs();
    EXPECT_EQ(engine.key(morseUnits('0'), {20, TimingMethod::Timer, 0}, &line),
              MorseEngine::Outcome::LineFailed);
    EXPECT_LT(ms(platform::monotonicNs() - t0), LateAllowanceMs);
    ASSERT_EQ(line.changes.size(), 2u);
    EXPECT_FALSE(line.changes.back().down) << "the line is let up after the failure";
}

TEST(MorseEngine, LoopMethodWithoutCalibrationDoesNotWait)
{
    MorseEngine engine;
    RecordingLine line;
    const std::int64_t t0 = platform::monotonicNs();
    engine.key(morseUnits('0'), {5, TimingMethod::Loop, 0}, &line);
    EXPECT_LT(ms(platform::monotonicNs() - t0), LateAllowanceMs);
    EXPECT_FALSE(line.changes.back().down);
}

TEST(MorseEngine, CalibrationMeasuresAUsableCount)
{
    const double loops = MorseEngine::calibrateLoop();
    EXPECT_GT(loops, 0);
    EXPECT_EQ(loops, std::nearbyint(loops));
    // The calibrated loop waits in proportion to the unit (how exactly
    // depends on how busy the machine was while it counted).
    MorseEngine engine;
    const std::int64_t t0 = platform::monotonicNs();
    engine.key(QStringLiteral("0000"), {60, TimingMethod::Loop, loops}, nullptr);
    const double waited = ms(platform::monotonicNs() - t0);
    EXPECT_GT(waited, 10);
    EXPECT_LT(waited, 2000);
}

TEST(MorseEngine, ConsecutiveCharactersKeepOneTimeline)
{
    MorseEngine engine;
    RecordingLine line;
    const UnitTiming timing{60, TimingMethod::Timer, 0};
    engine.key(morseUnits('E'), timing, &line);
    // A short pause between characters, as events running in the send loop.
    const std::int64_t pauseEnd = platform::monotonicNs() + 2'000'000;
    while (platform::monotonicNs() < pauseEnd) {
    }
    engine.key(morseUnits('E'), timing, &line);
    engine.key(morseUnits('T'), timing, &line);
    ASSERT_EQ(line.changes.size(), 6u);
    const std::int64_t base = line.changes[0].ns;
    expectEdgeAt(ms(line.changes[2].ns - base), 80 + 2, "late by the pause");
    expectEdgeAt(ms(line.changes[4].ns - base), 160, "back on the timeline");
    expectEdgeAt(ms(line.changes[5].ns - base), 220);
}

#include "keying/morse.h"
#include "keying/morse_engine.h"
#include "platform/line_recorder.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <atomic>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
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

TEST(MorseTable, TheSpeedShownIsTheSpeedKeyedAndStepsStayInRange)
{
    const std::pair<const char*, const char*> shown[] = {
        {"0", "5"}, {"4", "5"}, {"5", "5"}, {"13", "13"}, {"13.5", "13.5"},
        {"99", "99"}, {"100", "99"}, {"150", "99"}, {"", "5"}, {"x", "5"}};
    for (const auto& [box, expected] : shown)
        EXPECT_EQ(keyedSpeedText(QString::fromLatin1(box)), QString::fromLatin1(expected)) << box;

    struct Step {
        double box;
        int step;
        int expected;
    };
    const Step steps[] = {{0, +1, 6},   {0, -1, 5},   {150, -1, 98}, {150, +1, 99}, {99, +1, 99},
                          {5, -1, 5},   {20, +1, 21}, {20, -1, 19},  {13.5, +1, 14}, {13.5, -1, 13},
                          {-3, +1, 6}};
    for (const Step& s : steps)
        EXPECT_EQ(steppedWpm(s.box, s.step), s.expected) << s.box << " step " << s.step;
}

namespace {

/// A clock that stands still but for the engine's waits, each of which ends
/// exactly at its deadline plus the lateness the test gives that wait (a
/// busy machine holding the thread up).
struct ManualKeyClock final : KeyClock {
    mutable std::int64_t now = 1'000'000'000;
    mutable int waits = 0;
    std::map<int, std::int64_t> lateNs;  ///< by the index of the wait
    /// The wait of this index is cut short, 5 ms in, by an end request.
    int endRequestAt = -1;
    std::atomic<bool>* endRequest = nullptr;
    [[nodiscard]] std::int64_t nowNs() const override { return now; }
    void waitUntil(std::int64_t deadlineNs, TimingMethod, const std::atomic<bool>& stop) const override
    {
        if (waits++ == endRequestAt && endRequest) {
            now += 5'000'000;
            endRequest->store(true);
        }
        if (stop.load())
            return;
        const auto late = lateNs.find(waits - 1);
        now = std::max(now, deadlineNs) + (late == lateNs.end() ? 0 : late->second);
    }
};

struct RecordingLine final : KeyLine {
    struct Change {
        std::int64_t ns;
        bool down;
    };
    explicit RecordingLine(const KeyClock& clock = monotonicKeyClock()) : clock(clock) {}
    const KeyClock& clock;
    std::vector<Change> changes;
    int failAt = -1;  ///< the index of the change that fails
    bool setKey(bool down) override
    {
        const bool ok = static_cast<int>(changes.size()) != failAt;
        changes.push_back({clock.nowNs(), down});
        return ok;
    }
    /// Milliseconds from the first change to each change.
    [[nodiscard]] std::vector<double> edgesMs() const
    {
        std::vector<double> out;
        for (const Change& c : changes)
            out.push_back(static_cast<double>(c.ns - changes.front().ns) / 1e6);
        return out;
    }
};

double ms(std::int64_t ns) { return static_cast<double>(ns) / 1e6; }

using Edges = std::vector<double>;

}  // namespace

TEST(MorseEngine, KeysEdgesAtUnitBoundariesAndEndsUp)
{
    for (TimingMethod method : {TimingMethod::Timer, TimingMethod::Sleep}) {
        ManualKeyClock clock;
        MorseEngine engine(clock);
        RecordingLine line(clock);
        const std::int64_t t0 = clock.now;
        // 60 WPM: 20 ms units. "A" is down 1, up 1, down 3, up 3.
        EXPECT_EQ(engine.key(morseUnits('A'), {60, method, 0}, &line), MorseEngine::Outcome::Keyed);
        EXPECT_EQ(line.edgesMs(), (Edges{0, 20, 40, 100}));
        ASSERT_EQ(line.changes.size(), 4u);
        EXPECT_TRUE(line.changes[0].down);
        EXPECT_FALSE(line.changes[3].down);
        // The trailing gap is part of the character.
        EXPECT_EQ(ms(clock.now - t0), 160);
    }
}

TEST(MorseEngine, OnTheRealClockNoEdgeIsEverEarly)
{
    // How late an edge may be is the benchmark's business; early it never is.
    for (TimingMethod method : {TimingMethod::Timer, TimingMethod::Sleep}) {
        MorseEngine engine;
        RecordingLine line;
        const std::int64_t t0 = platform::monotonicNs();
        engine.key(morseUnits('A'), {60, method, 0}, &line);
        const double took = ms(platform::monotonicNs() - t0);
        // The timeline starts inside the call, so no later than t0; the
        // first change is recorded a moment after the timeline's start.
        ASSERT_EQ(line.changes.size(), 4u);
        EXPECT_GE(ms(line.changes[1].ns - t0), 20);
        EXPECT_GE(ms(line.changes[2].ns - t0), 40);
        EXPECT_GE(ms(line.changes[3].ns - t0), 100);
        EXPECT_GE(took, 160);
        EXPECT_FALSE(line.changes.back().down);
    }
}

TEST(MorseEngine, UnknownCharacterTakesNoTimeAndNoLine)
{
    ManualKeyClock clock;
    MorseEngine engine(clock);
    RecordingLine line(clock);
    engine.key(morseUnits('('), {5, TimingMethod::Timer, 0}, &line);
    EXPECT_TRUE(line.changes.empty());
    EXPECT_EQ(clock.waits, 0);
}

TEST(MorseEngine, WithoutALineCharactersAreStillTimed)
{
    ManualKeyClock clock;
    MorseEngine engine(clock);
    const std::int64_t t0 = clock.now;
    engine.key(morseUnits('E'), {60, TimingMethod::Timer, 0}, nullptr);
    EXPECT_EQ(ms(clock.now - t0), 80);
}

TEST(MorseEngine, AFailingLineIsReleasedAndTheCharacterGivenUp)
{
    ManualKeyClock clock;
    MorseEngine engine(clock);
    RecordingLine line(clock);
    line.failAt = 0;
    EXPECT_EQ(engine.key(morseUnits('0'), {20, TimingMethod::Timer, 0}, &line),
              MorseEngine::Outcome::LineFailed);
    EXPECT_EQ(clock.waits, 0);
    ASSERT_EQ(line.changes.size(), 2u);
    EXPECT_FALSE(line.changes.back().down) << "the line is let up after the failure";
}

TEST(MorseEngine, LoopMethodWithoutCalibrationDoesNotWait)
{
    MorseEngine engine;
    RecordingLine line;
    const std::int64_t t0 = platform::monotonicNs();
    engine.key(morseUnits('0'), {5, TimingMethod::Loop, 0}, &line);
    EXPECT_LT(ms(platform::monotonicNs() - t0), 20);
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
    ManualKeyClock clock;
    MorseEngine engine(clock);
    RecordingLine line(clock);
    const UnitTiming timing{60, TimingMethod::Timer, 0};
    engine.key(morseUnits('E'), timing, &line);
    clock.now += 2'000'000;  // a short pause, as events running in the send loop
    engine.key(morseUnits('E'), timing, &line);
    engine.key(morseUnits('T'), timing, &line);
    // The second E is late by the pause; its key-up and T are back on the
    // timeline of the first E.
    EXPECT_EQ(line.edgesMs(), (Edges{0, 20, 82, 100, 160, 220}));

    // After a pause of half a unit or more the next character starts afresh.
    engine.resetTimeline();
    ManualKeyClock later;
    MorseEngine fresh(later);
    RecordingLine freshLine(later);
    fresh.key(morseUnits('E'), timing, &freshLine);
    later.now += 10'000'000;
    fresh.key(morseUnits('E'), timing, &freshLine);
    EXPECT_EQ(freshLine.edgesMs(), (Edges{0, 20, 90, 110}));
}

TEST(MorseEngine, AnEdgeHeldUpByMoreThanHalfAUnitMovesTheRestOfTheCharacter)
{
    const UnitTiming timing{60, TimingMethod::Sleep, 0};
    struct Case {
        std::int64_t lateMs;  ///< the first unit's wait ends this late
        Edges edges;
        double charMs;
    };
    const Case cases[] = {
        // Within half a unit the timeline holds: the gap after the dot is
        // shortened by the lateness, never by more than half a unit.
        {5, {0, 25, 40, 100}, 160},
        // Later than that the rest moves with it: the dot is long, the gap
        // after it whole.
        {15, {0, 35, 55, 115}, 175},
    };
    for (const Case& c : cases) {
        ManualKeyClock clock;
        clock.lateNs[0] = c.lateMs * 1'000'000;
        MorseEngine engine(clock);
        RecordingLine line(clock);
        const std::int64_t t0 = clock.now;
        engine.key(morseUnits('A'), timing, &line);
        EXPECT_EQ(line.edgesMs(), c.edges) << c.lateMs;
        EXPECT_EQ(ms(clock.now - t0), c.charMs) << c.lateMs;
    }
}

TEST(MorseEngine, TheGapIsLeftToTheCallerWithTheLineUpAndKeptOnTheTimeline)
{
    for (TimingMethod method : {TimingMethod::Timer, TimingMethod::Sleep}) {
        ManualKeyClock clock;
        MorseEngine engine(clock);
        RecordingLine line(clock);
        const UnitTiming timing{60, method, 0};
        const std::int64_t t0 = clock.now;
        // "A" (20 ms units): the elements take 100 ms, then the line is up
        // and the engine returns, the 60 ms gap still to come.
        EXPECT_EQ(engine.keyToGap(morseUnits('A'), timing, &line), MorseEngine::Outcome::Keyed);
        EXPECT_EQ(ms(clock.now - t0), 100);
        ASSERT_FALSE(line.changes.empty());
        EXPECT_FALSE(line.changes.back().down);
        // Events take 30 ms of the gap; the wait ends on the timeline.
        clock.now += 30'000'000;
        EXPECT_EQ(engine.finishCharacter(), MorseEngine::Outcome::Keyed);
        EXPECT_EQ(ms(clock.now - t0), 160);
        EXPECT_EQ(engine.finishCharacter(), MorseEngine::Outcome::Keyed) << "nothing pending: no wait";
        EXPECT_EQ(ms(clock.now - t0), 160);
        // The next character starts on time, and a blank is all gap.
        engine.keyToGap(morseUnits('E'), timing, &line);
        EXPECT_EQ(ms(clock.now - t0), 180);
        engine.keyToGap(QStringLiteral("00000000"), timing, &line);
        EXPECT_EQ(ms(clock.now - t0), 240) << "E's gap is waited out before the blank";
        engine.keyToGap(morseUnits('E'), timing, &line);
        EXPECT_EQ(line.edgesMs(), (Edges{0, 20, 40, 100, 160, 180, 240, 400, 420}));
    }
}

TEST(MorseEngine, AnEndRequestLetsTheLineUpAndGivesUpTheCharacter)
{
    struct Case {
        TimingMethod method;
        int endAtWait;        ///< the wait an end request cuts short
        bool toGap;           ///< keyed up to the gap, then finished
        double endedAtMs;     ///< when the engine returned
        Edges edges;
    };
    const Case cases[] = {
        // In the middle of the dash of "T" (wait 0): up at once.
        {TimingMethod::Timer, 0, false, 5, {0, 5}},
        {TimingMethod::Sleep, 0, false, 5, {0, 5}},
        // In the trailing gap: the line is up already.
        {TimingMethod::Timer, 3, false, 185, {0, 180}},
        {TimingMethod::Sleep, 3, true, 185, {0, 180}},
    };
    for (const Case& c : cases) {
        ManualKeyClock clock;
        std::atomic<bool> end{false};
        clock.endRequest = &end;
        clock.endRequestAt = c.endAtWait;
        MorseEngine engine(clock, &end);
        RecordingLine line(clock);
        const std::int64_t t0 = clock.now;
        const UnitTiming timing{20, c.method, 0};  // 60 ms units
        MorseEngine::Outcome outcome = MorseEngine::Outcome::Keyed;
        if (c.toGap) {
            // The dash is a single wait to the gap; the gap's wait is next.
            EXPECT_EQ(engine.keyToGap(morseUnits('T'), timing, &line), MorseEngine::Outcome::Keyed);
            outcome = engine.finishCharacter();
        } else {
            outcome = engine.key(morseUnits('T'), timing, &line);
        }
        EXPECT_EQ(outcome, MorseEngine::Outcome::Stopped) << c.endAtWait;
        EXPECT_EQ(ms(clock.now - t0), c.endedAtMs) << c.endAtWait;
        EXPECT_EQ(line.edgesMs(), c.edges) << c.endAtWait;
        EXPECT_FALSE(line.changes.back().down);
        // Nothing more is keyed once the end was asked for.
        EXPECT_EQ(engine.key(morseUnits('E'), timing, &line), MorseEngine::Outcome::Stopped);
        EXPECT_EQ(line.edgesMs(), c.edges);
    }
}

// The tune window's rules: tune steps, scan steps, what may be sent to the
// rig and which keys the boxes take.

#include "radio/rig_tune.h"

#include <QStringList>
#include <gtest/gtest.h>

using namespace radio::tune;

namespace {

std::string text(const std::optional<QString>& t) { return t ? t->toStdString() : "<nothing>"; }

}  // namespace

TEST(RigTuneRules, TuneStepsAddAndShowTheDecimalValue)
{
    struct Case {
        const char* box;
        double change;
        const char* expected;
    };
    const Case cases[] = {
        {"14", +0.005, "14.005"},      {"14.005", -0.005, "14"},   {"14", +0.00001, "14.00001"},
        {"14.0001", -0.0001, "14"},    {"7.15", +1, "8.15"},       {"0.00001", -0.00001, "0"},
        {"1", -1, "0"},                {"0.5", -1, "-0.5"},        {"1270", +0.001, "1270.001"},
        {"", +1, "<nothing>"},         {"14/2", +1, "<nothing>"},  {"1.2.3", +1, "<nothing>"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.box);
        EXPECT_EQ(text(steppedFrequency(QString::fromLatin1(c.box), c.change)), c.expected);
    }
}

TEST(RigTuneRules, ScanClimbsByTheStepAndStartsAgainAtFromPastTo)
{
    // 100 Hz steps from 14 up to 14.00025.
    QString box = QStringLiteral("14");
    QStringList seen;
    for (int i = 0; i < 4; ++i) {
        box = nextScanFrequency(box, QStringLiteral("14"), QStringLiteral("14.00025"), 10).value();
        seen << box;
    }
    EXPECT_EQ(seen, (QStringList{"14.0001", "14.0002", "14.", "14.0001"}));

    // To itself is reached although neither has an exact binary form.
    EXPECT_EQ(text(nextScanFrequency("14.0002", "14", "14.0003", 10)), "14.0003");
    EXPECT_EQ(text(nextScanFrequency("14.0003", "14", "14.0003", 10)), "14.");
    // From above To: every tick lands on From.
    EXPECT_EQ(text(nextScanFrequency("21", "21.5", "21", 250)), "21.5");
    // The scan does not check that it lies above From.
    EXPECT_EQ(text(nextScanFrequency("7", "14", "14.35", 250)), "7.0025");
}

TEST(RigTuneRules, ScanNeverStandsStillOnTheUpperBands)
{
    // In single precision 1270 + 10 Hz is 1270 again.
    EXPECT_EQ(text(nextScanFrequency("1270", "1270", "1300", 1)), "1270.00001");
    EXPECT_EQ(text(nextScanFrequency("1270.00001", "1270", "1300", 1)), "1270.00002");
    EXPECT_EQ(text(nextScanFrequency("435.00003", "435", "436", 3)), "435.00006");
}

TEST(RigTuneRules, ScanDoesNothingUnlessAllThreeBoxesHoldNumbers)
{
    EXPECT_FALSE(nextScanFrequency("", "14", "14.35", 1));
    EXPECT_FALSE(nextScanFrequency("14/", "14", "14.35", 1));
    EXPECT_FALSE(nextScanFrequency("14", "", "14.35", 1));
    EXPECT_FALSE(nextScanFrequency("14", "14", "1/4", 1));
    EXPECT_FALSE(nextScanFrequency("14", "14", ".", 1));
    // Digits beyond any rig cannot overflow the count.
    EXPECT_FALSE(nextScanFrequency("99999999999999999999999", "14", "14.35", 1));
}

TEST(RigTuneRules, ScanTextHasFiveDecimalsAtMostAndKeepsThePoint)
{
    EXPECT_EQ(scanFrequencyText(54), "54.");
    EXPECT_EQ(scanFrequencyText(0.5), ".5");
    EXPECT_EQ(scanFrequencyText(14.0001), "14.0001");
    EXPECT_EQ(scanFrequencyText(14.000014), "14.00001");
    EXPECT_EQ(scanFrequencyText(1270), "1270.");
    EXPECT_EQ(scanFrequencyText(-0.25), "-.25");
    // What the scan writes reads back as the same number.
    EXPECT_EQ(boxNumber("54.").value_or(0), 54);
    EXPECT_EQ(boxNumber(".5").value_or(0), 0.5);
}

TEST(RigTuneRules, OnlyAFrequencyARigCanTakeIsSent)
{
    EXPECT_EQ(frequencyToTune("146").value_or(0), 146.0f);
    EXPECT_EQ(frequencyToTune("14.2005").value_or(0), 14.2005f);
    EXPECT_EQ(frequencyToTune(".5").value_or(0), 0.5f);
    for (const char* bad : {"", "0", "0.0", ".", "-0.5", "-1", "14/2", "1e40", "1e-50", "nan", "inf"})
        EXPECT_FALSE(frequencyToTune(QString::fromLatin1(bad))) << bad;
}

TEST(RigTuneRules, PresetsShowTheirFrequencyAsTyped)
{
    EXPECT_EQ(presetText(BandPresets[0]), "1.9");
    EXPECT_EQ(presetText(BandPresets[1]), "3.75");
    EXPECT_EQ(presetText(BandPresets[8]), "24.94");
    EXPECT_EQ(presetText(BandPresets[10]), "52");
    EXPECT_EQ(presetText(BandPresets[11]), "146");
    EXPECT_EQ(presetText(BandPresets[15]), "1270");
}

TEST(RigTuneRules, BoxesTakeDigitsPointSlashAndBackspaceOnly)
{
    for (int k = 0; k < 256; ++k) {
        const bool expected = k == 8 || k == '.' || k == '/' || (k >= '0' && k <= '9');
        EXPECT_EQ(keyPasses(k), expected) << k;
    }
}

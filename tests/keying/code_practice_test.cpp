#include "keying/code_practice.h"

#include <gtest/gtest.h>

using namespace keying;

TEST(CodePracticeText, PoolHoldsLettersDigitsAndPunctuation)
{
    EXPECT_EQ(practicePool().size(), 41);
    EXPECT_EQ(practicePool().left(26), QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZ"));
    EXPECT_EQ(practicePool().right(5), QStringLiteral(".,?/-"));
}

TEST(CodePracticeText, GroupsAreFollowedByOneBlankEach)
{
    double r = 0;
    auto draw = [&r] {
        const double v = r;
        r += 0.13;
        if (r >= 1)
            r -= 1;
        return v;
    };
    const QString letters = generatePracticeGroups(3, 4, true, draw);
    ASSERT_EQ(letters.size(), 15);
    for (int g = 0; g < 3; ++g) {
        EXPECT_EQ(letters[g * 5 + 4], QLatin1Char(' '));
        for (int c = 0; c < 4; ++c)
            EXPECT_TRUE(letters[g * 5 + c].isLetter());
    }
    EXPECT_EQ(generatePracticeGroups(2, 0, false, draw), QStringLiteral("  "));
    // The last draw below 1 still lands on the pool's last character.
    EXPECT_EQ(generatePracticeGroups(1, 1, false, [] { return 0.9999999; }), QStringLiteral("- "));
    EXPECT_EQ(generatePracticeGroups(1, 1, true, [] { return 0.9999999; }), QStringLiteral("Z "));
}

TEST(CodePracticeText, AMistypedHugeCountIsBounded)
{
    const QString text = generatePracticeGroups(50'000'000, 50'000'000, false, [] { return 0.5; });
    EXPECT_EQ(text.size(), MaxPracticeGroups * (MaxPracticeGroupSize + 1));
}

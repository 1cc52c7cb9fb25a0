#include "app/utc_check.h"
#include "app/app_state.h"
#include "support/test_support.h"

#include <gtest/gtest.h>

using namespace testing_support;

TEST(UtcCheck, RecommendedOffsetFromOneReading)
{
    struct Case {
        int offsetSeconds;
        float expected;
    };
    const Case cases[] = {{-8 * 3600, 8.0f}, {-7 * 3600, 7.0f}, {19800, -5.5f}, {-20 * 60, 0.33f}, {0, 0.0f}};
    for (const Case& c : cases) {
        const QDateTime local(QDate(2026, 10, 3), QTime(23, 59, 59, 999), Qt::OffsetFromUTC, c.offsetSeconds);
        EXPECT_FLOAT_EQ(app::recommendedUtcOffset(local), c.expected) << c.offsetSeconds;
    }
}

TEST(UtcCheck, MatchingOffsetShowsNothing)
{
    ProgramFolderFixture fx;
    fx.fakes.clock.set(QDate(2026, 1, 10), QTime(9, 0), -8 * 3600);
    fx.state.prefs.UtcOffsetHours = 8;
    app::CheckUtcOffset(fx.state);
    EXPECT_TRUE(fx.fakes.prompt.shown().empty());
}

TEST(UtcCheck, DaylightTimeOffersSevenAndOkStoresIt)
{
    ProgramFolderFixture fx;
    fx.fakes.clock.set(QDate(2026, 10, 3), QTime(9, 5), -7 * 3600);
    fx.state.prefs.UtcOffsetHours = 8;
    fx.fakes.prompt.answer(QStringLiteral("7"));
    app::CheckUtcOffset(fx.state);
    ASSERT_EQ(fx.fakes.prompt.shown().size(), 1u);
    const auto& box = fx.fakes.prompt.shown()[0];
    EXPECT_EQ(box.title, QStringLiteral("Update the Local Time / UTC Offset?"));
    EXPECT_EQ(box.defaultText, QStringLiteral("7"));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Current System Time: 16:05")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Current Local Time: 09:05")));
    EXPECT_TRUE(box.text.contains(QStringLiteral("Recommended Offset Setting: 7\n\nCurrent Offset Setting: 8")));
    EXPECT_FLOAT_EQ(fx.state.prefs.UtcOffsetHours, 7);
    EXPECT_FALSE(readBytes(fx.path(QStringLiteral("QSOpref.txt"))).isEmpty());
}

TEST(UtcCheck, CancelEmptyTextOrNonsenseChangesNothing)
{
    for (const QString& answer : {QString(), QStringLiteral("soon"), QStringLiteral("2e14"), QStringLiteral("-25")}) {
        ProgramFolderFixture fx;
        fx.fakes.clock.set(QDate(2026, 10, 3), QTime(9, 5), -7 * 3600);
        fx.state.prefs.UtcOffsetHours = 7.99f;
        fx.fakes.prompt.answer(answer);
        app::CheckUtcOffset(fx.state);
        EXPECT_EQ(fx.fakes.prompt.shown().size(), 1u);
        EXPECT_FLOAT_EQ(fx.state.prefs.UtcOffsetHours, 7.99f);
        EXPECT_TRUE(readBytes(fx.path(QStringLiteral("QSOpref.txt"))).isEmpty());
    }
}

TEST(UtcCheck, TypedValueIsStored)
{
    ProgramFolderFixture fx;
    fx.fakes.clock.set(QDate(2026, 10, 3), QTime(9, 5), -7 * 3600);
    fx.fakes.prompt.answer(QStringLiteral("7.5"));
    app::CheckUtcOffset(fx.state);
    EXPECT_FLOAT_EQ(fx.state.prefs.UtcOffsetHours, 7.5f);
}

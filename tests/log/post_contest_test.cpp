#include "log/post_contest.h"

#include <gtest/gtest.h>

using namespace contactlog;

TEST(PostContest, ValidationTable)
{
    const QDate today(2021, 10, 4);
    using O = PostContestCheck::Outcome;
    struct Case {
        const char* date;
        const char* time;
        O outcome;
        const char* dateAfter;
        const char* timeAfter;
    };
    const Case cases[] = {
        {"2021/10/02", "1405", O::Ok, "2021/10/02", "14:05"},
        {"2021/10/2", "945", O::Ok, "2021/10/02", "09:45"},
        {"10/2/2021", "9:45", O::Ok, "2021/10/02", "09:45"},
        {"10/2", "23:59", O::Ok, "2021/10/02", "23:59"},
        {"10/2/21", "0000", O::Ok, "2021/10/02", "00:00"},
        {"2021/10/02", "12", O::InvalidTime, "2021/10/02", "12"},
        {"2021/10/02", "12345", O::InvalidTime, "2021/10/02", "12345"},
        {"2021/10/02", "2400", O::InvalidTime, "2021/10/02", "2400"},
        {"2021/10/02", "1260", O::InvalidTime, "2021/10/02", "1260"},
        {"2021/10/02", "", O::InvalidTime, "2021/10/02", ""},
        {"", "1405", O::InvalidDate, "", "1405"},
        {"2021/02/30", "1405", O::InvalidDate, "2021/02/30", "1405"},
        {"2021/1/", "1405", O::InvalidDate, "2021/1/", "1405"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.date) + " " + c.time);
        const PostContestCheck check = validatePostContest(c.date, c.time, today);
        EXPECT_EQ(check.outcome, c.outcome);
        EXPECT_EQ(check.date, c.dateAfter);
        EXPECT_EQ(check.time, c.timeAfter);
    }
    EXPECT_EQ(validatePostContest("", "", today).message, "Invalid date format!");
    EXPECT_EQ(validatePostContest("2021/10/02", "99", today).message, "Invalid time format!");
}

TEST(PostContest, BoxesAndKeys)
{
    EXPECT_EQ(postContestDateFill(QDate(2021, 10, 4)), "2021/10/04");
    EXPECT_TRUE(postContestDateKeyAllowed('/'));
    EXPECT_TRUE(postContestDateKeyAllowed('7'));
    EXPECT_TRUE(postContestDateKeyAllowed(8));
    EXPECT_FALSE(postContestDateKeyAllowed(':'));
    EXPECT_TRUE(postContestTimeKeyAllowed(':'));
    EXPECT_FALSE(postContestTimeKeyAllowed('/'));
    EXPECT_FALSE(postContestTimeKeyAllowed('a'));
}

#include "platform/events.h"
#include "platform/line_recorder.h"

#include <QTimer>

#include <gtest/gtest.h>

namespace {

TEST(WaitTest, WaitMsLetsNoEventRunAndWaitsAtLeastTheTime)
{
    bool ran = false;
    QTimer::singleShot(0, [&] { ran = true; });
    const auto start = platform::monotonicNs();
    platform::waitMs(20);
    const auto elapsedMs = (platform::monotonicNs() - start) / 1'000'000;
    EXPECT_GE(elapsedMs, 20);
    EXPECT_FALSE(ran);
    platform::waitMs(0);
    platform::waitMs(-5);

    platform::waitMsLettingEventsRun(20);
    EXPECT_TRUE(ran);
}

TEST(WaitTest, WaitLettingEventsRunEndsOnTimeUnderAStreamOfEvents)
{
    int count = 0;
    QTimer busy;
    QObject::connect(&busy, &QTimer::timeout, [&] { ++count; });
    busy.start(0);
    const auto start = platform::monotonicNs();
    platform::waitMsLettingEventsRun(30);
    const auto elapsedMs = (platform::monotonicNs() - start) / 1'000'000;
    EXPECT_GE(elapsedMs, 30);
    EXPECT_LT(elapsedMs, 1000);
    EXPECT_GT(count, 0);
}

}  // namespace

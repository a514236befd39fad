// The tick clock and the replay feed: when ticks and replayed events are due, with made-up times.
#include <gtest/gtest.h>

#include "run/replay_feed.h"
#include "run/tick_clock.h"

namespace kx {
namespace {

constexpr std::int64_t kPeriod = 15'625'000;  // 1/64 s

int take_all(TickClock& clock, std::int64_t now) {
    int n = 0;
    while (clock.take_due(now)) ++n;
    return n;
}

TEST(TickClock, TickNIsDueAtStartPlusNPeriods) {
    TickClock clock(kPeriod);
    clock.start(1000);
    EXPECT_EQ(take_all(clock, 1000 + kPeriod - 1), 0);
    EXPECT_EQ(clock.next_due(), 1000 + kPeriod);
    EXPECT_EQ(take_all(clock, 1000 + kPeriod), 1);
    EXPECT_EQ(take_all(clock, 1000 + 3 * kPeriod + 5), 2);
    EXPECT_EQ(clock.late_ns(1000 + 3 * kPeriod + 5), 5);
    EXPECT_EQ(clock.next_due(), 1000 + 4 * kPeriod);
}

TEST(TickClock, AfterAStallAtMostTheCatchUpCapRunsAndTheRestIsSkipped) {
    TickClock clock(kPeriod);
    clock.start(0);
    EXPECT_EQ(take_all(clock, 100 * kPeriod), kMaxCatchUpTicks);
    EXPECT_EQ(clock.skipped(), 100 - kMaxCatchUpTicks);
    // The grid stays where it was: the next tick is due on the next multiple of the period.
    EXPECT_EQ(clock.next_due(), 101 * kPeriod);
    EXPECT_EQ(take_all(clock, 101 * kPeriod), 1);
}

TEST(TickClock, APauseMovesTheGridOnWithoutABurst) {
    TickClock clock(kPeriod);
    clock.start(0);
    EXPECT_EQ(take_all(clock, 2 * kPeriod + 10), 2);
    clock.pause(2 * kPeriod + 10);
    EXPECT_EQ(take_all(clock, 500 * kPeriod), 0);
    clock.resume(500 * kPeriod);
    EXPECT_EQ(take_all(clock, 500 * kPeriod), 0);
    EXPECT_EQ(clock.next_due(), 500 * kPeriod + kPeriod - 10);
    EXPECT_EQ(take_all(clock, 501 * kPeriod), 1);
    EXPECT_EQ(clock.skipped(), 0);
}

TEST(TickClock, ANewStreakStartsItsOwnGrid) {
    TickClock clock(kPeriod);
    clock.start(0);
    take_all(clock, 10 * kPeriod);
    clock.start(77 * kPeriod + 3);
    EXPECT_EQ(take_all(clock, 78 * kPeriod + 2), 0);
    EXPECT_EQ(take_all(clock, 78 * kPeriod + 3), 1);
}

TEST(PresentGrid, FramesGoOutOnTheRefreshGridThatDoesNotDrift) {
    const PresentGrid grid(100, 16);
    EXPECT_EQ(grid.next_after(0), 100);
    EXPECT_EQ(grid.next_after(100), 116);
    EXPECT_EQ(grid.next_after(131), 132);
    EXPECT_EQ(grid.next_after(16'100), 16'116);
}

TEST(ReplayFeed, AnEventIsDueAtItsStampOrAtOnceWhileNoTimerRuns) {
    ReplayFeed feed({{0, true, 32}, {40, true, 39}, {40, false, 39}, {90, true, 90}}, 90);
    ASSERT_NE(feed.due(0, false), nullptr);
    feed.pop();
    EXPECT_EQ(feed.due(39, true), nullptr);
    EXPECT_EQ(feed.due(39, false)->code, 39);  // no tick can come to reach it
    EXPECT_EQ(feed.due(40, true)->code, 39);
    feed.pop();
    feed.pop();
    EXPECT_EQ(feed.due(100, true), nullptr);  // at the tick limit: the run ends before it
    EXPECT_TRUE(feed.done());

    ReplayFeed taken_over({{0, true, 32}});
    taken_over.stop();  // the player took over
    EXPECT_TRUE(taken_over.done());
    EXPECT_EQ(feed.due(1000, false), nullptr);
}

}  // namespace
}  // namespace kx

// Controllers read by polling: connected ones often, empty slots now and then, and only what
// changed between two readings reaches the game.
#include <gtest/gtest.h>

#include "play/game_keys.h"
#include "real_time.h"
#include "run/polled_pads.h"

namespace kx {
namespace {

using test::RealTime;

constexpr unsigned kDown = 1U << unsigned(GamepadKeys::Button::DpadDown);

TEST(PolledPads, EmptySlotsAreLookedAtNowAndThenAndOnlyChangesReachTheGame) {
    RealTime run(5);
    run.start_play();
    PolledPads pads(4);
    EXPECT_EQ(pads.due(run.now), (std::vector<int>{0, 1, 2, 3}));
    pads.read(2, PadReading{kDown, 0, 0}, *run.driver, run.now);
    for (const int slot : {0, 1, 3}) pads.read(slot, std::nullopt, *run.driver, run.now);
    EXPECT_EQ(run.s().jikidy, 7);
    EXPECT_TRUE(pads.due(run.now + 1).empty());
    EXPECT_EQ(pads.next_poll(), run.now + PolledPads::kReadEveryNs);
    EXPECT_EQ(pads.due(run.now + PolledPads::kReadEveryNs), (std::vector<int>{2}));  // only the connected one
    const auto events = run.recorded().size();
    pads.read(2, PadReading{kDown, 0, 0}, *run.driver, run.now);  // the same state: nothing new
    EXPECT_EQ(run.recorded().size(), events);
    pads.read(2, std::nullopt, *run.driver, run.now);  // pulled out: its key comes up
    EXPECT_EQ(run.s().jikidy, 0);
    EXPECT_EQ(pads.next_poll(), run.now + PolledPads::kLookEveryNs);
}

}  // namespace
}  // namespace kx

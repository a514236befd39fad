// The driver's key routing in a running game: keys held and released, focus loss, the pause,
// controllers, and replays that keys wait for and Escape hands over.
#include <gtest/gtest.h>

#include "draw/overlays.h"
#include "play/game_keys.h"
#include "real_time.h"

namespace kx {
namespace {

using namespace test;

TEST(DriverKeys, EveryReleaseWhosePressReachedTheGameReachesIt) {
    RealTime run(5);
    run.start_play();
    run.press(kGameKeys.down);
    run.periods(3);
    EXPECT_EQ(run.s().jikidy, 7);
    run.release(kGameKeys.down);  // whatever the front end saw meanwhile (Alt held, ...)
    EXPECT_EQ(run.s().jikidy, 0);
    // A release without a press that reached the game does not reach it.
    const auto before = run.recorded().size();
    run.release(kGameKeys.left);
    EXPECT_EQ(run.recorded().size(), before);
}

TEST(DriverKeys, LosingFocusReleasesEveryHeldKeyAndPausesPlay) {
    RealTime run(5);
    run.start_play();
    run.press(kGameKeys.right);
    run.press(kGameKeys.up);
    run.periods(2);
    run.driver->focus_lost(run.now);
    EXPECT_EQ(run.s().jikidx, 0);
    EXPECT_EQ(run.s().jikidy, 0);
    ASSERT_GE(run.recorded().size(), 2u);
    EXPECT_FALSE(run.recorded().back().down);
    EXPECT_TRUE(run.driver->paused());
    const auto ticks = run.ticks();
    run.periods(500);
    EXPECT_EQ(run.ticks(), ticks);
    // The keys come up only once, however often they are released later.
    const auto before = run.recorded().size();
    run.release(kGameKeys.right);
    EXPECT_EQ(run.recorded().size(), before);
}

TEST(DriverKeys, FocusLossCanBeToldNotToPause) {
    RealTime run(5, std::nullopt, false);
    run.start_play();
    run.driver->focus_lost(run.now);
    EXPECT_FALSE(run.driver->paused());
    const auto ticks = run.ticks();
    run.periods(10);
    EXPECT_EQ(run.ticks(), ticks + 10);
}

TEST(DriverPause, PPausesPlayAndPOrReturnGoesOnWithoutABurst) {
    RealTime run(5);
    run.start_play();
    run.press(kKeyP);
    run.release(kKeyP);
    EXPECT_TRUE(run.driver->paused());
    const auto ticks = run.ticks();
    run.press(kGameKeys.right);  // keys do not reach a paused game
    run.periods(1000);
    EXPECT_EQ(run.ticks(), ticks);
    EXPECT_EQ(run.s().jikidx, 0);
    run.press(kKeyReturn);
    EXPECT_FALSE(run.driver->paused());
    run.periods(1);
    EXPECT_EQ(run.ticks(), ticks + 1);
    // The paused frame is the game's frame dimmed, with a line on it.
    run.press(kKeyPause);
    const Frame paused = run.driver->present(run.now);
    EXPECT_LT(paused.at(5, 5) & 0xFF, 0x40u);
}

TEST(DriverPause, PAndPauseReachTheGameOnTheTitleScreen) {
    RealTime run(5);
    run.press(kKeyP);
    EXPECT_FALSE(run.driver->paused());
    EXPECT_TRUE(run.game().form1.Timer2.running());  // any key starts a game
}

TEST(DriverReplay, KeysWaitForTheReplayEscapeHandsOverAndTheBoxClosesByItself) {
    InputScript script;
    script.events = {{0, true, kKeySpace}, {0, false, kKeySpace}};
    RealTime run(kQuickDeathSeed, script);
    run.periods(1);
    EXPECT_TRUE(run.game().form1.Timer2.running());
    run.periods(40);
    EXPECT_FALSE(run.driver->replaying());  // no events left: the keyboard drives from now on
    run.press(kGameKeys.up);
    EXPECT_EQ(run.s().jikidy, -7);
    run.release(kGameKeys.up);

    InputScript long_one;
    long_one.events = {{0, true, kKeySpace}, {0, false, kKeySpace}, {100'000, true, kGameKeys.fire}};
    RealTime watched(kQuickDeathSeed, long_one);
    watched.periods(41);
    watched.press(kGameKeys.up);
    EXPECT_EQ(watched.s().jikidy, 0);  // a replay is watched, not played
    watched.play_into_game_over();
    watched.periods(int(Driver::kReplayBoxNs / kPeriod) + 1);
    EXPECT_FALSE(watched.driver->box_open());
    watched.press(kKeyEscape);
    EXPECT_FALSE(watched.driver->replaying());
    watched.press(kGameKeys.down);
    EXPECT_EQ(watched.s().gamemode, 0);
    EXPECT_TRUE(watched.game().form1.Timer2.running());
}

TEST(DriverReplay, EscapeLetsGoOfTheReplaysKeysAndAKeyHeldIntoTheBoxDoesNotCloseIt) {
    InputScript script;
    script.events = {
        {0, true, kKeySpace}, {0, false, kKeySpace}, {45, true, kGameKeys.up}, {100'000, true, kGameKeys.fire}};
    RealTime run(5, script);
    run.periods(50);
    EXPECT_EQ(run.s().jikidy, -7);
    run.driver->focus_lost(run.now);  // a replay plays on
    EXPECT_EQ(run.s().jikidy, -7);
    run.press(kKeyEscape);
    EXPECT_EQ(run.s().jikidy, 0);
    ASSERT_FALSE(run.recorded().empty());
    EXPECT_EQ(run.recorded().back(), (KeyEvent{run.ticks(), false, kGameKeys.up}));

    RealTime held(kQuickDeathSeed);
    held.start_play();
    held.press(kKeySpace);
    held.play_into_game_over();
    held.press(kKeySpace);  // the desktop's key repeat
    held.release(kKeySpace);
    EXPECT_TRUE(held.driver->box_open());
    held.press(kKeySpace);
    held.release(kKeySpace);
    EXPECT_FALSE(held.driver->box_open());
}

TEST(DriverPads, AControllersKeysReachTheGameRepeatAndComeUpWhenItGoes) {
    using B = GamepadKeys::Button;
    RealTime run(5);
    run.start_play();
    run.driver->pad_button(1, B::DpadDown, true, run.now);
    run.driver->pad_button(2, B::DpadRight, true, run.now);  // a second controller
    run.periods(2);
    EXPECT_EQ(run.s().jikidy, 7);
    EXPECT_EQ(run.s().jikidx, 7);
    run.periods(int(GamepadKeys::kRepeatDelayMs * 1'000'000 / kPeriod) + 4);
    int downs = 0;
    for (const KeyEvent& e : run.recorded()) downs += e.down && e.code == kGameKeys.down;
    EXPECT_GT(downs, 1);  // held: it repeats like a keyboard's key
    run.driver->pad_gone(1, run.now);
    EXPECT_EQ(run.s().jikidy, 0);
    EXPECT_EQ(run.s().jikidx, 7);  // the other controller still holds its key

    // While paused no tick is due, but a held button's repeat still wakes the loop.
    run.press(kKeyP);
    ASSERT_TRUE(run.driver->paused());
    run.driver->pad_button(2, B::DpadUp, true, run.now);
    run.driver->present(run.now);
    EXPECT_EQ(run.driver->wake_at(), run.now + GamepadKeys::kRepeatDelayMs * 1'000'000);
}

}  // namespace
}  // namespace kx

// The game-over box in a running game: what it lets through, what closes it, what it shows and
// what its open time counts for; and a game with pauses, focus loss and a box that replays to
// the same trace.
#include <gtest/gtest.h>

#include "draw/overlays.h"
#include "play/game_keys.h"
#include "real_time.h"

namespace kx {
namespace {

using namespace test;

TEST(DriverBox, NothingRunsWhileTheBoxIsOpenAndOnlyItsKeysCloseIt) {
    RealTime run(kQuickDeathSeed);
    run.start_play();
    run.play_into_game_over();
    const auto ticks = run.ticks();
    const auto events = run.recorded().size();
    run.periods(300);
    for (const int code : {kGameKeys.fire, kGameKeys.left, kGameKeys.up, kGameKeys.right, kGameKeys.down}) {
        run.press(code);
        run.release(code);
    }
    EXPECT_TRUE(run.driver->box_open());
    EXPECT_EQ(run.ticks(), ticks);
    EXPECT_EQ(run.recorded().size(), events);
    run.press(kKeyReturn);
    EXPECT_TRUE(run.driver->box_open());  // it closes on the release
    run.release(kKeyReturn);
    EXPECT_FALSE(run.driver->box_open());
    EXPECT_EQ(run.game().s.gamemode, 0);
}

TEST(DriverBox, ItsOpenTimeIsNeitherRunningTimeNorRefreshesWithoutAFrame) {
    RealTime run(kQuickDeathSeed);
    run.start_play();
    run.play_into_game_over();
    const WindowStats& stats = run.driver->stats();
    const double seconds = stats.running_seconds(run.now);
    const auto repeated = stats.repeated_refreshes(run.now);
    run.periods(640);  // ten seconds with the box left open
    EXPECT_EQ(stats.running_seconds(run.now), seconds);
    EXPECT_EQ(stats.repeated_refreshes(run.now), repeated);
    // So the cadence holds: the ticks are those the running time asks for, to a tick or two.
    EXPECT_NEAR(double(stats.ticks()), seconds * 1e9 / double(kPeriod), 2.0);
    run.press(kKeyReturn);
    run.release(kKeyReturn);
    run.start_play();  // the next game counts again
    EXPECT_GT(stats.running_seconds(run.now), seconds);
}

TEST(DriverBox, AControllersAOrAClickOnOkClosesIt) {
    RealTime run(kQuickDeathSeed);
    run.start_play();
    run.play_into_game_over();
    run.driver->pad_button(0, GamepadKeys::Button::A, true, run.now);
    run.driver->pad_button(0, GamepadKeys::Button::A, false, run.now);
    EXPECT_FALSE(run.driver->box_open());

    run.start_play();
    run.play_into_game_over();
    run.driver->pointer_down(kBoxOkButton.x0 + 2, kBoxOkButton.y0 + 2);
    run.driver->pointer_up(kBoxArea.x0 + 2, kBoxArea.y0 + 2, run.now);  // let go elsewhere: no
    EXPECT_TRUE(run.driver->box_open());
    run.driver->pointer_down(kBoxOkButton.x0 + 2, kBoxOkButton.y0 + 2);
    run.driver->pointer_up(kBoxOkButton.x1 - 2, kBoxOkButton.y1 - 2, run.now);
    EXPECT_FALSE(run.driver->box_open());
}

TEST(DriverBox, TheBoxShowsOverTheFrameOfTheMomentTheGameAskedForIt) {
    RealTime run(kQuickDeathSeed);
    run.start_play();
    run.play_into_game_over();
    const Frame shown = run.driver->present(run.now);
    // Outside the box: the play field with the explosion, not the title that the reset drew.
    Frame title;
    Renderer(run.text).draw(run.game().form1, title);
    EXPECT_NE(shown.at(20, 20), title.at(20, 20));
    EXPECT_EQ(shown.at(kBoxArea.x0, kBoxArea.y0), 0x5A5A5Au);  // the box's edge
}

TEST(DriverRecording, AGameWithPausesFocusLossAndABoxReplaysToTheSameTrace) {
    RealTime run(kQuickDeathSeed);
    run.start_play();
    run.press(kGameKeys.right);
    run.periods(5);
    run.driver->focus_lost(run.now);
    run.periods(50);
    run.press(kKeyReturn);
    run.press(kGameKeys.down);
    run.press(kGameKeys.fire);
    run.periods(3);
    run.press(kKeyP);
    run.release(kGameKeys.down);  // released while paused: it still reaches the game
    run.periods(20);
    run.press(kKeyP);
    run.press(kGameKeys.left);
    run.play_into_game_over();
    run.release(kGameKeys.left);  // let go while the box is open: it comes up when the box closes
    run.press(kKeySpace);
    run.release(kKeySpace);
    run.press(kGameKeys.up);
    run.release(kGameKeys.up);
    run.periods(60);
    const std::string window = up_to_last_tick(run.trace_text.text());
    EXPECT_EQ(replayed_trace(kQuickDeathSeed, run.recorded(), run.ticks()), window);
    // Every key-down the game received came up again.
    int balance = 0;
    for (const KeyEvent& e : run.recorded()) balance += e.down ? 1 : -1;
    EXPECT_EQ(balance, 0);
}

}  // namespace
}  // namespace kx

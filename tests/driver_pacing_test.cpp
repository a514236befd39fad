// When ticks run and frames go out: the wake-ups and frames of a second of play, a slow tick
// rate's exposed window, and tick limits that stop a run exactly.
#include <gtest/gtest.h>

#include "draw/overlays.h"
#include "null/null_front_end.h"
#include "play/game_keys.h"
#include "real_time.h"

namespace kx {
namespace {

using namespace test;

// The window's loop is the null front end's: it sleeps until the driver's next wake-up, runs what
// is due and shows the frame if one is due, counting its wake-ups and when frames went out.
void run_until(NullFrontEnd& loop, RealTime& game, std::int64_t until) {
    loop.run_for(until - loop.now());
    game.now = loop.now();
}

TEST(DriverFrames, AtSixtyFourTicksOnASixtyHertzDisplayEachWakeUpRunsATickAndShowsMostOfThem) {
    RealTime game(kQuickDeathSeed);
    game.start_play();
    NullFrontEnd starting(*game.driver, game.now);
    run_until(starting, game, game.now);  // what starting play left to show
    const std::int64_t ticks_before = game.ticks(), start = game.now;
    NullFrontEnd loop(*game.driver, game.now);
    run_until(loop, game, start + 1'000'000'000);
    ASSERT_TRUE(game.driver->playing());
    EXPECT_EQ(game.ticks() - ticks_before, 64);
    EXPECT_EQ(loop.wake_ups(), 64);  // no wake-up of its own for a frame
    const std::vector<std::int64_t>& shown_at = loop.shown_at();
    EXPECT_GE(shown_at.size(), 59U);
    EXPECT_LE(shown_at.size(), 61U);
    const std::int64_t refresh = 1'000'000'000 / DriverSetup{}.refresh_hz;
    for (std::size_t k = 1; k < shown_at.size(); ++k)
        EXPECT_GT(shown_at[k] - shown_at[k - 1], refresh / 2) << "two frames in one refresh";
    // What the display shows is the frame of the newest tick shown.
    EXPECT_EQ(game.driver->shown_ticks(), game.ticks());
}

TEST(DriverFrames, BetweenSlowTicksAnExposedWindowIsShownAgainWithinARefresh) {
    RealTime game(kQuickDeathSeed, std::nullopt, true, 1);  // one tick a second
    game.press(kKeySpace);
    game.release(kKeySpace);
    NullFrontEnd loop(*game.driver, game.now);
    run_until(loop, game, game.now + 60'000'000'000);
    ASSERT_TRUE(game.driver->playing());
    run_until(loop, game, game.now + 300'000'000);  // just after a tick, a frame shown
    game.driver->invalidate();
    const std::size_t shown = loop.shown_at().size();
    run_until(loop, game, game.now + 100'000'000);
    ASSERT_EQ(loop.shown_at().size(), shown + 1);
    EXPECT_LE(loop.shown_at().back() - (game.now - 100'000'000), 1'000'000'000 / DriverSetup{}.refresh_hz);
}

TEST(DriverLimit, ARunStopsExactlyAtItsLimitAndEventsBeyondItNeverCome) {
    InputScript script;
    script.events = {{0, true, kKeySpace},
                     {0, false, kKeySpace},
                     {60, true, kGameKeys.down},
                     {100, false, kGameKeys.down},
                     {200, true, kGameKeys.up}};
    RealTime run(5, script, true, kDefaultTickRate, 120);
    // The clock jumps unevenly, stalls included: catch-up drops ticks but never runs past the limit.
    for (int k = 0; k < 400 && run.driver->wake_at() != INT64_MAX; ++k) {
        run.now += kPeriod * (1 + k % 9);
        run.driver->advance(run.now);
        ASSERT_LE(run.ticks(), 120);
    }
    EXPECT_TRUE(run.driver->finished());
    EXPECT_EQ(run.ticks(), 120);
    EXPECT_FALSE(run.driver->replaying());  // the event at 200 is beyond the end
    EXPECT_EQ(run.recorded().back(), (KeyEvent{100, false, kGameKeys.down}));
    EXPECT_EQ(run.trace_text.text(), replayed_trace(5, script.events, 120));
    run.driver->present(run.now);
    EXPECT_EQ(run.driver->shown_ticks(), 120);
}

TEST(DriverLimit, AReplayCutByALimitIsWatchedToTheEndItsBoxesCloseByThemselves) {
    InputScript script;
    script.events = {{0, true, kKeySpace}, {0, false, kKeySpace}, {100'000, true, kGameKeys.fire}};
    RealTime cut(kQuickDeathSeed, script, true, kDefaultTickRate, 50'000);
    cut.periods(41);
    EXPECT_FALSE(cut.driver->replaying());  // its last event is beyond the limit
    cut.play_into_game_over();
    // The box shows the moment the game asked for it, as the trace's record of it says.
    cut.driver->present(cut.now);
    const std::string trace = cut.trace_text.text();
    const auto box = trace.find("\"ticks\":", trace.find("{\"ev\":\"msgbox\""));
    EXPECT_EQ(cut.driver->shown_ticks(), std::stoll(trace.substr(box + 8)));
    cut.periods(int(Driver::kReplayBoxNs / kPeriod) + 1);
    EXPECT_FALSE(cut.driver->box_open());

    // Without a limit the player has taken over once the events ran out: the box waits for them.
    script.events.pop_back();
    RealTime played(kQuickDeathSeed, script);
    played.periods(41);
    played.play_into_game_over();
    played.periods(int(Driver::kReplayBoxNs / kPeriod) * 3);
    EXPECT_TRUE(played.driver->box_open());
}

}  // namespace
}  // namespace kx

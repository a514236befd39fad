// The real-time rules that the window and the web page share, driven with made-up times: keys
// held and released, the pause, the game-over box, replays handing over, and recordings that
// replay to the same trace.
#include <gtest/gtest.h>

#include "draw/overlays.h"
#include "elements/virtual_keys.h"
#include "formats/byte_sink.h"
#include "formats/input_script.h"
#include "null/null_front_end.h"
#include "play/game_keys.h"
#include "run/driver.h"
#include "run/fast_replay.h"
#include "test_support.h"

namespace kx {
namespace {

constexpr std::int64_t kPeriod = 15'625'000;
constexpr std::uint32_t kQuickDeathSeed = 11;  // the idle chick is hit within a few seconds

struct RealTime {
    explicit RealTime(std::uint32_t seed, std::optional<InputScript> replay = std::nullopt,
                      bool pause_on_focus_loss = true, int tick_rate = kDefaultTickRate,
                      std::optional<std::int64_t> tick_limit = std::nullopt) {
        DriverSetup setup;
        setup.base_seed = seed;
        setup.replay = std::move(replay);
        setup.tick_limit = tick_limit;
        setup.tick_rate = tick_rate;
        setup.pause_on_focus_loss = pause_on_focus_loss;
        setup.trace = &trace_text;
        setup.recording = &recording_text;
        driver = std::make_unique<Driver>(text, std::move(setup), now);
    }

    void periods(int n) {
        for (int k = 0; k < n; ++k) {
            now += kPeriod;
            driver->advance(now);
        }
    }
    void press(int code) { driver->key_down(code, now); }
    void release(int code) { driver->key_up(code, now); }
    // Starts a game and runs until play has begun.
    void start_play() {
        press(kKeySpace);
        release(kKeySpace);
        periods(40);
        ASSERT_TRUE(game().form1.Timer1.running());
    }
    // Runs until the game asks for its box.
    void play_into_game_over() {
        for (int k = 0; k < 20'000 && !driver->box_open(); ++k) periods(1);
        ASSERT_TRUE(driver->box_open());
    }
    const Game& game() const { return driver->session().game(); }
    const GameState& s() const { return game().s; }
    std::int64_t ticks() const { return driver->ticks(); }
    // The key events the game received, read back from the recording the driver wrote.
    std::vector<KeyEvent> recorded() const { return parse_input_text(recording_text.text(), "recording").events; }

    test::BlockText text;
    StringSink trace_text;
    StringSink recording_text;
    std::int64_t now = 1'000'000;
    std::unique_ptr<Driver> driver;
};

// The trace of a headless replay of `events` up to `ticks` ticks.
std::string replayed_trace(std::uint32_t seed, const std::vector<KeyEvent>& events, std::int64_t ticks) {
    test::BlockText text;
    StringSink out;
    Session session(seed, &text, nullptr, &out);
    session.start();
    replay_at_once(session, events, ticks);
    return out.text();
}

// The trace up to and including its last tick record.
std::string up_to_last_tick(const std::string& trace) {
    const auto at = trace.rfind("{\"ev\":\"tick\"");
    return trace.substr(0, trace.find('\n', at) + 1);
}

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

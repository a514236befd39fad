// Watching a replay: however a tick is reached (played, stepped, sought back and forth, sped), the
// game there is the game a headless replay cut at that tick leaves, picture and all; a take-over
// gives a recording that replays to the game the player saw; and what a game comes to is the
// same line for everyone.
#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <random>

#include "draw/renderer.h"
#include "real_time.h"
#include "run/verdict.h"

namespace kx {
namespace {

using namespace test;

InputScript replay_file(const char* name) {
    return read_input_script((std::filesystem::path(KX_SOURCE_DIR) / "tests" / "replays" / name).string());
}

// The game as a headless replay cut at `ticks` leaves it.
struct Headless {
    Headless(const InputScript& game, std::int64_t ticks) : session(*game.seed, &text) {
        session.start();
        replay_at_once(session, game.events, ticks);
    }
    BlockText text;
    Session session;
};

std::unique_ptr<Frame> picture_of(const Form1& form) {
    BlockText text;
    auto frame = std::make_unique<Frame>();
    Renderer(text).draw(form, *frame);
    return frame;
}

void expect_same_game(const Driver& driver, const Headless& headless, std::int64_t tick) {
    ASSERT_EQ(driver.ticks(), headless.session.ticks()) << "at " << tick;
    EXPECT_EQ(driver.session().game().s, headless.session.game().s) << "at " << tick;
    EXPECT_TRUE(picture_of(driver.session().game().form1)->pixels == picture_of(headless.session.game().form1)->pixels)
        << "at " << tick;
}

TEST(Watch, EverySeekAndStepReachesTheHeadlessGameOfItsTick) {
    const InputScript game = replay_file("full_game.txt");
    RealTime run(*game.seed, game);
    Driver& d = *run.driver;
    const std::int64_t end = d.watch_end();
    ASSERT_GT(end, 4000);
    run.periods(200);
    d.watch_pause(true, run.now);
    std::mt19937 random(3);
    // Back and forth over the whole game, period boundaries and ticks inside a period alike.
    for (const std::int64_t tick :
         {std::int64_t(3000), std::int64_t(17), std::int64_t(0), end, end / 2 + 1, std::int64_t(random() % end),
          std::int64_t(random() % end), end - 1, std::int64_t(1), std::int64_t(random() % end)}) {
        d.watch_seek(tick, run.now);
        expect_same_game(d, Headless(game, tick), tick);
        // The picture shown is the game's alone: no mark while paused.
        EXPECT_TRUE(d.present(run.now).pixels == picture_of(Headless(game, tick).session.game().form1)->pixels)
            << "the picture at " << tick;
        if (tick >= end) continue;
        for (int k = 1; k <= 3; ++k) {
            d.watch_step(run.now);
            if (d.box_open()) d.watch_step(run.now);
            expect_same_game(d, Headless(game, tick + k), tick + k);
        }
    }
}

TEST(Watch, PlayedOnAtAnySpeedAfterASeekTheGameEndsAsTheRecordingDid) {
    const InputScript game = replay_file("full_game.txt");
    const Verdict whole = verify_game(game, *game.seed, *std::make_unique<BlockText>());
    for (int speed = 0; speed < int(kWatchSpeeds.size()); ++speed) {
        RealTime run(*game.seed, game);
        Driver& d = *run.driver;
        d.watch_seek(1000 + 500 * speed, run.now);
        d.watch_speed(speed, run.now);
        for (int k = 0; k < 200'000 && d.running(); ++k) run.periods(1);
        EXPECT_EQ(d.ticks(), whole.ticks) << kWatchSpeeds[std::size_t(speed)].label;
        EXPECT_EQ(d.session().game().s, Headless(game, whole.ticks).session.game().s);
    }
}

TEST(Watch, ATakeOverRecordsTheWatchedEventsThenThePlayersAndReplaysToTheSameGame) {
    const InputScript game = replay_file("full_game.txt");
    RealTime run(*game.seed, game);
    Driver& d = *run.driver;
    d.watch_seek(2500, run.now);  // back and forth first: the recording holds what led here
    d.watch_seek(1200, run.now);
    run.periods(30);
    d.take_over(run.now);
    EXPECT_FALSE(d.watching());
    run.press(kKeyUp);
    run.periods(20);
    run.release(kKeyUp);
    run.press(kKeyZ);
    run.periods(5);
    run.release(kKeyZ);
    run.periods(100);
    const InputScript taken = parse_input_text(d.recording_text(), "taken over");
    EXPECT_EQ(run.recorded(), taken.events) << "the recording file and the page's text agree";
    const Headless again(taken, d.ticks());
    EXPECT_EQ(d.session().game().s, again.session.game().s);
    EXPECT_TRUE(picture_of(d.session().game().form1)->pixels == picture_of(again.session.game().form1)->pixels);
    // Up to the take-over it is the watched game.
    for (std::size_t k = 0; k < taken.events.size() && taken.events[k].tick < 1200; ++k)
        EXPECT_EQ(taken.events[k], game.events[k]);
}

// Paused, the game still becomes the player's: by Escape, or by a key once a seek has gone past
// the replay's last event; either way it runs on from there.
TEST(Watch, TheGameTakenOverWhilePausedRunsOn) {
    const InputScript game = replay_file("full_game.txt");
    for (const bool by_escape : {true, false}) {
        RealTime run(*game.seed, game);
        Driver& d = *run.driver;
        d.watch_pause(true, run.now);
        d.watch_seek(by_escape ? 1200 : game.events.back().tick + 5, run.now);
        if (by_escape)
            run.press(kKeyEscape);
        else
            run.press(kKeyLeft);
        EXPECT_FALSE(d.watching());
        EXPECT_FALSE(d.watch_paused());
        const std::int64_t from = d.ticks();
        run.periods(10);
        // The first tick comes a period after the key.
        EXPECT_EQ(d.ticks(), from + 9) << (by_escape ? "Escape" : "a key after the last event");
    }
}

TEST(Watch, TheVerdictTellsHowEachGameEnded) {
    BlockText text;
    const InputScript whole = replay_file("full_game.txt");
    const Verdict v = verify_game(whole, *whole.seed, text);
    EXPECT_EQ(v.end, Verdict::End::staff_roll);
    EXPECT_EQ(v.bosses, 5);
    EXPECT_EQ(v.score, 100);
    const InputScript over = replay_file("game_over_and_again.txt");
    const Verdict o = verify_game(over, *over.seed, text);
    EXPECT_EQ(o.end, Verdict::End::game_over);
    // The tick of the trace's box, and the score the box showed.
    const std::string trace = replayed_trace(*over.seed, over.events, o.ticks);
    const std::string box =
        "\"text\":\"SCORE " + std::to_string(o.score) + "\",\"ticks\":" + std::to_string(o.over_at) + ",";
    EXPECT_NE(trace.rfind(box), std::string::npos) << verdict_line(o);
    // A game left in play: still playing, a tail of ticks after its last key.
    InputScript cut = whole;
    cut.events.resize(200);
    const Verdict c = verify_game(cut, *cut.seed, text);
    if (c.end == Verdict::End::playing) {
        EXPECT_GE(c.ticks, cut.events.back().tick + kVerdictTailTicks);
        EXPECT_LE(c.ticks, cut.events.back().tick + kVerdictTailTicks + 3);  // the key came at a period's end
    }
    EXPECT_EQ(verdict_line(c), verdict_line(verify_game(cut, *cut.seed, text)));
    // A key stamped ages later comes as soon as the game is over (no tick can reach it) and
    // starts the next game, which ends too.
    cut.events.push_back({kMaxTickStamp, true, kKeyUp});
    const Verdict far = verify_game(cut, *cut.seed, text);
    EXPECT_EQ(far.end, Verdict::End::game_over);
    EXPECT_GT(far.over_at, c.ticks);
}

}  // namespace
}  // namespace kx

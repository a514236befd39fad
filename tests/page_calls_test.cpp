// The browser front end's calls, built natively and driven as the page drives them, with made-up
// animation-frame times: a replay with a tick limit ends on the headless frame, the seed rule,
// input errors, the query's values checked (no tick rate is the game's own), keys by place and
// label on every layout with ?keys=, the touch pad as a controller, and a tap as its Start.
#include <gtest/gtest.h>

#include <cmath>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "draw/renderer.h"
#include "draw/rgba.h"
#include "draw/table_text.h"
#include "elements/frame.h"
#include "elements/virtual_keys.h"
#include "formats/input_script.h"
#include "input/key_places.h"
#include "play/game_keys.h"
#include "run/fast_replay.h"
#include "run/session.h"
#include "run/tick_clock.h"
#include "web/page_calls.h"

namespace kx {
namespace {

constexpr double kFrameMs = 1000.0 / 60;

std::string golden_input(const char* name) {
    std::ifstream in(std::filesystem::path(KX_SOURCE_DIR) / "tests" / "replays" / name, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The run has ended: at its tick limit, or with nothing left to play (no event, no timer, no box).
bool ended() { return kx_finished() == 1 || (!kx_replaying() && !kx_running() && !kx_box_open()); }

// The page's loop: an animation frame every 60th of a second until the run has ended.
void play_until_ended(double now) {
    for (int frames = 0; frames < 100'000 && !ended(); ++frames, now += kFrameMs) kx_frame(now);
    kx_frame(now);  // the last picture
}

std::string seed_line() {
    const std::string recording = kx_recording();
    return recording.substr(recording.find("seed "),
                            recording.find('\n', recording.find("seed ")) - recording.find("seed "));
}

TEST(PageCalls, AReplayWithATickLimitStopsOnItAndEndsOnTheHeadlessFrame) {
    const std::string input = golden_input("game_over_and_again.txt");
    for (const std::int64_t limit : {1, 230, 400}) {
        ASSERT_EQ(kx_parse_input(input.c_str()), 0) << kx_error();
        kx_start(0, 0, 7, 64, double(limit), 0);
        play_until_ended(0);
        ASSERT_TRUE(ended()) << "limit " << limit << ", ticks " << kx_ticks();
        EXPECT_EQ(kx_box_open(), 0);  // a watched replay's box closes by itself

        std::istringstream in(input);
        const InputScript script = parse_input_script(in, "golden");
        TableText text(kTextTable);
        Session session(*script.seed, &text);
        session.start();
        replay_at_once(session, script.events, limit);
        EXPECT_EQ(kx_ticks(), double(session.ticks())) << "at the limit of " << limit;
        Frame headless;
        Renderer(text).draw(session.game().form1, headless);
        std::vector<std::uint8_t> expected(kRgbaBytes, 255);
        frame_to_rgba(headless, expected.data());
        EXPECT_TRUE(std::equal(expected.begin(), expected.end(), kx_pixels())) << "at the limit of " << limit;
    }
}

// The download's name carries the score of the game played last: the box's for a game over,
// all 100 points for a game that reached the staff roll.
TEST(PageCalls, TheLastGamesScoreIsTheBoxsOrAWholeGamesHundred) {
    for (const auto& [name, score] : {std::pair{"game_over_and_again.txt", 1}, std::pair{"full_game.txt", 100}}) {
        ASSERT_EQ(kx_parse_input(golden_input(name).c_str()), 0) << kx_error();
        kx_start(0, 0, 7, 1000, -1, 0);
        // To the replay's end: the staff roll's, or the last box, which waits for the player.
        double now = 0;
        for (int frames = 0; frames < 100'000 && (kx_replaying() || (kx_running() && !kx_box_open())); ++frames)
            kx_frame(now += kFrameMs);
        EXPECT_EQ(kx_replaying(), 0) << name;
        EXPECT_EQ(kx_score(), score) << name;
    }
}

TEST(PageCalls, TheQuerysSeedWinsOverTheFilesWhichWinsOverTheClock) {
    kx_start(0, 0, 77, 64, -1, 0);
    EXPECT_EQ(seed_line(), "seed 77");
    ASSERT_EQ(kx_parse_input("seed 5\n0 down 32\n"), 0);
    kx_start(0, 0, 77, 64, -1, 0);
    EXPECT_EQ(seed_line(), "seed 5");
    ASSERT_EQ(kx_parse_input("seed 5\n0 down 32\n"), 0);
    kx_start(1, 4294967295.0, 77, 64, -1, 0);
    EXPECT_EQ(seed_line(), "seed 4294967295");
    kx_start(0, 0, 77, 64, -1, 0);  // the file was for one game only
    EXPECT_EQ(seed_line(), "seed 77");
}

TEST(PageCalls, ABadInputFileIsRefusedWithItsLine) {
    EXPECT_EQ(kx_parse_input("seed 1\n0 down 32\n5 sideways 32\n"), -1);
    EXPECT_NE(std::string(kx_error()).find("input:3:"), std::string::npos) << kx_error();
}

// The codes the game heard from one key going down and up, given by its place and label.
std::string heard(const char* place, char32_t label, char32_t label_at_release) {
    const std::size_t from = std::string(kx_recording()).size();
    kx_key(1, place_index(place), int(label), 0);
    kx_key(0, place_index(place), int(label_at_release), 0);
    std::istringstream events(std::string(kx_recording()).substr(from));
    std::string heard, tick, updown, code;
    while (events >> tick >> updown >> code) heard += (heard.empty() ? "" : " ") + updown + " " + code;
    return heard;
}

TEST(PageCalls, KeysGoByPlaceAndLabelOnEveryLayoutAndAReleaseSendsWhatItsPressSent) {
    ASSERT_EQ(kx_keys(nullptr, 0), 0);
    ASSERT_EQ(kx_start(1, 5, 0, 0, -1, 0), 0);
    EXPECT_EQ(heard("KeyS", U's', U's'), "down 83 up 83");  // a letter starts the game
    EXPECT_EQ(kx_running(), 1);
    // Z's place and the key labelled Z fire: German Y and Z, French W and Z, Dvorak ; and Z.
    for (const auto& [place, label] :
         {std::pair{"KeyZ", U'y'}, {"KeyY", U'z'}, {"KeyZ", U'w'}, {"KeyW", U'z'}, {"KeyZ", U';'}, {"Slash", U'z'}})
        EXPECT_EQ(heard(place, label, 0), "down 90 up 90") << place;  // released under another label
    EXPECT_EQ(heard("KeyY", U'y', U'z'), "down 89 up 89");
    EXPECT_EQ(heard("ArrowLeft", 0, 0), "down 37 up 37");
    EXPECT_EQ(heard("IntlRo", U'\\', 0), "down 255 up 255");  // a place of no code of its own
}

TEST(PageCalls, TheQuerysKeysAreTheCommandLinesAndARefusalLeavesTheUsualKeys) {
    const auto in_force = [] { return std::string(kx_keys_in_force()); };
    const std::string usual = "up: ArrowUp; down: ArrowDown; left: ArrowLeft; right: ArrowRight; fire: KeyZ";
    kx_layout_label(place_index("KeyZ"), 'y');
    EXPECT_EQ(in_force().substr(0, usual.size() + 9), usual + " (Y here)");
    kx_layout_label(place_index("KeyZ"), 0);
    const std::string left_hand = "left-hand";
    ASSERT_EQ(kx_keys(left_hand.data(), int(left_hand.size())), 0) << kx_error();
    EXPECT_EQ(in_force().substr(0, 51), "up: KeyW; down: KeyS; left: KeyA; right: KeyD; fire");
    ASSERT_EQ(kx_start(1, 5, 0, 0, -1, 0), 0);
    EXPECT_EQ(heard("Space", ' ', ' '), "down 90 up 90");     // fire's key; from the title it starts
    EXPECT_EQ(heard("KeyW", U'z', U'z'), "down 38 up 38");    // by place: Z on a French keyboard
    EXPECT_EQ(heard("KeyZ", U'z', U'z'), "down 255 up 255");  // fire's keys went elsewhere

    const std::string bad = "jump=Space";
    EXPECT_EQ(kx_keys(bad.data(), int(bad.size())), -1);
    EXPECT_EQ(std::string(kx_error()), "?keys: unknown role \"jump\" (the roles: up, down, left, right, fire, start)");
    EXPECT_EQ(in_force().substr(0, usual.size()), usual);
    ASSERT_EQ(kx_start(1, 5, 0, 0, -1, 0), 0);
    heard("Enter", 0, 0);
    EXPECT_EQ(heard("KeyZ", U'z', U'z'), "down 90 up 90");
}

// The ticks of a game's first second (its chick is shot down at tick 136), the page asking this
// tick rate (0: none). The picture shown may be a frame's ticks behind.
double ticks_in_a_second(double tick_rate) {
    EXPECT_EQ(kx_start(1, 5, 0, tick_rate, -1, 0), 0) << kx_error();
    kx_key(1, place_index("Enter"), 0, 0);
    kx_key(0, place_index("Enter"), 0, 0);
    for (double now = 0; now <= 1000; now += kFrameMs) kx_frame(now);
    return kx_ticks();
}

TEST(PageCalls, NoTickRateIsTheGamesOwnAndTheQuerysValuesAreCheckedAsTheCommandLines) {
    EXPECT_NEAR(ticks_in_a_second(0), kDefaultTickRate, 3);
    EXPECT_NEAR(ticks_in_a_second(kMaxTickRate / 10), kMaxTickRate / 10, 3);
    const std::string recording = kx_recording();
    const double ticks = kx_ticks();
    const auto refused = [](int has_seed, double seed, double tick_rate, double max_ticks) {
        if (kx_start(has_seed, seed, 0, tick_rate, max_ticks, 0) == 0) return std::string("started");
        return std::string(kx_error());
    };
    const double nan = std::nan("");
    for (const double rate : {double(kMinTickRate) - 1e-3, double(kMaxTickRate) + 1, 50.5, -1.0, nan})
        EXPECT_EQ(refused(0, 0, rate, -1), "?tick-rate takes ticks per second from " + std::to_string(kMinTickRate) +
                                               " to " + std::to_string(kMaxTickRate) + ", for example ?tick-rate=50")
            << rate;
    for (const double seed : {4294967296.0, 0.5, nan})
        EXPECT_EQ(refused(1, seed, 0, -1), "?seed takes a whole number from 0 to 4294967295, for example ?seed=42");
    for (const double limit : {0.5, 9007199254740992.0, nan})
        EXPECT_EQ(refused(0, 0, 0, limit), "?ticks takes a whole number of 0 or more, for example ?ticks=600");
    // The game before a refused one goes on as it was.
    EXPECT_EQ(kx_recording(), recording);
    EXPECT_EQ(kx_ticks(), ticks);
    EXPECT_EQ(refused(1, 4294967295.0, kMinTickRate, 9007199254740991.0), "started");
    EXPECT_EQ(refused(1, 0, kMaxTickRate, 0), "started");
}

TEST(PageCalls, TheTouchPadIsAControllerItsFireButtonFiresAndItsArrowsRepeat) {
    constexpr int kTouchPad = 9;
    kx_start(1, 5, 0, 64, -1, 0);
    kx_key(1, place_index("Space"), ' ', 0);
    kx_key(0, place_index("Space"), ' ', 0);
    double now = 0;
    for (; now < 1000 && kx_running() == 1 && kx_chick_x() < 50; now += kFrameMs) kx_frame(now);
    kx_pad_button(kTouchPad, 3, 1, now);  // down
    for (const double end = now + 1000; now < end; now += kFrameMs) kx_frame(now);
    kx_pad_button(kTouchPad, 4, 1, now);  // fire
    kx_pad_gone(kTouchPad, now);
    const std::string recording = kx_recording();
    const auto count = [&](const std::string& line) {
        std::size_t n = 0;
        for (auto at = recording.find(line); at != std::string::npos; at = recording.find(line, at + 1)) ++n;
        return n;
    };
    EXPECT_GT(count(" down " + std::to_string(kGameKeys.down) + "\n"), 1u);  // held for a second: it repeated
    EXPECT_EQ(count(" up " + std::to_string(kGameKeys.down) + "\n"), 1u);
    EXPECT_EQ(count(" down " + std::to_string(kGameKeys.fire) + "\n"), 1u);
    EXPECT_EQ(count(" up " + std::to_string(kGameKeys.fire) + "\n"), 1u);  // the pad went: its keys came up
}

// How often the game heard its start key go down so far.
std::size_t start_presses() {
    const std::string recording = kx_recording(), line = " down " + std::to_string(kGameKeys.start) + "\n";
    std::size_t n = 0;
    for (auto at = recording.find(line); at != std::string::npos; at = recording.find(line, at + 1)) ++n;
    return n;
}

// A tap is the touch pad's Start on the title and in a pause only; one on the box's OK closes it
// and starts nothing.
TEST(PageCalls, ATapStartsAGameOnTheTitleGoesOnAfterAPauseAndIsNothingElseInPlay) {
    constexpr int kX = Frame::kWidth / 2, kY = Frame::kHeight / 2;
    constexpr int kOkX = 196, kOkY = 171;        // the middle of the box's OK
    ASSERT_EQ(kx_start(1, 11, 0, 0, -1, 0), 0);  // a seed whose idle chick is soon shot down
    double now = 0;
    const auto frames = [&](double ms) {
        for (const double end = now + ms; now < end; now += kFrameMs) kx_frame(now);
    };
    kx_pointer(1, kX, kY, now);
    kx_pointer(0, kX, kY, now);
    frames(2000);  // past the fly-in, which no pause stops
    EXPECT_EQ(kx_running(), 1);
    EXPECT_EQ(start_presses(), 1u);

    kx_pointer(1, kX, kY, now);
    kx_pointer(0, kX, kY, now);
    frames(100);
    EXPECT_EQ(start_presses(), 1u) << "a tap in play is no key";
    kx_focus_lost(now);
    ASSERT_EQ(kx_paused(), 1);
    kx_pointer(1, kX, kY, now);
    kx_pointer(0, kX, kY, now);
    EXPECT_EQ(kx_paused(), 0);

    for (int n = 0; n < 100'000 && !kx_box_open(); ++n) frames(kFrameMs);
    ASSERT_EQ(kx_box_open(), 1);
    const std::size_t presses = start_presses();
    kx_pointer(1, kOkX, kOkY, now);
    kx_pointer(0, kOkX, kOkY, now);
    frames(500);
    EXPECT_EQ(kx_box_open(), 0);
    EXPECT_EQ(kx_running(), 0) << "closing the box started a game";
    EXPECT_EQ(start_presses(), presses);
}

}  // namespace
}  // namespace kx

// The rules every window front end shares: which key presses are the window's, where a click
// lands in the frame, and a window run's start and figures.
#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>
#include <fstream>

#include "draw/scaling.h"
#include "elements/virtual_keys.h"
#include "input/key_places.h"
#include "run/window_game.h"
#include "run/window_host.h"
#include "run/window_keys.h"
#include "run/window_run.h"
#include "test_support.h"

namespace kx {
namespace {

// A key at this place on a layout that prints nothing on it.
PressedKey at(std::string_view place) { return {place_index(place), 0}; }

TEST(WindowKeys, FullscreenTogglesOnceAndTheDesktopsShortcutsNeverReachTheGame) {
    EXPECT_EQ(key_use({at("F11")}), KeyUse::toggle_fullscreen);
    EXPECT_EQ(key_use({at("F11"), false, false, false, true}), KeyUse::window);  // its repeats
    EXPECT_EQ(key_use({at("Enter"), false, true}), KeyUse::toggle_fullscreen);   // Alt+Enter
    EXPECT_EQ(key_use({at("NumpadEnter"), false, true}), KeyUse::toggle_fullscreen);
    EXPECT_EQ(key_use({at("Enter")}), KeyUse::game);                          // Return alone goes on after a pause
    EXPECT_EQ(key_use({at("AltLeft"), true, true}), KeyUse::window);          // Alt itself
    EXPECT_EQ(key_use({at("MetaLeft"), true, false, true}), KeyUse::window);  // Super itself
    EXPECT_EQ(key_use({at("Tab"), false, true}), KeyUse::window);             // Alt+Tab
    EXPECT_EQ(key_use({at("KeyD"), false, false, true}), KeyUse::window);     // Super+D
    EXPECT_EQ(key_use({at("KeyZ"), false, true}), KeyUse::window);            // Alt+Z
    for (const char* place : {"KeyZ", "ArrowLeft", "ArrowUp", "Space", "ControlLeft", "ShiftRight"})
        EXPECT_EQ(key_use({at(place)}), KeyUse::game) << place;
    EXPECT_EQ(key_use({at("KeyZ"), false, false, false, true}), KeyUse::game);  // the game hears repeats
    // The window's keys go by their place, whatever the layout prints there.
    EXPECT_EQ(key_use({{place_index("F11"), U'Z'}}), KeyUse::toggle_fullscreen);
}

TEST(WindowPoint, AClickIsAPointOfTheFrameAtAnyScaleAndDensity) {
    // 1920 x 1080 shows the frame at 3, from (372, 111).
    EXPECT_EQ(frame_point(372, 111, 1920, 1080, 1920, 1080).x, 0);
    EXPECT_EQ(frame_point(372 + 3 * 391 + 2, 111 + 3 * 285 + 2, 1920, 1080, 1920, 1080).x, 391);
    EXPECT_EQ(frame_point(372 + 3 * 391 + 2, 111 + 3 * 285 + 2, 1920, 1080, 1920, 1080).y, 285);
    // On the bars the point lies outside the frame, also just left of or above it.
    EXPECT_LT(frame_point(371, 500, 1920, 1080, 1920, 1080).x, 0);
    EXPECT_LT(frame_point(500, 110, 1920, 1080, 1920, 1080).y, 0);
    EXPECT_GE(frame_point(372 + 3 * 392, 500, 1920, 1080, 1920, 1080).x, Frame::kWidth);
    // A window of 784 x 572 points with twice the pixels shows the frame at 4.
    const FramePoint p = frame_point(392, 286, 784, 572, 1568, 1144);
    EXPECT_EQ(p.x, 196);
    EXPECT_EQ(p.y, 143);
    EXPECT_LT(frame_point(0, 0, 0, 0, 0, 0).x, 0);  // a window with no size yet
}

TEST(WindowGame, StartsTheDriverWithItsFilesAndPrintsTheFiguresOnlyWhenAsked) {
    test::BlockText text;
    const auto dir = std::filesystem::path(::testing::TempDir());
    WindowRun run;
    run.game.base_seed = 3;
    run.trace_path = (dir / "kx_window_trace.jsonl").string();
    run.record_path = (dir / "kx_window_record.txt").string();
    {
        WindowGame game(run, text, 1'000'000'000, 250.0);
        game.driver().key_down(kKeySpace, 1'000'000'000);
        EXPECT_EQ(game.stats_report(0.5, 2'000'000'000), "");
    }
    std::ifstream record(run.record_path);
    std::string first, second;
    std::getline(record, first);
    std::getline(record, second);
    EXPECT_EQ(first.rfind("# kippura-x recording", 0), 0u) << first;
    EXPECT_EQ(second, "seed 3");
    EXPECT_TRUE(std::filesystem::file_size(run.trace_path) > 0);

    run.stats = true;
    WindowGame figured(run, text, 1'000'000'000, 250.0);
    const std::string report = figured.stats_report(0.5, 3'000'000'000);
    EXPECT_NE(report.find("CPU 0.500 s in 2.000 s"), std::string::npos) << report;

    run.trace_path = (dir / "no such folder" / "t.jsonl").string();
    try {
        WindowGame failed(run, text, 0, -1);
        ADD_FAILURE() << "a trace that cannot be written was accepted";
    } catch (const std::runtime_error& e) {
        EXPECT_EQ(std::string(e.what()), run.trace_path + ": cannot write the trace file: No such file or directory");
    }
}

// A screen that counts what the host asks of it, on a clock the test moves.
struct CountingScreen : WindowScreen {
    void show(const Frame&) override { ++shown; }
    void invalidate() override { ++invalidated; }
    void toggle_fullscreen() override { ++toggled; }
    int refresh_rate() const override { return 60; }
    void set_title(const std::string& t) override { title = t; }
    int shown = 0, invalidated = 0, toggled = 0;
    std::string title;
};
std::int64_t test_now = 1'000'000;
std::int64_t test_clock() { return test_now; }

TEST(WindowHost, KeysGoWhereTheyBelongAndThoseLetGoInASystemLoopComeUp) {
    test::BlockText text;
    Driver driver(text, DriverSetup{}, test_clock());
    CountingScreen screen;
    WindowHost host(driver, screen, test_clock);
    host.step();
    EXPECT_EQ(screen.shown, 1);  // the title
    host.key_down({at("F11")});
    EXPECT_EQ(screen.toggled, 1);
    EXPECT_EQ(screen.invalidated, 1);
    EXPECT_FALSE(driver.running());
    host.key_down({at("Space")});  // starts a game
    host.key_down({at("ArrowLeft")});
    EXPECT_TRUE(driver.running());
    // A system loop swallowed the release of Left, not of Space's.
    host.let_go_released([](int place) { return place == place_index("Space"); });
    host.let_go_released([](int) { return false; });
    test_now += 1'000'000'000;
    host.step();
    EXPECT_EQ(driver.session().game().s.jikidx, 0);
    EXPECT_EQ(host.wait_ms(test_now + 2'500'000), 3);  // rounded up, never early
    EXPECT_EQ(process_start_ticks("4242 (a (b) c) S 1 2 3 4 5 6 7 8 9 10 11 12 13 14 15 16 17 18 123456 99 0"), 123456);
    EXPECT_EQ(process_start_ticks("4242 (cut) S 1 2"), std::nullopt);
    EXPECT_EQ(no_display_reason("", ""), "no display (DISPLAY and WAYLAND_DISPLAY are not set)");
    EXPECT_EQ(no_display_reason(":1", "wayland-0"),
              "no X11 or Wayland display answered (DISPLAY=:1, WAYLAND_DISPLAY=wayland-0)");
}

TEST(WindowHost, AWatchedReplaysKeysWorkItsControlsAndTheTitleSaysWhereItIs) {
    test::BlockText text;
    DriverSetup setup;
    setup.base_seed = 1;
    setup.replay = read_input_script(KX_SOURCE_DIR "/tests/replays/full_game.txt");
    Driver driver(text, std::move(setup), test_clock());
    CountingScreen screen;
    WindowHost host(driver, screen, test_clock);
    host.step();
    EXPECT_EQ(screen.title.rfind("REPLAY 1x | tick 0 of ", 0), 0u) << screen.title;
    host.key_down({at("ArrowUp")});  // faster
    host.key_down({at("Digit5")});   // half way
    host.key_down({at("Space")});    // paused
    host.key_down({at("Period")});   // one tick on
    const std::int64_t half = driver.watch_end() / 2;
    EXPECT_EQ(driver.ticks(), half + 1);
    EXPECT_EQ(driver.watch_speed(), kNormalSpeed + 1);
    host.step();
    EXPECT_EQ(screen.title.rfind("REPLAY paused | tick " + std::to_string(half + 1), 0), 0u) << screen.title;
    host.key_down({at("Escape")});  // the player's now, playing on from there
    test_now += 20'000'000;         // a frame in play goes out at the display's next refresh
    host.step();
    EXPECT_EQ(screen.title, driver.caption());
    EXPECT_TRUE(driver.running());
}

}  // namespace
}  // namespace kx

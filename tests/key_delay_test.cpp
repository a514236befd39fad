// No key waits longer than the tick it comes before: a game key pressed in a window just before
// tick k is due shows in the first frame after tick k, against the same run without the press.
// Both runs go through the window host, as every desktop front end hands keys on.
#include <gtest/gtest.h>

#include <memory>
#include <optional>

#include "input/key_places.h"
#include "run/window_host.h"
#include "test_support.h"

namespace kx {
namespace {

// A screen that keeps the last frame shown.
struct KeepingScreen : WindowScreen {
    void show(const Frame& frame) override { last = std::make_unique<Frame>(frame); }
    void invalidate() override {}
    void toggle_fullscreen() override {}
    int refresh_rate() const override { return 60; }
    void set_title(const std::string&) override {}
    std::unique_ptr<Frame> last;
};

std::int64_t run_now = 0;
std::int64_t run_clock() { return run_now; }
constexpr std::int64_t kStep = 100'000;  // 0.1 ms: finer than any tick or refresh

struct WindowRunOnFakeTime {
    explicit WindowRunOnFakeTime(std::int64_t start)
        : driver(text, DriverSetup{}, start), host(driver, screen, run_clock) {}
    test::BlockText text;
    Driver driver;
    KeepingScreen screen;
    WindowHost host;
};

// The frame shown first once tick `k` has run, with the ticks run by then; the key at `place`,
// when given, is pressed one step before the step that runs tick k.
struct Shown {
    std::unique_ptr<Frame> frame;
    std::int64_t ticks;
};
Shown frame_after_tick(std::int64_t k, std::int64_t tick_k_at, std::optional<int> place) {
    run_now = 1'000'000;
    WindowRunOnFakeTime run(run_now);
    run.host.key_down({{place_index("Space"), 0}});  // any key starts a game
    run.host.key_up({place_index("Space"), 0});
    for (;; run_now += kStep) {
        if (place && run_now == tick_k_at - kStep) run.host.key_down({{*place, 0}});
        run.screen.last.reset();
        run.host.step();
        if (run.driver.ticks() >= k && run.screen.last) return {std::move(run.screen.last), run.driver.ticks()};
    }
}

TEST(KeyDelay, AKeyPressedJustBeforeATickShowsInTheFrameAfterIt) {
    // When tick 60 (well into play) runs, on the same made-up times as the runs below.
    run_now = 1'000'000;
    std::int64_t tick_k_at = 0;
    {
        WindowRunOnFakeTime run(run_now);
        run.host.key_down({{place_index("Space"), 0}});
        run.host.key_up({place_index("Space"), 0});
        for (; run.driver.ticks() < 60; run_now += kStep) run.host.step();
        tick_k_at = run_now - kStep;
        ASSERT_TRUE(run.driver.session().game().form1.Timer1.running());
    }
    const Shown without = frame_after_tick(60, tick_k_at, std::nullopt);
    for (const char* place : {"ArrowUp", "ArrowDown", "ArrowLeft", "ArrowRight", "KeyZ"}) {
        const Shown with = frame_after_tick(60, tick_k_at, place_index(place));
        EXPECT_EQ(with.ticks, without.ticks) << place;
        EXPECT_LE(with.ticks, 61) << place;  // the frame of tick k, or at the latest of k + 1
        EXPECT_NE(with.frame->pixels, without.frame->pixels) << place << " did not show after the tick";
    }
}

}  // namespace
}  // namespace kx

// Scaling the frame into a window, and the figures that --stats reports.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <utility>
#include <vector>

#include "draw/scaling.h"
#include "run/window_stats.h"

namespace kx {
namespace {

TEST(Scaling, TakesTheLargestWholeFactorAndCentresTheFrame) {
    EXPECT_EQ(place_frame(392, 286).factor, 1);
    const Placement wide = place_frame(1920, 1080);  // 3 fits: 1176 x 858
    EXPECT_EQ(wide.factor, 3);
    EXPECT_EQ(wide.left, (1920 - 1176) / 2);
    EXPECT_EQ(wide.top, (1080 - 858) / 2);
    EXPECT_EQ(place_frame(800, 600).factor, 2);
    EXPECT_EQ(place_frame(300, 200).factor, 1);  // smaller than the frame: never below 1
    EXPECT_EQ(place_frame(300, 200).left, 0);
}

TEST(Scaling, AWindowTooLargeForTheScreenOpensAtTheLargestThatFitsAndSaysSo) {
    // 1366 x 768 with a title bar of 40: 2 fits (784 x 612), 3 does not.
    EXPECT_EQ(opening_factor(std::nullopt, 1366, 768, 10, 40).factor, 2);
    const OpeningFactor asked = opening_factor(2, 1366, 768, 10, 40);
    EXPECT_EQ(asked.factor, 2);
    EXPECT_EQ(asked.note, "");
    const OpeningFactor large = opening_factor(5, 1366, 768, 10, 40);
    EXPECT_EQ(large.factor, 2);
    EXPECT_EQ(large.note,
              "--scale 5 makes a window of 1960 x 1430, larger than the screen's 1366 x 768: opening at --scale 2, "
              "the largest that fits");
}

// A frame whose every pixel differs from its neighbours, so that a misplaced copy shows.
std::unique_ptr<Frame> numbered_frame(std::uint32_t salt) {
    auto frame = std::make_unique<Frame>();
    for (int y = 0; y < Frame::kHeight; ++y)
        for (int x = 0; x < Frame::kWidth; ++x) frame->at(x, y) = std::uint32_t(y * 1000 + x + 1) ^ salt;
    return frame;
}

// The window's pixel at x, y for that frame: the frame pixel it magnifies, or a black bar.
std::uint32_t expected_pixel(const Frame& frame, int x, int y, int width, int height) {
    const Placement p = place_frame(width, height);
    if (x < p.left || y < p.top) return 0;
    const int fx = (x - p.left) / p.factor, fy = (y - p.top) / p.factor;
    return fx < Frame::kWidth && fy < Frame::kHeight ? frame.at(fx, fy) : 0u;
}

// A window's pixels with rows longer than the window, as window surfaces often have.
struct Canvas {
    int width, height, stride;  // stride: pixels a row
    std::vector<std::uint32_t> pixels;
    Canvas(int w, int h) : width(w), height(h), stride(w + 3), pixels(std::size_t(stride * h), 0xDEADBEEF) {}
    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y * stride + x)]; }
    int pitch() const { return stride * 4; }
};

TEST(Scaling, EveryFramePixelBecomesASquareAndTheBarsAreBlack) {
    const auto frame = numbered_frame(0);
    // Factors 1 to 5 (5 takes the general path), bars on either side, and windows smaller than
    // the frame, which show its top-left part.
    const int sizes[][2] = {{392, 286},
                            {392 * 2 + 10, 286 * 2 + 7},
                            {392 * 3 + 1, 286 * 3 + 40},
                            {1920, 1080},
                            {392 * 4, 286 * 4},
                            {392 * 5 + 3, 286 * 5},
                            {300, 200},
                            {500, 250}};
    for (const auto& [w, h] : sizes) {
        Canvas out(w, h);
        scale_frame(*frame, out.pixels.data(), w, h, out.pitch());
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < out.stride; ++x) {
                const std::uint32_t want = x < w ? expected_pixel(*frame, x, y, w, h) : 0xDEADBEEF;
                ASSERT_EQ(out.at(x, y), want) << w << "x" << h << " at " << x << "," << y;
            }
    }
}

TEST(Scaling, APartDrawnAgainChangesOnlyItsOwnWindowPixels) {
    const auto before = numbered_frame(0);
    const auto after = numbered_frame(0x00FF00FF);
    for (const auto& [w, h] : {std::pair{392 * 2, 286 * 2}, std::pair{1920, 1080}, std::pair{300, 200}}) {
        Canvas out(w, h);
        scale_frame(*before, out.pixels.data(), w, h, out.pitch());
        const Placement p = place_frame(w, h);
        const Rect part{100, 30, 157, 51};
        const Rect covered = scale_part(*after, part, out.pixels.data(), w, h, out.pitch());
        const Rect whole{p.left + 100 * p.factor, p.top + 30 * p.factor, p.left + 157 * p.factor,
                         p.top + 51 * p.factor};
        EXPECT_EQ(covered, whole.clip({0, 0, w, h})) << w << "x" << h;
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) {
                const bool inside = covered.contains(x, y);
                ASSERT_EQ(out.at(x, y), expected_pixel(inside ? *after : *before, x, y, w, h))
                    << w << "x" << h << " at " << x << "," << y;
            }
    }
    // A part wholly beyond a small window's edge covers nothing and writes nothing.
    Canvas small(300, 200);
    scale_frame(*before, small.pixels.data(), 300, 200, small.pitch());
    const std::vector<std::uint32_t> drawn = small.pixels;
    const Rect covered = scale_part(*after, {310, 210, 330, 230}, small.pixels.data(), 300, 200, small.pitch());
    EXPECT_TRUE(covered.empty());
    EXPECT_EQ(small.pixels, drawn);
}

TEST(WindowStats, CountsTheCadenceLateTicksAndUnshownTicks) {
    constexpr std::int64_t kTick = 15'625'000, kRefresh = 16'666'667;
    WindowStats stats(kTick, kRefresh);
    stats.running(true, 0);
    // One second at 64 ticks on a 60 Hz display: each refresh shows the newest tick.
    std::int64_t next_refresh = kRefresh;
    for (int n = 1; n <= 64; ++n) {
        const std::int64_t t = n * kTick;
        stats.tick(n == 10 ? kTick + 1 : 100);
        while (next_refresh <= t) next_refresh += kRefresh;
        if (t + kTick > next_refresh || n == 64) {
            stats.presented(true, t);
        }
    }
    EXPECT_EQ(stats.ticks(), 64);
    EXPECT_EQ(stats.late_ticks(), 1);
    EXPECT_EQ(stats.unshown_ticks(), 4);  // 64 ticks, 60 frames
    EXPECT_EQ(stats.repeated_refreshes(1'000'000'000), 0);
    EXPECT_DOUBLE_EQ(stats.running_seconds(1'000'000'000), 1.0);
    stats.running(false, 1'000'000'000);
    EXPECT_DOUBLE_EQ(stats.running_seconds(5'000'000'000), 1.0);  // the title screen does not count
}

}  // namespace
}  // namespace kx

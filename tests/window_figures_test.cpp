// Scaling the frame into a window, and the figures that --stats reports.
#include <gtest/gtest.h>

#include <memory>
#include <vector>

#include "platform/scaling.h"
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

TEST(Scaling, EveryFramePixelBecomesASquareAndTheBarsAreBlack) {
    auto frame = std::make_unique<Frame>();
    for (int y = 0; y < Frame::kHeight; ++y)
        for (int x = 0; x < Frame::kWidth; ++x) frame->at(x, y) = std::uint32_t(y * 1000 + x + 1);
    const int w = 392 * 2 + 10, h = 286 * 2 + 7;
    std::vector<std::uint32_t> out(std::size_t(w * h), 0xDEADBEEF);
    scale_frame(*frame, out.data(), w, h, w * 4);
    const Placement p = place_frame(w, h);
    ASSERT_EQ(p.factor, 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const int fx = (x - p.left) / 2, fy = (y - p.top) / 2;
            const bool inside = x >= p.left && y >= p.top && fx < Frame::kWidth && fy < Frame::kHeight;
            ASSERT_EQ(out[std::size_t(y * w + x)], inside ? frame->at(fx, fy) : 0u) << x << "," << y;
        }
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
            stats.presented(true);
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

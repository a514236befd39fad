// What the window sends again from one frame to the next, and the size of the first window.
#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>
#include <vector>

#include "draw/frame_changes.h"
#include "draw/scaling.h"
#include "draw/window_canvas.h"

namespace kx {
namespace {

std::vector<Rect> changes(const Frame& before, const Frame& after) {
    std::vector<Rect> bands{{1, 2, 3, 4}};  // whatever was there is replaced
    find_changes(before, after, bands);
    return bands;
}

TEST(WindowChanges, RunsOfChangedRowsAreBandsAsWideAsTheirChanges) {
    const auto before = std::make_unique<Frame>();
    auto after = std::make_unique<Frame>();
    EXPECT_TRUE(changes(*before, *after).empty());

    after->at(50, 9) = 1;  // one pixel
    EXPECT_EQ(changes(*before, *after), (std::vector<Rect>{{50, 9, 51, 10}}));

    // A sprite below it on the next rows, further left, joins the band; one two rows lower
    // (an unchanged row between) starts a band of its own.
    for (int y = 10; y < 14; ++y) after->at(40, y) = after->at(44, y) = 2;
    after->at(20, 15) = 3;
    EXPECT_EQ(changes(*before, *after), (std::vector<Rect>{{40, 9, 51, 14}, {20, 15, 21, 16}}));

    // Changes at the frame's corners reach its edges.
    auto corners = std::make_unique<Frame>();
    corners->at(0, 0) = corners->at(Frame::kWidth - 1, 0) = 4;
    corners->at(Frame::kWidth - 1, Frame::kHeight - 1) = 5;
    EXPECT_EQ(changes(*before, *corners),
              (std::vector<Rect>{{0, 0, Frame::kWidth, 1},
                                 {Frame::kWidth - 1, Frame::kHeight - 1, Frame::kWidth, Frame::kHeight}}));
}

// A window drawn through its canvas holds, frame after frame, exactly what scaling each whole
// frame gives, bars included; the rectangles it returns hold every window pixel that changed,
// and an invalidated or resized window is drawn and returned whole.
TEST(WindowChanges, AWindowDrawnByItsCanvasEqualsTheWholeFrameScaled) {
    std::mt19937 random(12345);
    for (const auto& [w, h] : {std::pair{392 * 2, 286 * 2}, std::pair{1920, 1080}, std::pair{392 * 3 + 5, 286 * 3}}) {
        WindowCanvas canvas;
        auto next = std::make_unique<Frame>();
        std::vector<std::uint32_t> window(std::size_t(w * h), 0xDEADBEEF), whole(std::size_t(w * h));
        EXPECT_EQ(canvas.draw(*next, window.data(), w, h, w * 4), (std::vector<Rect>{{0, 0, w, h}}));
        EXPECT_TRUE(canvas.draw(*next, window.data(), w, h, w * 4).empty());  // nothing changed
        for (int n = 0; n < 30; ++n) {
            for (int sprite = 0; sprite < 4; ++sprite) {  // a few small squares move
                const int x0 = int(random() % (Frame::kWidth - 16)), y0 = int(random() % (Frame::kHeight - 16));
                for (int y = y0; y < y0 + 16; ++y)
                    for (int x = x0; x < x0 + 16; ++x) next->at(x, y) = std::uint32_t(random());
            }
            const std::vector<std::uint32_t> before = window;
            if (n == 10) canvas.invalidate();
            const std::vector<Rect> sent = canvas.draw(*next, window.data(), w, h, w * 4);
            scale_frame(*next, whole.data(), w, h, w * 4);
            ASSERT_EQ(window, whole) << w << "x" << h << ", frame " << n;
            if (n == 10) {
                EXPECT_EQ(sent, (std::vector<Rect>{{0, 0, w, h}}));
            }
            for (int y = 0; y < h; ++y)
                for (int x = 0; x < w; ++x) {
                    const auto i = std::size_t(y * w + x);
                    if (window[i] == before[i]) continue;
                    ASSERT_TRUE(std::any_of(sent.begin(), sent.end(), [&](const Rect& r) { return r.contains(x, y); }))
                        << "a changed pixel not sent: " << x << "," << y;
                }
        }
        // A new size: the canvas draws the frame it shows, whole.
        std::vector<std::uint32_t> larger(std::size_t((w + 8) * h));
        EXPECT_EQ(canvas.draw(canvas.shown(), larger.data(), w + 8, h, (w + 8) * 4),
                  (std::vector<Rect>{{0, 0, w + 8, h}}));
    }
}

TEST(WindowFirstScale, TheLargestWindowThatFitsTheDesktopWithItsFrame) {
    // A frame of 10 x 40 pixels, what the window opens with when the window manager does not say.
    EXPECT_EQ(fitting_factor(1920, 1080, 10, 40), 3);  // 1176 x 858
    EXPECT_EQ(fitting_factor(1366, 768, 10, 40), 2);   // 784 x 572
    EXPECT_EQ(fitting_factor(1920, 1053, 10, 40), 3);  // under a desktop's top bar
    EXPECT_EQ(fitting_factor(1280, 1024, 10, 40), 3);
    EXPECT_EQ(fitting_factor(3840, 2160, 10, 40), 7);  // 2744 x 2002
    EXPECT_EQ(fitting_factor(1024, 600, 10, 40), 1);
    // The frame counts: 858 rows and a 40-row frame need 898 rows, a 25-row frame 883.
    EXPECT_EQ(fitting_factor(1920, 898, 10, 40), 3);
    EXPECT_EQ(fitting_factor(1920, 897, 10, 40), 2);
    EXPECT_EQ(fitting_factor(1920, 897, 2, 25), 3);
    EXPECT_EQ(fitting_factor(1186, 1080, 10, 40), 3);  // the width counts too
    EXPECT_EQ(fitting_factor(1185, 1080, 10, 40), 2);
    EXPECT_EQ(fitting_factor(300, 200, 10, 40), 1);  // never below 1
}

}  // namespace
}  // namespace kx

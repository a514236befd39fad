// The software renderer: stacking, transparency, clipping, text and boxes.
#include <gtest/gtest.h>

#include <memory>

#include "draw/renderer.h"
#include "test_support.h"

namespace kx {
namespace {

constexpr std::uint32_t kCyan = 0x00FFFF;
constexpr std::uint32_t kWhite = 0xFFFFFF;

struct RenderFixture : ::testing::Test {
    test::TestGame tg;
    std::unique_ptr<Frame> frame = std::make_unique<Frame>();
    void draw() { Renderer(tg.text).draw(tg.f, *frame); }
    // Leaves play with nothing in view but what a test places.
    void clear_view() {
        tg.start_play();
        for (auto& s : tg.f.ahiru) s.place(500, 0);
        tg.f.jiki.place(500, 0);
        tg.f.kumo.place(500, 0);
        tg.f.laser.place(500, 0);
        tg.f.jimen.place(0, 400);
    }
};

TEST_F(RenderFixture, TitleCanvasCoversTheWholeView) {
    draw();
    // Black canvas with text; no cyan sky, no sprite shows through anywhere.
    for (int y = 0; y < Frame::kHeight; ++y)
        for (int x = 0; x < Frame::kWidth; ++x) ASSERT_NE(frame->at(x, y), kCyan) << x << "," << y;
}

TEST_F(RenderFixture, SpritesStackInTableOrderAndBoxesAboveThem) {
    clear_view();
    tg.f.kumo.place(100, 100);  // the cloud lies lowest of all sprites
    tg.f.jiki.place(100, 100);
    draw();
    const int row = unit_to_row(100) + 5;
    EXPECT_EQ(frame->at(116, row), tg.f.kippura.picture()->at(16, 5) & 0xFFFFFF);
    // The shot box is drawn over the craft whatever was placed last.
    tg.f.laser.place(110, 100);
    tg.f.jiki.place(100, 100);
    draw();
    EXPECT_EQ(frame->at(112, unit_to_row(100) + 2), kWhite);
}

TEST_F(RenderFixture, SpritesAreClippedAtTheClientArea) {
    clear_view();
    tg.f.fire.place(0, 262);  // only the top 12 pixel rows remain in view
    draw();
    const Picture& boom = *tg.f.fire.picture();
    EXPECT_EQ(frame->at(16, 285), boom.at(16, 11) & 0xFFFFFF);
    tg.f.fire.place(392, 100);
    draw();
    for (int y = 0; y < Frame::kHeight; ++y) ASSERT_EQ(frame->at(391, y), kCyan);
    tg.f.fire.place(-20, -10);  // clipped at the left and top
    draw();
    EXPECT_EQ(frame->at(0, 0), boom.at(20, unit_to_row(10)) & 0xFFFFFF);
}

TEST_F(RenderFixture, BossBodyShowsTheBoxBackground) {
    clear_view();
    tg.f.boss.place(0, 0);
    const Picture& pic = *tg.f.boss.picture();
    ASSERT_TRUE(pic.transparent.has_value());
    int see_through = 0;
    tg.f.boss.set_background(Rgb{255, 128, 0});
    draw();
    const auto orange = *frame;
    tg.f.boss.set_background(Rgb{10, 20, 30});
    draw();
    for (int y = 0; y < pic.height; ++y)
        for (int x = 0; x < pic.width; ++x) {
            if (pic.see_through(x, y)) {
                ++see_through;
                ASSERT_EQ(orange.at(x, y), 0xFF8000u);
                ASSERT_EQ(frame->at(x, y), 0x0A141Eu);
            } else {
                ASSERT_EQ(frame->at(x, y), pic.at(x, y) & 0xFFFFFF);
            }
        }
    EXPECT_GT(see_through, 0);
}

TEST_F(RenderFixture, PrintedTextShowsOnlyItsGlyphsAndGoesWithTheBackground) {
    clear_view();
    BoxSprite& box = tg.f.laser;
    box.set_width(100);
    box.set_height(50);
    box.place(10, 10);
    box.set_background(Rgb{0, 0, 0});
    box.set_text_colour(Rgb{255, 255, 0});
    box.set_text_position(4, 4);
    box.print("ab");  // block glyphs 12 x 10 pixels
    draw();
    const int top = unit_to_row(10);
    EXPECT_EQ(frame->at(10 + 4, top + 4), 0xFFFF00u);
    EXPECT_EQ(frame->at(10 + 20, top + 4), 0x000000u);  // no box painted beyond the glyphs
    box.set_background(Rgb{0, 0, 0});
    draw();
    EXPECT_EQ(frame->at(10 + 4, top + 4), 0x000000u);
}

TEST_F(RenderFixture, LabelsAreWhiteOnOpaqueBlack) {
    clear_view();
    tg.f.Label1.place(120, 100);
    tg.f.Label1.set_text("x");
    draw();
    const int top = unit_to_row(100);
    EXPECT_EQ(frame->at(121, top + 1), kWhite);        // the block glyph
    EXPECT_EQ(frame->at(120 + 200, top + 20), 0u);     // the label's black box
    EXPECT_EQ(frame->at(120 + 217, top + 20), kCyan);  // and nothing beyond its 217 pixels
}

TEST_F(RenderFixture, ScoreLineIsPaintedOverTheOldOne) {
    clear_view();
    tg.s.score = 15;
    tg.tick();
    tg.s.score = 0;
    tg.tick();
    draw();
    // "SCORE 0" is 7 block glyphs = 42 pixels; the old "5" beyond them is gone.
    EXPECT_EQ(frame->at(40, 2), 0u);
    EXPECT_EQ(frame->at(45, 2), kCyan);
}

}  // namespace
}  // namespace kx

// The play tick's own steps and the keyboard during play.
#include <gtest/gtest.h>

#include "play/game_keys.h"
#include "play/play.h"
#include "test_support.h"

namespace kx {
namespace {

struct PlayTick : ::testing::Test {
    test::TestGame tg;
    void SetUp() override { tg.start_play(); }
};

TEST_F(PlayTick, CraftStopsExactlyAtItsBounds) {
    tg.s.jikix = 203;
    tg.press(kGameKeys.right);
    tg.tick();
    EXPECT_EQ(tg.s.jikix, 205);
    for (int n = 0; n < 5; ++n) tg.tick();
    EXPECT_EQ(tg.s.jikix, 205);
    tg.press(kGameKeys.left);
    for (int n = 0; n < 40; ++n) tg.tick();
    EXPECT_EQ(tg.s.jikix, 0);
    tg.press(kGameKeys.up);
    for (int n = 0; n < 20; ++n) tg.tick();
    EXPECT_EQ(tg.s.jikiy, 0);
    tg.press(kGameKeys.down);
    for (int n = 0; n < 40; ++n) tg.tick();
    EXPECT_EQ(tg.s.jikiy, 230);
    EXPECT_EQ(tg.f.jiki.y(), 230);
}

TEST_F(PlayTick, ReleasingEitherKeyOfAPairStopsThatAxis) {
    tg.press(kGameKeys.right);
    tg.press(kGameKeys.left);
    EXPECT_EQ(tg.s.jikidx, -7);
    tg.release(kGameKeys.left);
    EXPECT_EQ(tg.s.jikidx, 0);  // although Right is still held
    tg.press(kGameKeys.right);
    EXPECT_EQ(tg.s.jikidx, 7);
    tg.press(kGameKeys.down);
    tg.release(kGameKeys.up);
    EXPECT_EQ(tg.s.jikidy, 0);
}

TEST_F(PlayTick, CloudWrapsOnTheThirdTickFromTheReset) {
    tg.services.numbers = {0.999};
    tg.tick();
    EXPECT_EQ(tg.s.kumox, -31);
    tg.tick();
    EXPECT_EQ(tg.s.kumox, -32);
    tg.tick();
    EXPECT_EQ(tg.s.kumox, 400);
    EXPECT_EQ(tg.s.kumoy, 149);
    EXPECT_EQ(tg.f.kumo.x(), 400);
    EXPECT_EQ(tg.f.kumo.y(), 149);
}

TEST_F(PlayTick, ScoreLineIsPrintedEveryTick) {
    tg.tick();
    ASSERT_EQ(tg.f.prints().size(), 1u);
    EXPECT_EQ(tg.f.prints()[0].text, "SCORE 0");
    EXPECT_EQ(tg.f.prints()[0].font.face, FontFace::Interface);
    EXPECT_EQ(tg.f.prints()[0].colour, (Rgb{0, 0, 0}));
    tg.s.score = 99;
    tg.tick();
    EXPECT_EQ(tg.f.prints().back().text, "SCORE 99");
}

TEST_F(PlayTick, ExplosionIsParkedOnlyOnTheTickItsCountReaches20) {
    tg.s.firecount = 0;
    tg.f.fire.place(100, 100);
    for (int n = 1; n < 20; ++n) tg.tick();
    EXPECT_EQ(tg.f.fire.y(), 100);
    tg.tick();
    EXPECT_EQ(tg.s.firecount, 20);
    EXPECT_EQ(tg.f.fire.x(), 0);
    EXPECT_EQ(tg.f.fire.y(), 300);
    tg.f.fire.place(5, 5);
    tg.tick();
    EXPECT_EQ(tg.f.fire.y(), 5);
}

TEST_F(PlayTick, ZFiresOneShotFromTheCraftsRightEdge) {
    tg.s.laserx = 400;  // exactly 400 still counts as in flight
    tg.press(kGameKeys.fire);
    EXPECT_EQ(tg.s.laserx, 400);
    tg.s.laserx = 401;
    tg.press(kGameKeys.fire);
    EXPECT_EQ(tg.s.laserx, tg.s.jikix + 32);
    EXPECT_EQ(tg.s.lasery, tg.s.jikiy + 10);
    const int x = tg.s.laserx;
    tg.press(kGameKeys.fire);  // a press while the shot flies is not remembered
    EXPECT_EQ(tg.s.laserx, x);
}

}  // namespace
}  // namespace kx

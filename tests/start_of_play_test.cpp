// The reset, the title and the way from the title screen into play.
#include <gtest/gtest.h>

#include "play/game_keys.h"
#include "play/play.h"
#include "sequences/sequences.h"
#include "test_support.h"

namespace kx {
namespace {

TEST(Reset, PlacesEverythingForANewGame) {
    test::TestGame tg;
    const GameState& s = tg.s;
    EXPECT_EQ(tg.services.reseeds, 1);
    EXPECT_EQ(s.i, 3);
    EXPECT_EQ(s.laserx, 500);
    EXPECT_EQ(s.jikix, -100);
    EXPECT_EQ(s.jikiy, 100);
    EXPECT_EQ(s.bossy, -200);
    EXPECT_EQ(s.jimeny, 262);
    EXPECT_EQ(s.ahirux, (Slots{400, 410, 420}));
    EXPECT_EQ(s.ahiruy, (Slots{50, 100, 150}));
    EXPECT_EQ(s.telay, (Slots{500, 500, 500}));
    EXPECT_EQ(tg.f.jiki.picture()->name, "chick");
    EXPECT_EQ(tg.f.ahiru[2].picture()->name, "enemy0");
    EXPECT_EQ(tg.f.power.y(), 312);
    EXPECT_EQ(tg.f.kumo.y(), 296);
    EXPECT_EQ(tg.f.boss.x(), 216);
    EXPECT_FALSE(tg.f.Timer1.running() || tg.f.Timer2.running() || tg.f.Timer3.running());
}

TEST(Title, IsPrintedOnTheStretchedCanvas) {
    test::TestGame tg;
    const BoxSprite& canvas = tg.f.laser;
    EXPECT_EQ(canvas.x(), -1);
    EXPECT_EQ(canvas.y(), -1);
    EXPECT_EQ(canvas.width(), 393);
    EXPECT_EQ(canvas.height(), 297);
    EXPECT_EQ(canvas.background(), (Rgb{0, 0, 0}));
    const auto& p = canvas.prints();
    ASSERT_EQ(p.size(), 9u);
    EXPECT_EQ(p[0].text, "きっぷら－Ｘ");
    EXPECT_EQ((std::pair{p[0].x, p[0].y}), (std::pair{43, 33}));
    EXPECT_EQ(p[0].colour, (Rgb{192, 192, 192}));
    EXPECT_TRUE(p[0].font.bold && p[0].font.italic);
    EXPECT_EQ(p[0].font.points, 48);
    EXPECT_EQ((std::pair{p[1].x, p[1].y}), (std::pair{40, 30}));
    EXPECT_EQ(p[1].colour, (Rgb{255, 255, 0}));
    EXPECT_EQ(p[2].text, "｢↑｣･･･up");
    EXPECT_EQ(p[6].text, "｢ Z ｣･･･missile");
    EXPECT_EQ(p[6].y, 190);
    EXPECT_TRUE(p[6].font.bold && !p[6].font.italic);
    EXPECT_EQ(p[6].font.points, 15);
    EXPECT_EQ(p[7].text, "push any key to start");
    EXPECT_EQ((std::pair{p[7].x, p[7].y}), (std::pair{80, 220}));
    EXPECT_TRUE(p[7].font.bold && p[7].font.italic);
    EXPECT_EQ(p[7].font.points, 17);
    EXPECT_EQ((std::pair{p[8].x, p[8].y}), (std::pair{17, 260}));
    EXPECT_FALSE(p[8].font.bold || p[8].font.italic);
    EXPECT_EQ(p[8].font.points, 14);
}

TEST(StartOfPlay, AnyKeyStartsTheTransitionAndIsSwallowed) {
    for (int code : {kGameKeys.fire, kGameKeys.right, kGameKeys.up, 65}) {
        test::TestGame tg;
        tg.s.lasery = 77;
        tg.press(code);
        EXPECT_EQ(tg.s.jikidx, 0);
        EXPECT_EQ(tg.s.jikidy, 0);
        EXPECT_EQ(tg.s.laserx, 500);
        EXPECT_EQ(tg.s.lasery, 77);
        EXPECT_FALSE(tg.f.Timer1.running());
        EXPECT_TRUE(tg.f.Timer2.running());
        EXPECT_EQ(tg.s.gamemode, 0);
        // The canvas is now the white 10 x 10 shot, waiting out of view on the left.
        EXPECT_EQ(tg.f.laser.width(), 10);
        EXPECT_EQ(tg.f.laser.height(), 10);
        EXPECT_EQ(tg.f.laser.background(), (Rgb{255, 255, 255}));
        EXPECT_TRUE(tg.f.laser.prints().empty());
        EXPECT_EQ(tg.f.laser.x(), -32);
    }
}

TEST(StartOfPlay, CraftFliesInAndHandsOverOnThe31stTick) {
    test::TestGame tg;
    tg.press(32);
    for (int n = 1; n <= 30; ++n) {
        Timer2_Timer(tg.game);
        ASSERT_EQ(tg.s.jikix, -100 + 5 * n);
        tg.press(kGameKeys.left);  // keys during the transition neither steer nor fire
        ASSERT_TRUE(tg.f.Timer2.running());
    }
    EXPECT_EQ(tg.s.jikix, 50);
    Timer2_Timer(tg.game);
    EXPECT_EQ(tg.s.jikix, 55);
    EXPECT_EQ(tg.f.jiki.x(), 55);
    EXPECT_EQ(tg.f.jiki.y(), 100);
    EXPECT_TRUE(tg.f.Timer1.running());
    EXPECT_FALSE(tg.f.Timer2.running());
    EXPECT_EQ(tg.s.gamemode, 1);
    EXPECT_EQ(tg.s.jikidx, 0);
}

}  // namespace
}  // namespace kx

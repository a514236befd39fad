// The ducks' bullets: their flight and re-firing, their hit on the craft, and the game over.
#include <gtest/gtest.h>

#include "enemies/enemies.h"
#include "play/game_keys.h"
#include "play/play.h"
#include "test_support.h"

namespace kx {
namespace {

using test::TestGame;

void fly(TestGame& tg, int slot) {
    tg.s.i = slot;
    fly_bullet(tg.game);
}

TEST(BulletFlight, SpeedRisesByOneWithEachStage) {
    TestGame tg;
    const int speed_at[][2] = {{0, 5}, {19, 5}, {20, 6}, {39, 6}, {40, 7}, {99, 9}};
    for (const auto& [score, speed] : speed_at) {
        tg.s.score = score;
        tg.s.telax[1] = 300;
        fly(tg, 1);
        EXPECT_EQ(tg.f.tela[1].x(), 300 - speed) << "score " << score;
    }
}

TEST(BulletFlight, SlotNumberIsTheVerticalSpeedSoSlotZeroFliesLevel) {
    TestGame tg;
    for (int dir : {1, -1}) {
        for (int slot = 0; slot <= 2; ++slot) {
            tg.s.telax[slot] = 200;
            tg.s.telay[slot] = 100;
            tg.s.teladir[slot] = dir;
            fly(tg, slot);
            EXPECT_EQ(tg.f.tela[slot].y(), 100 + slot * dir) << "slot " << slot << " dir " << dir;
        }
    }
}

TEST(BulletFlight, FiredAgainFromItsMovedDuckOnceBelowMinus32AimedAtTheCraft) {
    TestGame tg;
    tg.start_play();
    const int craft_y = tg.s.jikiy;
    tg.s.telax = {-27, -28, -28};  // one tick at speed 5: -32 flies on, -33 is fired again
    tg.s.teladir = {0, 1, 1};
    tg.s.ahiruy = {20, craft_y + 50, craft_y};  // above, below and level with the craft
    tg.tick();
    EXPECT_EQ(tg.f.tela[0].x(), -32);
    EXPECT_EQ(tg.s.telay[0], 500);
    // Fired from where the duck stands after this tick's flight step (410 - 2, 420 - 2).
    EXPECT_EQ(tg.f.tela[1].x(), 408);
    EXPECT_EQ(tg.f.tela[1].y(), craft_y + 50);
    EXPECT_EQ(tg.s.teladir[1], -1);
    EXPECT_EQ(tg.f.tela[2].x(), 418);
    EXPECT_EQ(tg.f.tela[2].y(), craft_y);
    EXPECT_EQ(tg.s.teladir[2], 0);  // level with the craft: flies level even in slot 2
    tg.tick();
    EXPECT_EQ(tg.f.tela[0].x(), 396);
    EXPECT_EQ(tg.f.tela[0].y(), 20);
    EXPECT_EQ(tg.s.teladir[0], 1);
    EXPECT_EQ(tg.f.tela[1].y(), craft_y + 49);  // the direction is kept between firings
    EXPECT_EQ(tg.f.tela[2].y(), craft_y);
}

TEST(BulletOnCraft, HitsWithinSeventeenUnitsOfTheCraftsCornerPlusEleven) {
    // Craft at (100, 100); bullet offsets from its corner.
    const int offsets[] = {-7, -6, 28, 29};
    auto within_reach = [](int d) { return d >= -6 && d <= 28; };
    for (int dx : offsets) {
        for (int dy : offsets) {
            TestGame tg;
            tg.start_play();
            tg.s.jikix = 100;
            tg.s.jikiy = 100;
            tg.s.i = 1;
            tg.s.telax[1] = 100 + dx;
            tg.s.telay[1] = 100 + dy;
            bullet_against_craft(tg.game);
            const bool hit = within_reach(dx) && within_reach(dy);
            EXPECT_EQ(tg.services.boxes.size(), hit ? 1u : 0u) << "offset " << dx << "," << dy;
        }
    }
}

TEST(GameOver, ChickHitInPassZeroShowsTheScoreAndEndsTheTickAtTheTitle) {
    for (int score : {0, 5}) {
        TestGame tg;
        tg.start_play();
        tg.press(kGameKeys.right);
        tg.s.score = score;
        const int craft_x = tg.s.jikix + 7;  // where the tick moves the craft before the enemies
        tg.s.telax[0] = craft_x + 11 + 5;
        tg.s.telay[0] = tg.s.jikiy + 11;
        tg.tick();
        ASSERT_EQ(tg.services.boxes.size(), 1u);
        EXPECT_EQ(tg.services.boxes[0], "GAME OVER|SCORE " + std::to_string(score));
        EXPECT_FALSE(tg.f.Timer1.running());
        EXPECT_EQ(tg.s.gamemode, 0);
        EXPECT_EQ(tg.s.jikidx, 0);
        EXPECT_EQ(tg.s.jikidy, 0);
        EXPECT_EQ(tg.s.score, 0);
        EXPECT_EQ(tg.f.laser.width(), 393);  // the title canvas is back
        EXPECT_EQ(tg.f.jiki.x(), -100);
        // Slots 1 and 2 were not processed after the reset: they stand where it put them.
        EXPECT_EQ(tg.f.ahiru[1].x(), 410);
        EXPECT_EQ(tg.f.ahiru[2].x(), 420);
        EXPECT_EQ(tg.f.tela[1].x(), 300);
        EXPECT_EQ(tg.f.tela[2].y(), 500);
    }
}

TEST(GameOver, HenLosesThePowerUpToTheFirstBulletAndTheGameToTheNext) {
    // Returns the game after one tick in which the bullets of `slots` reach the powered-up craft.
    auto hit_by = [](TestGame& tg, std::initializer_list<int> slots) {
        tg.start_play();
        tg.s.powerflag = 1;
        tg.f.jiki.take_picture(tg.f.niwatori);
        for (int slot : slots) {
            tg.s.telax[slot] = tg.s.jikix + 11 + 5;
            tg.s.telay[slot] = tg.s.jikiy + 11;
            tg.s.teladir[slot] = 0;
        }
        tg.tick();
    };

    TestGame one;
    hit_by(one, {1});
    EXPECT_TRUE(one.services.boxes.empty());
    EXPECT_TRUE(one.f.Timer1.running());
    EXPECT_EQ(one.s.powerflag, 0);
    EXPECT_EQ(one.f.jiki.picture()->name, "chick");
    EXPECT_EQ(one.f.fire.x(), one.s.jikix);
    EXPECT_EQ(one.f.fire.y(), one.s.jikiy);
    EXPECT_EQ(one.s.telax[1], one.s.ahirux[1]);  // back to its duck
    EXPECT_EQ(one.s.telay[1], one.s.ahiruy[1]);

    TestGame two;
    hit_by(two, {0, 2});
    ASSERT_EQ(two.services.boxes.size(), 1u);
    EXPECT_EQ(two.services.boxes[0], "GAME OVER|SCORE 0");
    EXPECT_FALSE(two.f.Timer1.running());
}

}  // namespace
}  // namespace kx

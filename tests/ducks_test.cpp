// The ducks: their launch, their three kinds of flight, and the player's shot that brings them down.
#include <gtest/gtest.h>

#include <cmath>
#include <numbers>

#include "enemies/enemies.h"
#include "play/game_keys.h"
#include "play/play.h"
#include "test_support.h"

namespace kx {
namespace {

using test::TestGame;

// Moves the duck of `slot` one step, as the play tick does for each slot.
void fly(TestGame& tg, int slot) {
    tg.s.i = slot;
    fly_duck(tg.game);
}

void set_duck(TestGame& tg, int slot, int type, int x, int y) {
    tg.s.ahirutype[slot] = type;
    tg.s.ahirux[slot] = x;
    tg.s.ahiruy[slot] = y;
}

TEST(DuckLaunch, DrawsHeightCentreAndKindInThatOrderAndKeepsThePhase) {
    TestGame tg;
    tg.s.i = 1;
    tg.s.firecount = 13;
    tg.s.ahiruangle[1] = 2.5;
    tg.s.ahirucx[1] = 77;
    tg.services.numbers = {0.999, 0.25, 0.7};
    tekishoki(tg.game);
    EXPECT_EQ(tg.s.ahiruy[1], 199);
    EXPECT_EQ(tg.s.ahirux[1], 400);
    EXPECT_EQ(tg.s.ahirucy[1], 50);
    EXPECT_EQ(tg.s.ahirucx[1], 400);
    EXPECT_EQ(tg.s.ahirutype[1], 2);
    EXPECT_EQ(tg.s.firecount, 0);  // any launch restarts the explosion's time
    EXPECT_EQ(tg.s.ahiruangle[1], 2.5);
    EXPECT_EQ(tg.s.ahiruy[0], 50);  // the other slots are left alone
    EXPECT_EQ(tg.s.ahiruy[2], 150);
    EXPECT_EQ(tg.services.draws, 3);
}

TEST(DuckFlight, StraightDuckLeavesOnlyWhenStrictlyBeyondMinus32) {
    TestGame tg;
    set_duck(tg, 0, 0, 400, 77);
    for (int step = 1; step <= 216; ++step) fly(tg, 0);
    EXPECT_EQ(tg.f.ahiru[0].x(), -32);  // not below -32: still flying
    EXPECT_EQ(tg.f.ahiru[0].y(), 77);
    EXPECT_EQ(tg.services.draws, 0);
    tg.services.numbers = {0.5, 0.1, 0.0};
    fly(tg, 0);  // the 217th step reaches -34: a fresh duck is placed at once
    EXPECT_EQ(tg.f.ahiru[0].x(), 400);
    EXPECT_EQ(tg.f.ahiru[0].y(), 100);
}

TEST(DuckFlight, BouncingDuckSwingsUpFromTheGroundLine) {
    TestGame tg;
    set_duck(tg, 2, 1, 300, 0);
    tg.s.ahiruangle[2] = 0;
    const int heights[] = {223, 216, 208, 201, 193};
    for (int step = 0; step < 5; ++step) {
        fly(tg, 2);
        EXPECT_EQ(tg.f.ahiru[2].x(), 298 - 2 * step);
        EXPECT_EQ(tg.f.ahiru[2].y(), heights[step]) << "step " << step + 1;
    }
    // Just past half a swing the sine is slightly negative and is cut downwards before the
    // absolute value is taken: the duck stands at 229, not 230.
    tg.s.ahiruangle[2] = std::numbers::pi - 0.049;
    fly(tg, 2);
    EXPECT_EQ(tg.f.ahiru[2].y(), 229);
}

TEST(DuckFlight, CirclingDuckLoopsAroundItsDriftingCentre) {
    TestGame tg;
    set_duck(tg, 1, 2, 0, 0);
    tg.s.ahirucx[1] = 300;
    tg.s.ahirucy[1] = 100;
    tg.s.ahiruangle[1] = 0;
    const int dx[] = {4, 9, 14};
    const int dy[] = {49, 49, 47};
    for (int step = 0; step < 3; ++step) {
        fly(tg, 1);
        const int centre_x = 298 - 2 * step;
        EXPECT_EQ(tg.f.ahiru[1].x(), centre_x + dx[step]) << "step " << step + 1;
        EXPECT_EQ(tg.f.ahiru[1].y(), 100 + dy[step]) << "step " << step + 1;
    }
}

TEST(DuckFlight, DuckLaunchedInItsStepFinishesWithItsOldKind) {
    TestGame tg;
    // A bouncing duck leaving at the left becomes a circling one, but this step still bounces: its
    // random height is overwritten by the height from the angle at once.
    set_duck(tg, 0, 1, -31, 150);
    tg.s.ahiruangle[0] = 0;
    tg.services.numbers = {0.1, 0.5, 0.9};
    fly(tg, 0);
    EXPECT_EQ(tg.s.ahirutype[0], 2);
    EXPECT_EQ(tg.f.ahiru[0].x(), 400);
    EXPECT_EQ(tg.f.ahiru[0].y(), 223);
    fly(tg, 0);  // from now on it circles around (398, 100)
    EXPECT_EQ(tg.f.ahiru[0].x(), 398 + int(std::floor(std::sin(0.15) * 50)));
    EXPECT_EQ(tg.f.ahiru[0].y(), 100 + int(std::floor(std::cos(0.15) * 50)));

    // A circling duck whose centre leaves is placed on the circle around the fresh centre.
    set_duck(tg, 1, 2, -80, 0);
    tg.s.ahirucx[1] = -31;
    tg.s.ahiruangle[1] = 0;
    tg.services.numbers = {0.9, 0.3, 0.0};
    fly(tg, 1);
    EXPECT_EQ(tg.f.ahiru[1].x(), 404);
    EXPECT_EQ(tg.f.ahiru[1].y(), 60 + 49);
    fly(tg, 1);  // now straight, from where the circle left it
    EXPECT_EQ(tg.f.ahiru[1].x(), 402);
    EXPECT_EQ(tg.f.ahiru[1].y(), 109);
}

TEST(ShotOnDuck, HitsOnlyWithinNineteenUnitsOfTheDucksCornerPlusEleven) {
    struct Case {
        int laserx, lasery;
        bool hit;
    };
    // Duck at (400, 60): the shot is compared with (411, 71).
    const Case cases[] = {{391, 71, false}, {392, 71, true},  {430, 71, true}, {431, 71, false},
                          {392, 52, true},  {392, 51, false}, {392, 90, true}, {392, 91, false}};
    for (const Case& c : cases) {
        TestGame tg;
        set_duck(tg, 1, 0, 400, 60);
        tg.s.laserx = c.laserx;
        tg.s.lasery = c.lasery;
        tg.services.numbers = {0.25, 0.5, 0.0};
        tg.s.i = 1;
        shot_against_duck(tg.game);
        SCOPED_TRACE(testing::Message() << "shot at " << c.laserx << "," << c.lasery);
        EXPECT_EQ(tg.s.score, c.hit ? 1 : 0);
        EXPECT_EQ(tg.s.laserx, c.hit ? 500 : c.laserx);
        EXPECT_EQ(tg.s.ahiruy[1], c.hit ? 50 : 60);
    }
}

TEST(ShotOnDuck, DestroysOnlyTheFirstDuckAtThePlaceAndShowsTheExplosionTwentyTicks) {
    TestGame tg;
    tg.start_play();
    set_duck(tg, 0, 0, 300, 100);
    set_duck(tg, 1, 0, 300, 100);
    tg.s.laserx = 301;  // flies to 311 before the ducks are tested
    tg.s.lasery = 111;
    tg.services.numbers = {0.25, 0.5, 0.0};
    tg.tick();
    EXPECT_EQ(tg.s.score, 1);
    EXPECT_EQ(tg.f.fire.x(), 300);  // where the duck was before its slot was launched afresh
    EXPECT_EQ(tg.f.fire.y(), 100);
    EXPECT_EQ(tg.f.laser.x(), 311);  // the shot is gone, but its sprite waits for the next tick
    EXPECT_EQ(tg.s.laserx, 500);
    // The fresh duck of slot 0 flies its first step in the same tick; slot 1 is untouched.
    EXPECT_EQ(tg.f.ahiru[0].x(), 398);
    EXPECT_EQ(tg.f.ahiru[0].y(), 50);
    EXPECT_EQ(tg.f.ahiru[1].x(), 298);
    EXPECT_EQ(tg.f.ahiru[1].y(), 100);

    for (int t = 1; t <= 19; ++t) tg.tick();
    EXPECT_EQ(tg.f.fire.y(), 100);
    tg.tick();
    EXPECT_EQ(tg.f.fire.x(), 0);
    EXPECT_EQ(tg.f.fire.y(), 300);
}

TEST(ShotOnDuck, ParkedShotStillMeetsADuckBeyondTheRightEdge) {
    TestGame tg;
    tg.start_play();
    ASSERT_EQ(tg.s.laserx, 500);
    tg.s.lasery = 120;
    set_duck(tg, 2, 0, 480, 110);
    tg.tick();
    EXPECT_EQ(tg.s.score, 1);
    EXPECT_EQ(tg.f.fire.x(), 480);
    EXPECT_EQ(tg.f.fire.y(), 110);
}

TEST(ShotFlight, FliesTenAWayFromTheCraftAndParksOncePast400) {
    struct Case {
        int craft_x, shown_ticks;
    };
    // From the rightmost craft the shot shows at 247 .. 397; from 198 it still shows at 400.
    for (const Case& c : {Case{205, 16}, Case{198, 17}}) {
        TestGame tg;
        tg.start_play();
        tg.s.jikix = c.craft_x;
        tg.s.jikiy = 0;  // the shot flies at y 10, well above every duck
        tg.press(kGameKeys.fire);
        EXPECT_EQ(tg.s.laserx, c.craft_x + 32);
        for (int t = 1; t <= c.shown_ticks; ++t) {
            tg.tick();
            EXPECT_EQ(tg.f.laser.x(), c.craft_x + 32 + 10 * t);
            EXPECT_EQ(tg.f.laser.y(), 10);
        }
        const int last_x = tg.s.laserx;
        tg.press(kGameKeys.fire);  // a second shot cannot start while the first is still flying
        EXPECT_EQ(tg.s.laserx, last_x);
        tg.tick();
        EXPECT_EQ(tg.f.laser.x(), 500);
        EXPECT_EQ(tg.s.score, 0);
    }
}

}  // namespace
}  // namespace kx

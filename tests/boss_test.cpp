// The boss at the end of each stage: when it comes, the stage table, its run, its weak spot, and
// what beating it does.
#include <gtest/gtest.h>

#include <tuple>
#include <utility>

#include "boss/boss.h"
#include "play/play.h"
#include "test_support.h"

namespace kx {
namespace {

using test::TestGame;

constexpr Rgb kOrange{255, 128, 0};

// A boss standing still at y 50 (bossdy 0 keeps it there), open to hits.
void hold_boss_open(TestGame& tg, int score) {
    tg.s.score = score;
    tg.s.bossy = 50;
    tg.s.bossdy = 0;
    tg.s.bossflash = 30;
    tg.s.i = 0;
}

// Play with the boss one hit from beaten, at y 50 and about to move to 51, and the shot about to
// fly to `shot_x` level with the weak spot `weak_spot_y` below the boss's top.
void ready_last_hit(TestGame& tg, int score, int shot_x, int weak_spot_y) {
    tg.start_play();
    tg.s.score = score;
    tg.s.bossdamage = 5;
    tg.s.bossflash = 30;
    tg.s.bossy = 50;
    tg.s.bossdy = 1;
    tg.s.laserx = shot_x - 10;
    tg.s.lasery = 51 + weak_spot_y - 5;
}

// One boss call as the play tick makes it during a boss fight: the stage's entry is loaded first.
void boss_call(TestGame& tg) { boss_stage_step(tg.game); }

TEST(StageTable, EachBossCallLoadsTheCurrentStagesColourAndWeakSpot) {
    using Entry = std::tuple<int, int, int, int, int>;  // red, green, blue, weak spot x, weak spot y
    const std::pair<int, Entry> entries[] = {
        {19, {255, 255, 255, 270, 120}}, {39, {255, 181, 82, 257, 113}}, {99, {255, 255, 0, 264, 110}}};
    for (const auto& [score, entry] : entries) {
        TestGame tg;
        tg.start_play();
        tg.s.score = score;
        tg.tick();
        const GameState& s = tg.s;
        EXPECT_EQ(Entry(s.bossr, s.bossg, s.bossb, s.bosshitx, s.bosshity), entry) << "score " << score;
    }
}

TEST(BossTrigger, CalledInEveryPassOnlyWhileTheScoreIs19Mod20AndTheDucksAreHeldBack) {
    for (int score = 0; score <= 40; ++score) {
        TestGame tg;
        tg.start_play();
        tg.s.score = score;
        tg.tick();
        SCOPED_TRACE(testing::Message() << "score " << score);
        const bool boss_phase = score % 20 == 19;
        EXPECT_EQ(tg.s.bossflash, boss_phase ? 3 : 0);
        // Held at 450 by the boss, the straight ducks fly to 448, beyond the right edge.
        EXPECT_EQ(tg.f.ahiru[0].x(), boss_phase ? 448 : 398);
        EXPECT_EQ(tg.f.ahiru[2].x(), boss_phase ? 448 : 418);
    }
}

TEST(Boss, FirstCallOfAGameStandsStillThenTheBossComesDownAndTurnsAtItsBounds) {
    TestGame tg;
    const Rgb design_colour = tg.f.boss.background();
    tg.s.score = 39;
    boss_call(tg);  // bossdy is still 0 from program start
    EXPECT_EQ(tg.f.boss.x(), 240);
    EXPECT_EQ(tg.f.boss.y(), -200);
    boss_call(tg);
    EXPECT_EQ(tg.f.boss.y(), -199);
    // bossflash starts at 0 after a reset: the stage colour comes only on the 25th call.
    for (int call = 3; call <= 24; ++call) boss_call(tg);
    EXPECT_EQ(tg.f.boss.background(), design_colour);
    boss_call(tg);
    EXPECT_EQ(tg.f.boss.background(), (Rgb{255, 181, 82}));
    EXPECT_EQ(tg.s.j, 0);  // the picture loop has not run: no boss beaten yet

    tg.s.bossy = 110;
    const int run_down[] = {111, 110, 109};
    for (int y : run_down) {
        boss_call(tg);
        EXPECT_EQ(tg.f.boss.y(), y);
    }
    tg.s.bossy = 1;
    const int run_up[] = {0, -1, 0, 1};
    for (int y : run_up) {
        boss_call(tg);
        EXPECT_EQ(tg.f.boss.y(), y);
    }
}

TEST(Boss, WeakSpotCountsOnlyInsideItsZone) {
    // Stage 0: weak spot from x 272 to 290, centre line 120 below the boss's top.
    auto counts = [](int laserx, int below_centre) {
        TestGame tg;
        hold_boss_open(tg, 19);
        tg.s.laserx = laserx;
        tg.s.lasery = 50 + 120 - 5 + below_centre;  // the shot's centre line is lasery + 5
        boss_call(tg);
        return tg.s.bossdamage == 1;
    };
    EXPECT_FALSE(counts(271, 0));
    EXPECT_TRUE(counts(272, 0));
    EXPECT_TRUE(counts(290, 0));
    EXPECT_FALSE(counts(291, 0));
    EXPECT_FALSE(counts(280, 18));
    EXPECT_FALSE(counts(280, -18));
    EXPECT_TRUE(counts(280, 17));
    EXPECT_TRUE(counts(280, -17));
}

TEST(Boss, CountedHitFlashesOrangeAndClosesTheWeakSpotFor24Calls) {
    TestGame tg;
    hold_boss_open(tg, 39);
    auto aim = [&] {
        tg.s.laserx = 267;
        tg.s.lasery = 50 + 113 - 5;
    };
    aim();
    boss_call(tg);
    EXPECT_EQ(tg.s.bossdamage, 1);
    EXPECT_EQ(tg.s.laserx, 500);
    EXPECT_EQ(tg.f.boss.background(), kOrange);
    EXPECT_EQ(kOrange, Rgb::from_number(33023));
    for (int call = 1; call <= 24; ++call) {
        aim();
        boss_call(tg);
        ASSERT_EQ(tg.s.bossdamage, 1) << "call " << call;
        ASSERT_EQ(tg.s.laserx, 267) << "a shot passes through the flashing boss";
    }
    EXPECT_EQ(tg.f.boss.background(), kOrange);
    aim();
    boss_call(tg);
    EXPECT_EQ(tg.s.bossdamage, 2);
}

TEST(Boss, SixthHitSinksTheBossAndOpensTheNextStage) {
    TestGame tg;
    ready_last_hit(tg, 19, 280, 120);
    tg.tick();
    EXPECT_EQ(tg.s.score, 20);
    EXPECT_EQ(tg.s.bossdamage, 0);
    EXPECT_EQ(tg.f.boss.x(), 240);
    EXPECT_EQ(tg.f.boss.y(), 300);  // sunk within the call
    EXPECT_EQ(tg.s.bossy, -200);    // where the next boss will start
    for (const ImageSprite& duck : tg.f.ahiru) EXPECT_EQ(duck.picture()->name, "enemy1");
    EXPECT_EQ(tg.f.boss.picture()->name, "boss1");
    EXPECT_EQ(tg.s.j, 3);
    // Beaten in pass 0: passes 1 and 2 no longer call the boss, which would raise bossflash.
    EXPECT_EQ(tg.s.bossflash, 24);
    EXPECT_TRUE(tg.f.Timer1.running());
    EXPECT_FALSE(tg.f.Timer3.running());

    // The next boss phase: its first call gives the stage colour and is open to hits at once.
    tg.s.score = 39;
    tg.s.laserx = 267;
    tg.s.lasery = -199 + 113 - 5;
    tg.s.i = 0;
    boss_call(tg);
    EXPECT_EQ(tg.s.bossdamage, 1);
}

TEST(Boss, BeatingTheFifthBossReturnsToStageZeroAndStartsTheEnding) {
    TestGame tg;
    ready_last_hit(tg, 99, 275, 110);  // stage 4's zone is 266..284
    for (ImageSprite& duck : tg.f.ahiru) duck.take_picture(tg.f.tsh[4]);
    tg.f.boss.take_picture(tg.f.bossi[4]);
    tg.tick();
    EXPECT_EQ(tg.s.score, 0);
    for (const ImageSprite& duck : tg.f.ahiru) EXPECT_EQ(duck.picture()->name, "enemy0");
    EXPECT_EQ(tg.f.boss.picture()->name, "boss0");
    EXPECT_EQ(tg.f.boss.x(), 240);
    EXPECT_EQ(tg.f.boss.y(), 300);
    EXPECT_EQ(tg.s.bossy, -200);
    EXPECT_FALSE(tg.f.Timer1.running());
    EXPECT_FALSE(tg.f.Timer2.running());
    EXPECT_TRUE(tg.f.Timer3.running());
    EXPECT_EQ(tg.f.ahiru[2].x(), 448);  // the tick ran on to its end
}

}  // namespace
}  // namespace kx

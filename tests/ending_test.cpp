// The ending after the fifth boss: the craft flies off, the scenery sinks, the staff roll rises.
#include <gtest/gtest.h>

#include <algorithm>
#include <map>
#include <string>

#include "play/game_keys.h"
#include "play/play.h"
#include "sequences/sequences.h"
#include "test_support.h"

namespace kx {
namespace {

using test::TestGame;

constexpr Rgb kBlack{0, 0, 0};

// Play with the boss of stage 4 one hit from beaten and the shot about to reach its weak spot.
void aim_at_last_boss(TestGame& tg) {
    tg.start_play();
    tg.s.score = 99;
    tg.s.bossdamage = 5;
    tg.s.bossflash = 30;
    tg.s.bossy = 50;
    tg.s.bossdy = 1;
    tg.s.laserx = 265;  // flies to 275, inside stage 4's zone
    tg.s.lasery = 51 + 110 - 5;
}

// Plays the tick in which the sixth shot on the weak spot beats the last boss.
void beat_last_boss(TestGame& tg) {
    aim_at_last_boss(tg);
    tg.tick();
}

void end_tick(TestGame& tg) { Timer3_Timer(tg.game); }

TEST(Ending, EveryTickHidesTheBulletsThePowerUpAndTheShot) {
    TestGame tg;
    beat_last_boss(tg);
    ASSERT_TRUE(tg.f.Timer3.running());
    for (int round = 0; round < 2; ++round) {  // shown again, hidden again on the next tick
        for (ImageSprite& bullet : tg.f.tela) bullet.show();
        tg.f.power.show();
        tg.f.laser.show();
        end_tick(tg);
        EXPECT_FALSE(tg.f.tela[0].shown() || tg.f.tela[1].shown() || tg.f.tela[2].shown());
        EXPECT_FALSE(tg.f.power.shown() || tg.f.laser.shown());
    }
    EXPECT_TRUE(tg.f.ahiru[0].shown());  // the ducks are left as play left them
}

TEST(Ending, CraftFliesOffThenTheScenerySinksAndTheWindowTurnsBlack) {
    TestGame tg;
    beat_last_boss(tg);
    tg.s.jikix = 481;
    tg.s.kumoy = 471;
    end_tick(tg);
    EXPECT_EQ(tg.f.jiki.x(), 491);
    EXPECT_EQ(tg.f.jimen.y(), 262);
    end_tick(tg);  // past 500: the scenery starts sinking on this same tick
    EXPECT_EQ(tg.f.jiki.x(), 501);
    EXPECT_EQ(tg.f.kumo.y(), 481);
    EXPECT_EQ(tg.f.jimen.x(), -30);
    EXPECT_EQ(tg.f.jimen.y(), 272);
    end_tick(tg);
    EXPECT_EQ(tg.f.kumo.y(), 491);
    EXPECT_FALSE(tg.f.prints().empty());  // the last score line of play is still there
    EXPECT_NE(tg.f.background(), kBlack);
    end_tick(tg);  // the cloud passes 500: black, and the first page on the same tick
    EXPECT_EQ(tg.f.kumo.y(), 501);
    EXPECT_EQ(tg.f.background(), kBlack);
    EXPECT_TRUE(tg.f.prints().empty());
    EXPECT_FALSE(tg.f.persistent());
    EXPECT_EQ(tg.f.Label1.text(), "     ＳＴＡＦＦ");
    EXPECT_EQ(tg.f.Label1.x(), 120);
    EXPECT_EQ(tg.f.Label1.y(), 397);
}

TEST(Ending, StaffRollRisesPageByPageAndStopsOnTheEnd) {
    TestGame tg;
    beat_last_boss(tg);
    struct PageStart {
        std::string heading, name;
        double y1, y2;
    };
    std::map<int, int> placements;  // by endmode of the page
    std::map<int, PageStart> starts;
    int roll_ticks = 0;
    while (tg.f.Timer3.running()) {
        const int before = tg.s.endmode;
        end_tick(tg);
        const int after = tg.s.endmode;
        if (after < 2) continue;
        ++roll_ticks;
        ASSERT_LT(roll_ticks, 2000) << "the roll never stops";
        // A page's last placement and the next page's first fall in the same tick.
        for (int page = std::max(before, 2); page <= std::min(after, 7); ++page) ++placements[page];
        if (after != before && after <= 7)
            starts[after] = {tg.f.Label1.text(), tg.f.Label2.text(), tg.f.Label1.y(), tg.f.Label2.y()};
    }
    EXPECT_EQ(roll_ticks, 792);
    EXPECT_EQ(placements, (std::map<int, int>{{2, 167}, {3, 167}, {4, 134}, {5, 134}, {6, 134}, {7, 61}}));

    const std::map<int, PageStart> expected = {
        {2, {"     ＳＴＡＦＦ", "Label2", 397, 400}},  // Label2 still untouched, below the view
        {3, {"ぐらふぃっくでざいん", "  こんぺいたろうず", 397, 427}},
        {4, {"    ぷろぐらむ", "こんぺいたろうず", 297, 327}},
        {5, {"    おんがく", "  ならないヾ(^^;)", 297, 327}},
        {6, {"    かんとく", "こんぺいたろうず", 297, 327}},
        {7, {"  ＴＨＥ ＥＮＤ", "こんぺいたろうず", 297, -72}},  // Label2 left above the view
    };
    for (const auto& [page, want] : expected) {
        ASSERT_TRUE(starts.contains(page)) << "page " << page;
        const PageStart& got = starts.at(page);
        EXPECT_EQ(got.heading, want.heading) << "page " << page;
        EXPECT_EQ(got.name, want.name) << "page " << page;
        EXPECT_EQ(got.y1, want.y1) << "page " << page;
        EXPECT_EQ(got.y2, want.y2) << "page " << page;
    }

    EXPECT_EQ(tg.s.endmode, 8);
    EXPECT_EQ(tg.f.Label1.x(), 120);
    EXPECT_EQ(tg.f.Label1.y(), 117);
    EXPECT_EQ(tg.f.Label2.y(), -72);
    EXPECT_FALSE(tg.f.Timer1.running());
    EXPECT_FALSE(tg.f.Timer2.running());
    EXPECT_FALSE(tg.f.Timer3.running());
    EXPECT_EQ(tg.f.Label1.text(), "  ＴＨＥ ＥＮＤ");
}

TEST(Ending, ZPressDuringTheRollMovesThePageToTheCraftsHeight) {
    TestGame tg;
    beat_last_boss(tg);
    while (tg.s.endmode < 3) end_tick(tg);
    const int craft_y = tg.s.jikiy;
    for (int press = 0; press < 2; ++press) {
        for (int t = 0; t < 10; ++t) end_tick(tg);
        ASSERT_GT(tg.s.laserx, 400);
        tg.press(kGameKeys.fire);
        end_tick(tg);
        EXPECT_EQ(tg.f.Label1.y(), craft_y + 10 - 3);
        EXPECT_EQ(tg.f.Label2.y(), craft_y + 10 - 3 + 30);
        EXPECT_EQ(tg.s.endmode, 3);
    }
    end_tick(tg);
    EXPECT_EQ(tg.f.Label1.y(), craft_y + 10 - 6);  // and it rises on from there
}

TEST(Ending, BulletReachingTheChickAfterTheLastBossDoesNotEndTheGame) {
    TestGame tg;
    aim_at_last_boss(tg);
    // In the tick that beats the last boss in pass 0, the bullet of slot 1 reaches the chick.
    tg.s.telax[1] = tg.s.jikix + 11 + 5;
    tg.s.telay[1] = tg.s.jikiy + 11;
    tg.s.teladir[1] = 0;
    tg.tick();
    EXPECT_TRUE(tg.services.boxes.empty());
    EXPECT_TRUE(tg.f.Timer3.running());
    EXPECT_FALSE(tg.f.Timer1.running());
    EXPECT_EQ(tg.s.gamemode, 1);
    // The game is won: the bullet test does nothing at all, so the bullet flies on past the
    // craft instead of going back to its duck, and no explosion is placed on the craft.
    EXPECT_EQ(tg.s.telax[1], tg.s.jikix + 11);
    EXPECT_FALSE(tg.f.fire.x() == tg.s.jikix && tg.f.fire.y() == tg.s.jikiy);
    EXPECT_EQ(tg.f.jiki.x(), tg.s.jikix);  // the craft was not sent back to the title's place
}

}  // namespace
}  // namespace kx

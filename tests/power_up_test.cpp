// The power-up item: its 501-tick cycle, its pick-up, and the hen that carries it.
#include <gtest/gtest.h>

#include "play/play.h"
#include "test_support.h"

namespace kx {
namespace {

using test::TestGame;

// Runs the power-up step of the play tick `n` times.
void power_steps(TestGame& tg, int n) {
    for (int k = 0; k < n; ++k) power_up_step(tg.game);
}

TEST(PowerUp, EntersAtTheRightEdgeOnTheLastTickOfEvery501TickCycle) {
    TestGame tg;
    tg.start_play();  // the craft stands at y 100, away from both items below
    tg.services.numbers = {0.999, 0.25};
    power_steps(tg, 500);
    EXPECT_EQ(tg.f.power.x(), -50 - 3 * 500);  // the parked item only drifts further out
    EXPECT_EQ(tg.services.draws, 0);
    power_steps(tg, 1);
    EXPECT_EQ(tg.f.power.x(), 400);
    EXPECT_EQ(tg.f.power.y(), 199);  // floor(200 r)
    EXPECT_EQ(tg.s.powercount, 0);

    power_steps(tg, 144);
    EXPECT_EQ(tg.f.power.x(), 400 - 3 * 144);  // -32: just out of view
    power_steps(tg, 356);
    EXPECT_EQ(tg.f.power.x(), 400 - 3 * 500);
    power_steps(tg, 1);  // the next cycle brings a new item at a new height
    EXPECT_EQ(tg.f.power.x(), 400);
    EXPECT_EQ(tg.f.power.y(), 50);
    EXPECT_EQ(tg.s.powerflag, 0);
}

TEST(PowerUp, PickedUpWithin24UnitsTurnsTheChickIntoAHen) {
    struct Case {
        int dx, dy;
        bool picked;
    };
    const Case cases[] = {{24, 24, true},   {25, 0, false},  {0, 25, false},
                          {-24, -24, true}, {-25, 0, false}, {0, -25, false}};
    for (const Case& c : cases) {
        TestGame tg;
        tg.start_play();
        tg.s.jikix = 10;
        tg.s.jikiy = 100;
        tg.s.powerx = 10 + c.dx + 3;  // the item drifts 3 before the pick-up test
        tg.s.powery = float(100 + c.dy);
        tg.tick();
        SCOPED_TRACE(testing::Message() << "item at " << c.dx << "," << c.dy << " from the craft");
        EXPECT_EQ(tg.s.powerflag, c.picked ? 1 : 0);
        EXPECT_EQ(tg.f.jiki.picture()->name, c.picked ? "hen" : "chick");
        EXPECT_EQ(tg.s.powerx, c.picked ? -50 : 10 + c.dx);
        EXPECT_EQ(tg.f.power.x(), 10 + c.dx);  // the sprite stays where it was placed this tick
    }
}

TEST(PowerUp, NoItemEntersWhileTheCraftIsPoweredUpButTheCycleRunsOn) {
    TestGame tg;
    tg.start_play();
    tg.s.powerflag = 1;
    tg.s.powercount = 500;
    tg.s.powerx = -800;
    tg.s.powery = 77;
    power_steps(tg, 1);
    EXPECT_EQ(tg.s.powerx, -50);
    EXPECT_EQ(tg.f.power.x(), -50);
    EXPECT_EQ(tg.f.power.y(), 77);
    EXPECT_EQ(tg.s.powercount, 0);
    EXPECT_EQ(tg.services.draws, 0);

    tg.s.powerflag = 0;  // the hen has lost its power-up to a bullet
    power_steps(tg, 500);
    EXPECT_EQ(tg.f.power.x(), -50 - 3 * 500);
    power_steps(tg, 1);
    EXPECT_EQ(tg.f.power.x(), 400);
}

}  // namespace
}  // namespace kx

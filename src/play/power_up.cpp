// The power-up: every 501 ticks an item drifts in from the right unless the craft already has one.
#include <cstdlib>

#include "play/play.h"

namespace kx {
namespace {

constexpr int kCycleTicks = 500;  // the count passes this on the cycle's 501st tick
constexpr int kDrift = 3;
constexpr int kEntryX = 400;
constexpr int kPickUpReach = 25;

}  // namespace

void power_up_step(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    s.powercount = s.powercount + 1;
    s.powerx = s.powerx - kDrift;
    if (s.powercount > kCycleTicks) {
        s.powercount = 0;
        s.powerx = kPowerUpParkedX;
        if (s.powerflag < 1) {
            s.powerx = kEntryX;
            s.powery = float(cut(200 * g.services.rnd()));
        }
    }
    f.power.place(s.powerx, s.powery);
    if (std::abs(s.powerx - s.jikix) < kPickUpReach && std::abs(int(s.powery) - s.jikiy) < kPickUpReach) {
        f.jiki.take_picture(f.niwatori);
        s.powerx = kPowerUpParkedX;  // the sprite stays where it was placed until the next tick
        s.powerflag = 1;
    }
}

}  // namespace kx

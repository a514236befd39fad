// The player's shot: its flight and its hit on a duck.
#include <cstdlib>

#include "enemies/enemies.h"
#include "play/play.h"

namespace kx {
namespace {

constexpr int kShotStep = 10;
constexpr int kShotGoneBeyond = 400;
constexpr int kShotReach = 20;  // strict, between the shot's corner and the duck's corner + 11

}  // namespace

void fly_shot(Game& g) {
    GameState& s = g.s;
    s.laserx = s.laserx + kShotStep;
    if (s.laserx > kShotGoneBeyond) s.laserx = kShotParkedX;
    g.form1.laser.place(s.laserx, s.lasery);
}

// Tests whatever the shot's position holds, in flight or parked: a parked shot can still meet a
// circling duck far beyond the right edge.
void shot_against_duck(Game& g) {
    GameState& s = g.s;
    const int k = s.i;
    if (std::abs(s.laserx - (s.ahirux[k] + 11)) < kShotReach && std::abs(s.lasery - (s.ahiruy[k] + 11)) < kShotReach) {
        g.form1.fire.place(s.ahirux[k], s.ahiruy[k]);
        tekishoki(g);
        s.laserx = kShotParkedX;  // so only the first duck in slot order at one place is hit
        s.score = s.score + 1;
    }
}

}  // namespace kx

// Duck flight: straight, bouncing or circling, 2 units a tick to the left.
#include <cstdlib>

#include "enemies/enemies.h"
#include "enemies/exact_trig.h"

namespace kx {
namespace {

constexpr int kDuckSpeed = 2;
constexpr int kGoneBeyond = -32;  // strictly below: the duck has left at the left

void fly_straight(GameState& s, Game& g, int k) {
    s.ahirux[k] = s.ahirux[k] - kDuckSpeed;
    if (s.ahirux[k] < kGoneBeyond) tekishoki(g);
}

void fly_bouncing(GameState& s, Game& g, int k) {
    fly_straight(s, g, k);
    s.ahiruangle[k] = s.ahiruangle[k] + 0.05;
    // The cut goes down before the absolute value: a slightly negative sine gives 229.
    s.ahiruy[k] = 230 - std::abs(cut_sin_times(s.ahiruangle[k], 150));
}

void fly_circling(GameState& s, Game& g, int k) {
    s.ahirucx[k] = s.ahirucx[k] - kDuckSpeed;
    if (s.ahirucx[k] < kGoneBeyond) tekishoki(g);
    s.ahiruangle[k] = s.ahiruangle[k] + 0.1;
    s.ahirux[k] = cut_sin_times(s.ahiruangle[k], 50) + s.ahirucx[k];
    s.ahiruy[k] = cut_cos_times(s.ahiruangle[k], 50) + s.ahirucy[k];
}

}  // namespace

// A duck launched inside its step finishes the step in the branch of its old kind, on the
// fresh values, and flies its new kind from the next tick on.
void fly_duck(Game& g) {
    GameState& s = g.s;
    const int k = s.i;
    switch (s.ahirutype[k]) {
        case 0: fly_straight(s, g, k); break;
        case 1: fly_bouncing(s, g, k); break;
        case 2: fly_circling(s, g, k); break;
        default: break;
    }
    g.form1.ahiru[std::size_t(k)].place(s.ahirux[k], s.ahiruy[k]);
}

}  // namespace kx

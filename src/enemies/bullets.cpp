// Enemy bullets: always in flight, faster as the score grows, re-fired from the duck.
#include "enemies/enemies.h"

namespace kx {
namespace {

constexpr int kBaseSpeed = 5;
constexpr int kGoneBeyond = -32;

int sign(int v) { return (v > 0) - (v < 0); }

}  // namespace

void fly_bullet(Game& g) {
    GameState& s = g.s;
    const int k = s.i;
    s.telax[k] = s.telax[k] - kBaseSpeed - s.score / 20;  // one unit faster per stage
    s.telay[k] = s.telay[k] + k * s.teladir[k];           // slot 0 flies level, slot 2 steepest
    if (s.telax[k] < kGoneBeyond) {
        s.teladir[k] = sign(s.jikiy - s.ahiruy[k]);  // aimed once, towards the craft's height
        s.telax[k] = s.ahirux[k];
        s.telay[k] = s.ahiruy[k];
    }
    g.form1.tela[std::size_t(k)].place(s.telax[k], s.telay[k]);
}

}  // namespace kx

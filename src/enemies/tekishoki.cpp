// tekishoki: a fresh duck for slot i, off the right edge.
#include "enemies/enemies.h"

namespace kx {

void tekishoki(Game& g) {
    GameState& s = g.s;
    const int k = s.i;
    // Three random draws, in this order: height, centre height, kind.
    s.ahiruy[k] = cut(g.services.rnd() * 200);
    s.ahirux[k] = 400;
    s.ahirucy[k] = cut(g.services.rnd() * 200);
    s.ahirucx[k] = 400;
    s.ahirutype[k] = cut(g.services.rnd() * 3);
    // Any launch restarts the explosion's 20 ticks, even for a duck that merely flew out.
    s.firecount = 0;
    // The phase angle is kept: a new duck takes up where the slot's last one left off.
}

}  // namespace kx

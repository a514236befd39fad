// A bullet on the craft: the hen loses its power-up, the chick loses the game.
#include <cstdlib>

#include "enemies/enemies.h"

namespace kx {
namespace {

constexpr int kBulletReach = 18;  // strict, between the bullet's corner and the craft's corner + 11

void game_over(Game& g) {
    GameState& s = g.s;
    g.services.message_box("SCORE " + std::to_string(s.score), "GAME OVER");
    s.gamemode = 0;
    s.jikidx = 0;
    s.jikidy = 0;
    g.form1.Timer1.set_interval(0);
    // The reset leaves the shared slot counter at 3, which ends this tick's enemy loop.
    Form_Initialize(g);
}

}  // namespace

void bullet_against_craft(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    // Once the last boss is beaten in this tick the game is won: no bullet can end it any more.
    if (f.Timer3.running()) return;
    const int k = s.i;
    if (std::abs(s.telax[k] - (s.jikix + 11)) >= kBulletReach || std::abs(s.telay[k] - (s.jikiy + 11)) >= kBulletReach)
        return;
    f.fire.place(s.jikix, s.jikiy);
    s.firecount = 0;
    s.telax[k] = s.ahirux[k];  // back to its duck, keeping its direction
    s.telay[k] = s.ahiruy[k];
    if (s.powerflag == 0) game_over(g);
    if (s.powerflag == 1) {
        s.powerflag = 0;
        f.jiki.take_picture(f.kippura);
    }
}

}  // namespace kx

// Form_Initialize: the reset of the game state and the sprites, then the title.
#include <cmath>

#include "form/game.h"

namespace kx {

void Form_Initialize(Game& g) {
    GameState& s = g.s;
    Form1& f = g.form1;
    g.services.reseed();  // every game gets a fresh random sequence

    s.laserx = kShotParkedX;
    s.kumox = -30;
    s.powerflag = 0;
    s.bossy = -200;
    s.gamemode = 0;
    s.jimeny = 262;
    s.score = 0;
    s.jikix = -100;
    s.jikiy = 100;
    s.powercount = 0;
    s.powerx = kPowerUpParkedX;
    s.bossdamage = 0;
    s.bossflash = 0;
    s.endmode = 0;

    f.jiki.take_picture(f.kippura);  // a game that ended as the hen starts as the chick again

    f.jimen.place(-30, 262);
    f.power.place(136, 312);
    f.kumo.place(136, 296);
    f.jiki.place(s.jikix, s.jikiy);
    f.fire.place(48, 320);
    f.boss.place(216, 304);
    f.boss.take_picture(f.bossi[0]);

    // The shared slot counter is this loop's counter: it is left at 3, which also ends the play
    // tick's enemy loop when a game over calls the reset from inside it.
    for (s.i = 0; s.i <= 2; ++s.i) {
        const int k = s.i;
        f.ahiru[k].take_picture(f.tsh[0]);
        s.ahirutype[k] = 0;
        s.ahirux[k] = 400 + 10 * k;
        s.ahiruy[k] = (k + 1) * 50;
        f.ahiru[k].place(s.ahirux[k], s.ahiruy[k]);
        s.telax[k] = kBulletParkedX;
        s.telay[k] = kBulletParkedY;
        f.tela[k].place(s.telax[k], s.telay[k]);
    }

    draw_title(g);
}

}  // namespace kx

// Timer1_Timer: one frame of play, its steps in their fixed order.
#include "enemies/enemies.h"
#include "play/play.h"

namespace kx {
namespace {

constexpr int kCraftMaxX = 205;  // keeps the craft in the left part of the view
constexpr int kCraftMaxY = 230;  // just above the ground
constexpr int kExplosionTicks = 20;

void print_score_line(Game& g) {
    g.form1.set_text_position(0, 0);
    // The score is never negative, so its decimal form carries one leading blank.
    g.form1.print("SCORE " + std::to_string(g.s.score));
}

void drift_cloud(Game& g) {
    GameState& s = g.s;
    s.kumox = s.kumox - 1;
    if (s.kumox < -32) {
        s.kumoy = float(cut(150 * g.services.rnd()));
        s.kumox = 400;
    }
    g.form1.kumo.place(s.kumox, s.kumoy);
}

void move_craft(Game& g) {
    GameState& s = g.s;
    s.jikix = s.jikix + s.jikidx;
    s.jikiy = s.jikiy + s.jikidy;
    if (s.jikix < 0) s.jikix = 0;
    if (s.jikix > kCraftMaxX) s.jikix = kCraftMaxX;
    if (s.jikiy < 0) s.jikiy = 0;
    if (s.jikiy > kCraftMaxY) s.jikiy = kCraftMaxY;
    g.form1.jiki.place(s.jikix, s.jikiy);
}

void run_explosion_timer(Game& g) {
    g.s.firecount = g.s.firecount + 1;
    if (g.s.firecount == kExplosionTicks) g.form1.fire.place(0, kExplosionParkedY);
}

}  // namespace

void Timer1_Timer(Game& g) {
    GameState& s = g.s;
    print_score_line(g);
    drift_cloud(g);
    move_craft(g);
    fly_shot(g);
    power_up_step(g);
    run_explosion_timer(g);
    // The loop counter lives in the game state: a game over resets it to 3 from inside the
    // loop, and the increment then ends the loop.
    for (s.i = 0; s.i <= 2; s.i = s.i + 1) {
        shot_against_duck(g);
        boss_stage_step(g);
        fly_duck(g);
        fly_bullet(g);
        bullet_against_craft(g);
    }
}

}  // namespace kx

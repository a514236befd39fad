// Form_KeyDown and Form_KeyUp: any key starts a game; arrows set speeds, Z launches the shot.
#include "play/game_keys.h"
#include "play/play.h"

namespace kx {
namespace {

constexpr int kCraftSpeed = 7;
constexpr Rgb kShotColour{255, 255, 255};

// The title canvas becomes the white 10 x 10 shot box, waiting out of view on the left.
void turn_title_into_shot(Form1& f) {
    f.laser.set_height(10);
    f.laser.set_width(10);
    f.laser.set_background(kShotColour);
    f.laser.set_persistent(false);
    f.laser.place(-32, 0);
}

}  // namespace

void Form_KeyDown(Game& g, int& KeyCode, int /*Shift*/) {
    GameState& s = g.s;
    if (s.gamemode == 0) {
        turn_title_into_shot(g.form1);
        KeyCode = 0;  // the key that starts the game neither steers nor fires
        g.form1.Timer1.set_interval(0);
        g.form1.Timer2.set_interval(1);
    }
    if (KeyCode == kGameKeys.up) s.jikidy = -kCraftSpeed;
    if (KeyCode == kGameKeys.down) s.jikidy = kCraftSpeed;
    if (KeyCode == kGameKeys.left) s.jikidx = -kCraftSpeed;
    if (KeyCode == kGameKeys.right) s.jikidx = kCraftSpeed;
    // One shot at a time: a press while it flies is not remembered.
    if (KeyCode == kGameKeys.fire && s.laserx > 400) {
        s.laserx = s.jikix + 32;
        s.lasery = s.jikiy + 10;
    }
}

void Form_KeyUp(Game& g, int KeyCode, int /*Shift*/) {
    // Releasing either key of a pair stops that axis, even while the other is still held.
    if (KeyCode == kGameKeys.up || KeyCode == kGameKeys.down) g.s.jikidy = 0;
    if (KeyCode == kGameKeys.left || KeyCode == kGameKeys.right) g.s.jikidx = 0;
}

}  // namespace kx

// The three enemy slots: each a duck with its bullet. An array name written alone in these
// procedures means the element of the current slot, the shared counter i.
#pragma once

#include "form/game.h"

namespace kx {

// Launches a fresh duck in slot i at the right edge: random height, centre and kind of flight.
void tekishoki(Game& g);
// Moves the duck of slot i one step along its kind of flight and places its sprite.
void fly_duck(Game& g);
// Moves bullet i, fires it again from its duck once it has left at the left, places its sprite.
void fly_bullet(Game& g);
// Bullet i against the craft: explosion, then the power-up is lost or the game is over.
void bullet_against_craft(Game& g);

}  // namespace kx

// The boss at the end of each stage.
#pragma once

#include "form/game.h"

namespace kx {

// One step of the boss fight; called once in each pass of the enemy loop while score mod 20 = 19,
// with the stage's colour and weak spot loaded into bossr .. bosshity.
void bossshutugen(Game& g);

}  // namespace kx

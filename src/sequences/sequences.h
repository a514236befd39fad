// The start-of-play transition and the ending with its staff roll.
#pragma once

#include "form/game.h"

namespace kx {

// The craft flies in from the left; past x = 50 play begins.
void Timer2_Timer(Game& g);
// Switches from play to the ending's own timer.
void ending(Game& g);
// One step of the ending: the craft flies off, the scenery sinks, the staff roll rises.
void Timer3_Timer(Game& g);

}  // namespace kx

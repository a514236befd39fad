// The play tick and the player's side of play.
#pragma once

#include "form/game.h"

namespace kx {

// One frame of play.
void Timer1_Timer(Game& g);
// KeyCode may be cleared to 0 by the handler (a key that starts the game is swallowed).
void Form_KeyDown(Game& g, int& KeyCode, int Shift);
void Form_KeyUp(Game& g, int KeyCode, int Shift);

// Steps of the play tick.
void fly_shot(Game& g);           // the shot moves 10 right and parks beyond 400
void shot_against_duck(Game& g);  // slot i: explosion, fresh duck, a point
void power_up_step(Game& g);      // the item's cycle, drift and pick-up
void boss_stage_step(Game& g);    // while score mod 20 = 19: load the stage entry, call the boss

}  // namespace kx

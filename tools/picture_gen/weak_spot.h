// The red mark on every boss: the spot the player's shot must hit. Its place in each picture is
// fixed by the stage table (the hit test looks there), so the boss figures are laid out around it.
#pragma once

#include "canvas.h"

namespace picgen {

constexpr char kWeakSpot = 'R';  // pure red 255,0,0, used for nothing else in a boss picture

// Upright mark: a solid rectangle, corners inclusive.
void paint_weak_spot(Canvas& c, int x0, int y0, int x1, int y1);
// Slanted mark: rows y0..y1, each `width` pixels wide, sliding evenly from starting at x0 on the
// top row to ending at x1 on the bottom row.
void paint_slanted_weak_spot(Canvas& c, int x0, int y0, int x1, int y1, int width);

}  // namespace picgen

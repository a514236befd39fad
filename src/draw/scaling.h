// Fitting the 392 x 286 frame into a window of any size: the largest whole-number factor that
// fits, nearest neighbour, centred, with black bars around it.
#pragma once

#include <cstdint>

#include "draw/rect.h"
#include "elements/frame.h"

namespace kx {

struct Placement {
    int factor;  // at least 1; a window smaller than the frame shows its top-left part
    int left, top;
};

Placement place_frame(int width, int height);

// Draws the scaled frame into 32-bit pixels (0x00RRGGBB), `pitch` bytes a row, bars included.
void scale_frame(const Frame& frame, std::uint32_t* pixels, int width, int height, int pitch);

// Draws one part of the frame again over a window drawn by scale_frame, leaving the rest alone.
// Returns the window's pixels it covered (empty when none of them is in the window).
Rect scale_part(const Frame& frame, Rect part, std::uint32_t* pixels, int width, int height, int pitch);

}  // namespace kx

// Fitting the 392 x 286 frame into a window of any size: the largest whole-number factor that
// fits, nearest neighbour, centred, with black bars around it.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "draw/rect.h"
#include "elements/frame.h"

namespace kx {

struct Placement {
    int factor;  // at least 1; a window smaller than the frame shows its top-left part
    int left, top;
};

Placement place_frame(int width, int height);

// A point of a window `window_width` x `window_height` (in the units its events use) as a point
// of the frame shown in its `pixel_width` x `pixel_height` pixels (more than its points on a
// high-DPI display); outside the frame when it is on a bar.
struct FramePoint {
    int x, y;
};
FramePoint frame_point(int x, int y, int window_width, int window_height, int pixel_width, int pixel_height);

// The factor a window opens at: the largest at which the window and the frame its desktop puts
// around it (title bar, borders) fit the usable area (the screen without its task bars).
int fitting_factor(int usable_width, int usable_height, int decoration_width, int decoration_height);

// The factor a window opens at for the --scale the player asked for, if any: the one asked where
// the window fits, else the largest that fits, with a line that says so for the player.
struct OpeningFactor {
    int factor;
    std::string note;  // empty when the window opens as asked
};
OpeningFactor opening_factor(std::optional<int> asked, int usable_width, int usable_height, int decoration_width,
                             int decoration_height);

// Draws the scaled frame into 32-bit pixels (0x00RRGGBB), `pitch` bytes a row, bars included.
void scale_frame(const Frame& frame, std::uint32_t* pixels, int width, int height, int pitch);

// Draws one part of the frame again over a window drawn by scale_frame, leaving the rest alone.
// Returns the window's pixels it covered (empty when none of them is in the window).
Rect scale_part(const Frame& frame, Rect part, std::uint32_t* pixels, int width, int height, int pitch);

}  // namespace kx

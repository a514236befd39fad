// The frame (title bar and borders) a window manager puts around a window, asked for before the
// game's window is made, so that it opens at a size that fits on the desktop with its frame.
#pragma once

#include <SDL.h>

#include <optional>

namespace kx {

struct Decorations {
    int width, height;  // what the frame adds to the window's size, in pixels
};

// Asks the X11 window manager how big the frame of a window with those SDL flags will be, with a
// hidden window made for the question (resizing a window afterwards may be refused or come late).
// Empty when it is not X11, no window manager offers to say, or it does not answer in a moment.
std::optional<Decorations> ask_decorations(Uint32 window_flags);

}  // namespace kx

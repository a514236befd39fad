// X11 reports some failures long after the request that caused them, and by default ends the
// program for them with a screenful of Xlib's words. A request about a window that has just gone
// (one closed a moment ago) is harmless: it is let pass. Anything else, and a connection lost
// (the window destroyed or its client killed by another program, the X server gone), ends the
// game with one line and status 1.
#pragma once

namespace kx {

// Call once the video system runs; does nothing unless it is X11.
void handle_x11_errors();

}  // namespace kx

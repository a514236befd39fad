// X11 reports some failures long after the request that caused them, and by default ends the
// program for them. A request about a window that has just gone (the game-over box closed a
// moment ago) is harmless: this keeps such reports from ending the game.
#pragma once

namespace kx {

// Call once the video system runs; does nothing unless it is X11.
void tolerate_vanished_x11_windows();

}  // namespace kx

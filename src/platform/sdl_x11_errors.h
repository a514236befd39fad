// X11 reports some failures long after the request that caused them, and by default ends the
// program for them with a screenful of Xlib's words. A request about a window that has just gone
// (one closed a moment ago) is harmless: it is let pass. Anything else, and a connection lost
// (the window destroyed or its client killed by another program, the X server gone), ends the
// game with one line and status 1.
#pragma once

namespace kx {

// Call before the video system starts, and again once it runs. SDL keeps the handler it finds at
// start-up and puts it back just before it closes the display at exit, when X may still report
// errors about the window just destroyed: that handler must be ours, not Xlib's default, which
// ends the program with status 1. Without X11 the handlers are never called.
void handle_x11_errors();

}  // namespace kx

// X error handlers: "no such window" passes; other errors and a lost connection end the game in one line.
#include "platform/sdl_x11_errors.h"

#include <X11/Xlib.h>
#include <unistd.h>

#include <cstdio>

namespace kx {
namespace {

// Both end with _exit: the connection is unusable, and any clean-up (SDL_Quit, the window's
// destructor) would only talk to X again.
[[noreturn]] void end_with(const char* line) {
    std::fputs(line, stderr);
    std::fflush(stderr);
    _exit(1);
}

// Replaces SDL's handler, whose only extra is to restore display modes changed for fullscreen:
// the game never changes one (its fullscreen is the desktop's own size).
int on_x_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) return 0;  // the window is gone already: nothing to do
    char name[160] = "";
    XGetErrorText(display, error->error_code, name, sizeof name);
    char line[320];
    std::snprintf(line, sizeof line,
                  "kippura-x: the display refused a request (%s); was the window destroyed by another program?\n",
                  name);
    end_with(line);
}

int on_x_io_error(Display*) { end_with("kippura-x: lost the connection to the display\n"); }

}  // namespace

void handle_x11_errors() {
    XSetErrorHandler(on_x_error);
    XSetIOErrorHandler(on_x_io_error);
}

}  // namespace kx

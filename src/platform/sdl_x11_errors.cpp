// An X error handler that lets "no such window" pass and keeps Xlib's default for the rest.
#include "platform/sdl_x11_errors.h"

#include <SDL.h>
#include <X11/Xlib.h>

#include <cstring>

namespace kx {
namespace {

XErrorHandler previous_handler = nullptr;

int on_x_error(Display* display, XErrorEvent* error) {
    if (error->error_code == BadWindow) return 0;  // the window is gone already: nothing to do
    return previous_handler ? previous_handler(display, error) : 0;
}

}  // namespace

void tolerate_vanished_x11_windows() {
    const char* driver = SDL_GetCurrentVideoDriver();
    if (!driver || std::strcmp(driver, "x11") != 0) return;
    previous_handler = XSetErrorHandler(on_x_error);
}

}  // namespace kx

// SDL's own simple box: it needs no video system started, so it works when that failed.
#include "platform/fatal_error_box.h"

#include <SDL.h>

#include <cstdlib>

#include "platform/quiet_stderr.h"

namespace kx {
namespace {

bool set(const char* name) {
    const char* value = std::getenv(name);
    return value && *value;
}

}  // namespace

void show_fatal_error_box(const std::string& text) {
    // Without a display a box would only add the toolkits' complaints to the line already printed.
    if (!set("DISPLAY") && !set("WAYLAND_DISPLAY")) return;
    QuietStderr quiet;  // zenity's or Xlib's own words when the named display does not answer
    SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, "kippura-x", text.c_str(), nullptr);
}

}  // namespace kx

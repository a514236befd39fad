// The desktop video drivers tried in turn, with the libraries' own complaints kept quiet.
#include "platform/video_driver.h"

#include <SDL.h>

#include <cstdlib>
#include <stdexcept>
#include <string>

#include "platform/quiet_stderr.h"
#include "platform/sdl_x11_errors.h"
#include "run/window_run.h"

namespace kx {
namespace {

constexpr const char* kHeadlessHint = "; run with --headless to play a replay without a screen";

// The drivers that put a window on a desktop. KMSDRM is left out: it would take over the
// console's whole screen, which from an SSH login is someone else's; it stays available
// through SDL_VIDEODRIVER, as do offscreen and dummy.
bool shows_a_window(const char* driver) {
    return SDL_strcasecmp(driver, "x11") == 0 || SDL_strcasecmp(driver, "wayland") == 0;
}

std::string variable(const char* name) {
    const char* value = std::getenv(name);
    return value && *value ? value : "";
}

bool try_driver(const char* driver) {
    QuietStderr quiet;  // libwayland's "XDG_RUNTIME_DIR is invalid or not set", for one
    SDL_SetHint(SDL_HINT_VIDEODRIVER, driver);
    if (SDL_InitSubSystem(SDL_INIT_VIDEO) == 0) return true;
    SDL_SetHint(SDL_HINT_VIDEODRIVER, nullptr);
    return false;
}

void start_video() {
    const std::string asked = variable("SDL_VIDEODRIVER");
    if (!asked.empty()) {
        if (SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS) == 0) return;
        throw std::runtime_error("cannot open a window with SDL_VIDEODRIVER=" + asked + ": " + SDL_GetError() +
                                 kHeadlessHint);
    }
    if (SDL_Init(SDL_INIT_EVENTS) != 0)
        throw std::runtime_error(std::string("cannot start SDL's events: ") + SDL_GetError());
    for (int i = 0; i < SDL_GetNumVideoDrivers(); ++i) {
        const char* driver = SDL_GetVideoDriver(i);
        if (shows_a_window(driver) && try_driver(driver)) return;
    }
    SDL_Quit();
    throw NoDisplay("cannot open a window: " + no_display_reason(variable("DISPLAY"), variable("WAYLAND_DISPLAY")) +
                    kHeadlessHint);
}

}  // namespace

void open_video() {
    handle_x11_errors();
    start_video();
    handle_x11_errors();  // over SDL's own, which only restores desktop modes on errors
}

}  // namespace kx

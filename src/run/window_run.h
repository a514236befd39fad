// What a front end with a window is asked to run: the game's setup for the driver and what only
// a window has. Every window front end (the desktop's, Windows') takes this.
#pragma once

#include <optional>
#include <stdexcept>
#include <string>

#include "input/key_bindings.h"
#include "run/driver.h"

namespace kx {

struct WindowRun {
    DriverSetup game;          // the seed, the replay, the tick rate, the pause on focus loss
    std::string record_path;   // empty: no recording
    std::string trace_path;    // empty: no trace
    std::optional<int> scale;  // empty: fit the display
    bool fullscreen = false;
    bool stats = false;  // print the run's figures on exit
    KeyBindings keys;    // which key plays which role (--keys)
};

// No display answered at all: nothing could show a window, nor a box saying so.
struct NoDisplay : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Why no display answered, from the X11 and Wayland displays the environment names (empty: none).
std::string no_display_reason(const std::string& x11, const std::string& wayland);

}  // namespace kx

// The window front end: a real SDL window, keyboard, mouse and game controllers, driven by the
// run layer's driver; the game-over box and the pause are drawn inside the window.
#pragma once

#include <optional>
#include <string>

#include "elements/text_style.h"
#include "run/driver.h"

namespace kx {

struct WindowRun {
    DriverSetup game;          // the seed, the replay, the tick rate, the pause on focus loss
    std::string record_path;   // empty: no recording
    std::string trace_path;    // empty: no trace
    std::optional<int> scale;  // empty: fit the display
    bool fullscreen = false;
    bool stats = false;  // print the run's figures on exit
};

// Runs until the window is closed; returns the process exit status.
int run_window(WindowRun run, TextRasterizer& text);

}  // namespace kx

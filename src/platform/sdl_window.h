// The window front end: a real SDL window, a fixed tick clock, keyboard, mouse and game
// controllers; the game-over box and the pause are drawn inside the window.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "elements/text_style.h"
#include "run/input_script.h"
#include "run/tick_clock.h"

namespace kx {

struct WindowRun {
    std::uint32_t base_seed = 0;
    std::optional<InputScript> replay;  // played in real time instead of the keyboard's events
    std::string record_path;            // empty: no recording
    std::string trace_path;             // empty: no trace
    std::optional<int> scale;           // empty: fit the display
    bool fullscreen = false;
    int tick_rate = kDefaultTickRate;
    bool stats = false;  // print the run's figures on exit
    bool pause_on_focus_loss = true;
};

// Runs until the window is closed; returns the process exit status.
int run_window(const WindowRun& run, TextRasterizer& text);

}  // namespace kx

// The window front end: a real SDL window, a fixed tick clock, keyboard and game controllers,
// and the game-over box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "elements/text_style.h"
#include "run/input_script.h"

namespace kx {

// The tick period: 1/64 s, what a 1-millisecond periodic timer delivers on common desktops.
constexpr int kDefaultTickRate = 64;  // ticks per second
// After a stall (window dragged, machine suspended) at most this many late ticks are run.
constexpr int kMaxCatchUpTicks = 4;

struct WindowRun {
    std::uint32_t base_seed = 0;
    std::optional<InputScript> replay;  // played in real time instead of the keyboard's events
    std::string record_path;            // empty: no recording
    std::string trace_path;             // empty: no trace
    std::optional<int> scale;           // empty: fit the display
    bool fullscreen = false;
    int tick_rate = kDefaultTickRate;
    bool stats = false;  // print the run's figures on exit
};

// Runs until the window is closed; returns the process exit status.
int run_window(const WindowRun& run, TextRasterizer& text);

}  // namespace kx

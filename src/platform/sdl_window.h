// The window front end: a real SDL window, a fixed tick clock, keyboard, and the message box.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "platform/input_script.h"
#include "platform/text_style.h"

namespace kx {

struct WindowRun {
    std::uint32_t base_seed = 0;
    std::optional<InputScript> replay;  // played in real time instead of the keyboard's events
    std::string record_path;            // empty: no recording
    std::string trace_path;             // empty: no trace
};

// Tick period: 1/64 s, what a 1-millisecond periodic timer delivers on common desktops.
constexpr std::int64_t kTickPeriodNs = 15'625'000;
// After a stall (window dragged, machine suspended) at most this many late ticks are run.
constexpr int kMaxCatchUpTicks = 4;

// Runs until the window is closed; returns the process exit status.
int run_window(const WindowRun& run, TextRasterizer& text);

}  // namespace kx

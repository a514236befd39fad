// The headless front end: no window and no real time; ticks run back to back.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

#include "elements/text_style.h"
#include "formats/input_script.h"

namespace kx {

struct HeadlessRun {
    std::uint32_t base_seed = 0;
    InputScript input;
    std::optional<std::int64_t> max_ticks;
    std::string trace_path;          // empty: no trace; "-": standard output
    std::string screenshot_path;     // empty: none
    bool stop_at_game_over = false;  // stop with the first game-over box, drawn in the screenshot
};

// Runs to the end; returns the process exit status. Throws std::runtime_error on I/O failures.
int run_headless(const HeadlessRun& run, TextRasterizer& text);

}  // namespace kx

// The command line.
#pragma once

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

namespace kx {

struct Options {
    bool headless = false;
    bool help = false;
    bool version = false;
    std::optional<std::uint32_t> seed;
    std::string input_path;
    std::optional<std::int64_t> ticks;
    std::string trace_path;
    std::string screenshot_path;
    std::string record_path;
    std::optional<int> scale;
    bool fullscreen = false;
    std::optional<int> tick_rate;
    bool stats = false;
    bool no_pause_on_focus_loss = false;
    bool stop_at_game_over = false;
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Throws UsageError with a one-line message for an unknown option or a bad value.
Options parse_options(const std::vector<std::string>& args);
std::string help_text();

}  // namespace kx

// The command line.
#pragma once

#include <cstdint>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "input/key_bindings.h"

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
    KeyBindings keys;                 // the usual keys, or --keys
    std::string verify;               // --verify: a recording's path or a game's link
    std::string link_path;            // --link: the recording to make a link of
    std::optional<std::string> site;  // --site: the address the link opens
};

struct UsageError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// The page links open when --site is not given: the build's KX_SITE_URL (empty: none).
std::string default_site();

// Throws UsageError with a one-line message for an unknown option or a bad value.
Options parse_options(const std::vector<std::string>& args);
// The help, its keys as `keys` has them, with the labels of the player's layout where
// `label_here` knows them (0 where it does not).
std::string help_text(const KeyBindings& keys, const std::function<char32_t(int place)>& label_here);

}  // namespace kx

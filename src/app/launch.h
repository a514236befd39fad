// What every build's main() does, whichever front ends it has: the command line, --help and
// --version, the seed, a headless run or a window, and failures told in one line (and, for a
// window run, in a box too).
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "elements/text_style.h"
#include "run/window_run.h"

namespace kx {

struct FrontEnds {
    // The game's text: the desktop's fonts, or the table baked at build time.
    std::function<std::unique_ptr<TextRasterizer>()> text;
    // Runs the game in a window until it is closed; returns the exit status. Throws NoDisplay
    // when no display answered, std::runtime_error on other failures.
    std::function<int(WindowRun, TextRasterizer&)> window;
    // Tells a failure of a window run in a box: whoever started the game from a menu has no
    // terminal to read the line in.
    std::function<void(const std::string&)> error_box;
    // What the player's keyboard layout prints on the key at a place, for --help (0: unknown).
    std::function<char32_t(int place)> layout_label;
};

// Runs the program with these arguments (without the program's name); returns the exit status.
int launch(const std::vector<std::string>& args, const FrontEnds& front_ends);

}  // namespace kx

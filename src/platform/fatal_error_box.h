// A start-up failure told in a desktop box too: someone who started the game from a menu has
// no terminal to read the line in.
#pragma once

#include <string>

namespace kx {

// Shows `text` in an error box titled "kippura-x" and returns once it is closed. Does nothing
// when no display is named, and returns at once when the named one does not answer.
void show_fatal_error_box(const std::string& text);

}  // namespace kx

// The game-over box: a small modal window of our own with the text and one OK button.
#pragma once

#include <stdexcept>
#include <string>

#include <SDL.h>

#include "elements/text_style.h"

namespace kx {

// Thrown when the player closes the game window while the box is open: the program ends.
struct QuitRequested : std::exception {
    const char* what() const noexcept override { return "the window was closed"; }
};

// Shows the box, modal for `parent`, and returns once OK is pressed (Return, Space, Escape, a
// click on OK, or the box's own close button). Throws QuitRequested when the game window is
// closed meanwhile.
void show_message_box(SDL_Window* parent, TextRasterizer& text, const std::string& prompt, const std::string& title);

}  // namespace kx

// The game's window on the desktop: whole-number scaling, letterboxing, fullscreen, the frame.
// The frame is scaled in software straight into the window's surface: no 3D driver is loaded,
// which keeps the game small and quick to start.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "elements/frame.h"

namespace kx {

class Screen {
public:
    // scale: the window's size in multiples of 392 x 286; by default the largest that fits in
    // about two thirds of the display's height.
    Screen(const std::string& caption, std::optional<int> scale, bool fullscreen);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Scales the frame into the window and shows it.
    void show(const Frame& frame);
    void toggle_fullscreen();
    SDL_Window* window() const { return window_; }
    // The display's refresh rate in Hz (60 when the display does not say).
    int refresh_rate() const;

    // The scale the window opens at on a display of that usable size.
    static int fitting_scale(int display_width, int display_height);

private:
    SDL_Window* window_ = nullptr;
    std::vector<std::uint32_t> scaled_;  // for a window surface of an unusual pixel format
    SDL_Rect windowed_{};                // place and size to go back to from fullscreen
};

}  // namespace kx

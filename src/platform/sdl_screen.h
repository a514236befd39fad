// The game's window on the desktop: whole-number scaling, letterboxing, fullscreen, the frame.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>

#include "platform/frame.h"
#include "platform/renderer.h"

namespace kx {

class Screen {
public:
    // scale: the window's size in multiples of 392 x 286; by default the largest that fits in
    // about two thirds of the display's height.
    Screen(const std::string& caption, TextRasterizer& text, std::optional<int> scale, bool fullscreen);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    void show(const Form1& form);
    void toggle_fullscreen();
    SDL_Window* window() const { return window_; }

    // The scale the window opens at on a display of that usable size.
    static int fitting_scale(int display_width, int display_height);

private:
    Renderer renderer_;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
    SDL_Window* window_ = nullptr;
    SDL_Renderer* sdl_renderer_ = nullptr;
    SDL_Texture* texture_ = nullptr;
    SDL_Rect windowed_{};  // place and size to go back to from fullscreen
};

}  // namespace kx

// The game's window on the desktop: whole-number scaling, letterboxing, fullscreen, the frame.
// The frame is scaled in software straight into the window's surface: no 3D driver is loaded,
// which keeps the game small and quick to start.
#pragma once

#include <SDL.h>

#include <optional>
#include <string>
#include <vector>

#include "draw/window_canvas.h"
#include "elements/frame.h"
#include "run/window_host.h"

namespace kx {

class Screen : public WindowScreen {
public:
    // scale: the window's size in multiples of 392 x 286; by default the largest at which the
    // window and the frame the window manager puts around it fit the desktop's usable area.
    Screen(const std::string& caption, std::optional<int> scale, bool fullscreen);
    ~Screen() override;
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Scales the frame into the window and shows it. Only the parts that differ from the frame
    // shown before are scaled and sent to the display.
    void show(const Frame& frame) override;
    // The next show() draws and sends the whole window (after window events that may have lost
    // its pixels; a fullscreen toggle does this itself).
    void invalidate() override { canvas_.invalidate(); }
    void toggle_fullscreen() override;
    SDL_Window* window() const { return window_; }
    // The display's refresh rate in Hz (60 when the display does not say).
    int refresh_rate() const override;
    void set_title(const std::string& title) override { SDL_SetWindowTitle(window_, title.c_str()); }

private:
    // Where the window's pixels are drawn: the surface itself, or a buffer converted into it.
    std::uint32_t* canvas(SDL_Surface* surface);
    void convert(SDL_Surface* surface, const SDL_Rect& rect);

    SDL_Window* window_ = nullptr;
    // For a window surface of an unusual pixel format.
    std::vector<std::uint32_t> scaled_;
    // The place and size to go back to from fullscreen.
    SDL_Rect windowed_{};
    // What the window shows, and what the next frame changes of it.
    WindowCanvas canvas_;
    // The surface drawn last, to notice a new one.
    SDL_Surface* surface_ = nullptr;
    std::vector<SDL_Rect> window_rects_;
};

}  // namespace kx

// The game's window on the desktop: whole-number scaling, letterboxing, fullscreen, the frame.
// The frame is scaled in software straight into the window's surface: no 3D driver is loaded,
// which keeps the game small and quick to start.
#pragma once

#include <SDL.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "draw/scaling.h"
#include "elements/frame.h"

namespace kx {

class Screen {
public:
    // scale: the window's size in multiples of 392 x 286; by default the largest at which the
    // window and the frame the window manager puts around it fit the desktop's usable area.
    Screen(const std::string& caption, std::optional<int> scale, bool fullscreen);
    ~Screen();
    Screen(const Screen&) = delete;
    Screen& operator=(const Screen&) = delete;

    // Scales the frame into the window and shows it. Only the parts that differ from the frame
    // shown before are scaled and sent to the display.
    void show(const Frame& frame);
    // The next show() draws and sends the whole window (after window events that may have lost
    // its pixels; a fullscreen toggle does this itself).
    void invalidate() { whole_ = true; }
    void toggle_fullscreen();
    SDL_Window* window() const { return window_; }
    // The display's refresh rate in Hz (60 when the display does not say).
    int refresh_rate() const;

    // The scale the window opens at on a desktop whose usable area is that big, when the window
    // manager's frame adds that much around the window.
    static int fitting_scale(int usable_width, int usable_height, int decoration_width, int decoration_height);

private:
    void show_whole(const Frame& frame, SDL_Surface* surface);
    void show_changes(const Frame& frame, SDL_Surface* surface);
    // Where the window's pixels are drawn: the surface itself, or a buffer converted into it.
    std::uint32_t* canvas(SDL_Surface* surface);
    void convert(SDL_Surface* surface, const SDL_Rect& rect);

    SDL_Window* window_ = nullptr;
    // For a window surface of an unusual pixel format.
    std::vector<std::uint32_t> scaled_;
    // The place and size to go back to from fullscreen.
    SDL_Rect windowed_{};
    // What the window shows now, to find what the next frame changes.
    std::unique_ptr<Frame> shown_ = std::make_unique<Frame>();
    // The window's pixels cannot be trusted: draw and send them all.
    bool whole_ = true;
    // The surface drawn last and its size, to notice a new one.
    SDL_Surface* surface_ = nullptr;
    int surface_w_ = 0, surface_h_ = 0;
    std::vector<Rect> changes_;
    std::vector<SDL_Rect> window_rects_;
};

}  // namespace kx

// The window and the way the 392 x 286 frame fills it: whole-number factors only, nearest
// neighbour, black bars where the window's shape differs, sized from the window surface's real
// pixels so that high-DPI displays get them all.
#include "platform/sdl_screen.h"

#include <algorithm>
#include <stdexcept>

#include "form/pictures.h"
#include "platform/scaling.h"

namespace kx {
namespace {

[[noreturn]] void sdl_fail(const std::string& what) { throw std::runtime_error(what + ": " + SDL_GetError()); }

void set_icon(SDL_Window* window) {
    const Picture& icon = game_picture("icon");
    SDL_Surface* surface =
        SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.pixels.data()), icon.width, icon.height, 32,
                                           icon.width * 4, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return;
    SDL_SetWindowIcon(window, surface);
    SDL_FreeSurface(surface);
}

}  // namespace

int Screen::fitting_scale(int display_width, int display_height) {
    const int by_height = display_height * 2 / 3 / kClientHeight;
    const int by_width = display_width * 9 / 10 / kClientWidth;
    return std::max(1, std::min(by_height, by_width));
}

Screen::Screen(const std::string& caption, std::optional<int> scale, bool fullscreen) {
    SDL_Rect usable{0, 0, 1280, 720};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int factor = scale.value_or(fitting_scale(usable.w, usable.h));
    window_ =
        SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kClientWidth * factor,
                         kClientHeight * factor, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) sdl_fail("cannot create the window");
    SDL_SetWindowMinimumSize(window_, kClientWidth, kClientHeight);
    set_icon(window_);
    if (fullscreen) toggle_fullscreen();
}

Screen::~Screen() {
    if (window_) SDL_DestroyWindow(window_);
}

void Screen::show(const Frame& frame) {
    // The surface has the window's size in real pixels, also on a high-DPI display.
    SDL_Surface* surface = SDL_GetWindowSurface(window_);
    if (!surface) return;  // minimized: nothing to draw into
    SDL_LockSurface(surface);
    const Uint32 format = surface->format->format;
    if (format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888) {
        scale_frame(frame, static_cast<std::uint32_t*>(surface->pixels), surface->w, surface->h, surface->pitch);
    } else {
        scaled_.resize(std::size_t(surface->w) * std::size_t(surface->h));
        scale_frame(frame, scaled_.data(), surface->w, surface->h, surface->w * 4);
        SDL_ConvertPixels(surface->w, surface->h, SDL_PIXELFORMAT_XRGB8888, scaled_.data(), surface->w * 4, format,
                          surface->pixels, surface->pitch);
    }
    SDL_UnlockSurface(surface);
    SDL_UpdateWindowSurface(window_);
}

int Screen::refresh_rate() const {
    SDL_DisplayMode mode{};
    if (SDL_GetWindowDisplayMode(window_, &mode) != 0 || mode.refresh_rate <= 0) return 60;
    return mode.refresh_rate;
}

void Screen::toggle_fullscreen() {
    if (SDL_GetWindowFlags(window_) & SDL_WINDOW_FULLSCREEN_DESKTOP) {
        SDL_SetWindowFullscreen(window_, 0);
        SDL_SetWindowSize(window_, windowed_.w, windowed_.h);
        SDL_SetWindowPosition(window_, windowed_.x, windowed_.y);
    } else {
        SDL_GetWindowPosition(window_, &windowed_.x, &windowed_.y);
        SDL_GetWindowSize(window_, &windowed_.w, &windowed_.h);
        SDL_SetWindowFullscreen(window_, SDL_WINDOW_FULLSCREEN_DESKTOP);
    }
}

}  // namespace kx

// The window and the way the 392 x 286 frame fills it: whole-number factors only, nearest
// neighbour, black bars where the window's shape differs, sized from the window surface's real
// pixels so that high-DPI displays get them all; only the parts of the frame that changed are
// scaled again and sent to the display (draw/window_canvas.h).
#include "platform/sdl_screen.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>
#include <utility>

#include "draw/scaling.h"
#include "form/pictures.h"
#include "platform/sdl_x11_decorations.h"

namespace kx {
namespace {

// What title bars and borders usually add, for window managers that do not say.
constexpr Decorations kUsualDecorations{10, 40};
constexpr Uint32 kWindowFlags = SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI;

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

bool is_xrgb(const SDL_Surface* surface) {
    const Uint32 format = surface->format->format;
    return format == SDL_PIXELFORMAT_XRGB8888 || format == SDL_PIXELFORMAT_ARGB8888;
}

}  // namespace

Screen::Screen(const std::string& caption, std::optional<int> scale, bool fullscreen) {
    SDL_Rect usable{0, 0, 1280, 720};
    SDL_GetDisplayUsableBounds(0, &usable);
    const Decorations d = ask_decorations(kWindowFlags).value_or(kUsualDecorations);
    const auto [factor, note] = opening_factor(scale, usable.w, usable.h, d.width, d.height);
    if (!note.empty()) std::fprintf(stderr, "kippura-x: %s\n", note.c_str());
    const int w = kClientWidth * factor, h = kClientHeight * factor;
    // The window with its frame in the middle of the usable area; the title bar stays on the
    // screen when it is larger.
    const int x = usable.x + std::max(0, (usable.w - w - d.width) / 2);
    const int y = usable.y + std::max(0, (usable.h - h - d.height) / 2);
    window_ = SDL_CreateWindow(caption.c_str(), x, y, w, h, kWindowFlags | SDL_WINDOW_SHOWN);
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
    if (surface != surface_) canvas_.invalidate();
    surface_ = surface;
    SDL_LockSurface(surface);
    const int pitch = is_xrgb(surface) ? surface->pitch : surface->w * 4;
    window_rects_.clear();
    for (const Rect& r : canvas_.draw(frame, canvas(surface), surface->w, surface->h, pitch)) {
        window_rects_.push_back(SDL_Rect{r.x0, r.y0, r.width(), r.height()});
        convert(surface, window_rects_.back());
    }
    SDL_UnlockSurface(surface);
    if (!window_rects_.empty()) SDL_UpdateWindowSurfaceRects(window_, window_rects_.data(), int(window_rects_.size()));
}

std::uint32_t* Screen::canvas(SDL_Surface* surface) {
    if (is_xrgb(surface)) return static_cast<std::uint32_t*>(surface->pixels);
    scaled_.resize(std::size_t(surface->w) * std::size_t(surface->h));
    return scaled_.data();
}

void Screen::convert(SDL_Surface* surface, const SDL_Rect& rect) {
    if (is_xrgb(surface)) return;
    const int bytes = surface->format->BytesPerPixel;
    const std::uint32_t* from = scaled_.data() + std::size_t(rect.y) * std::size_t(surface->w) + std::size_t(rect.x);
    auto* to = static_cast<std::uint8_t*>(surface->pixels) + std::ptrdiff_t(rect.y) * surface->pitch + rect.x * bytes;
    SDL_ConvertPixels(rect.w, rect.h, SDL_PIXELFORMAT_XRGB8888, from, surface->w * 4, surface->format->format, to,
                      surface->pitch);
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
    invalidate();
}

}  // namespace kx

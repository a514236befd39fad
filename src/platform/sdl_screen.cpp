// The window and the way the 392 x 286 frame fills it: whole-number factors only, nearest
// neighbour, black bars where the window's shape differs, sized from the renderer's output so
// that high-DPI displays get real pixels.
#include "platform/sdl_screen.h"

#include <algorithm>
#include <stdexcept>

#include "stage/pictures.h"

namespace kx {
namespace {

[[noreturn]] void sdl_fail(const std::string& what) { throw std::runtime_error(what + ": " + SDL_GetError()); }

void set_icon(SDL_Window* window) {
    const Picture& icon = game_picture("icon");
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(icon.pixels.data()),
                                                              icon.width, icon.height, 32, icon.width * 4,
                                                              SDL_PIXELFORMAT_ARGB8888);
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

Screen::Screen(const std::string& caption, TextRasterizer& text, std::optional<int> scale, bool fullscreen)
    : renderer_(text) {
    SDL_SetHint(SDL_HINT_RENDER_SCALE_QUALITY, "nearest");
    SDL_Rect usable{0, 0, 1280, 720};
    SDL_GetDisplayUsableBounds(0, &usable);
    const int factor = scale.value_or(fitting_scale(usable.w, usable.h));
    window_ = SDL_CreateWindow(caption.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, kClientWidth * factor,
                               kClientHeight * factor, SDL_WINDOW_SHOWN | SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (!window_) sdl_fail("cannot create the window");
    SDL_SetWindowMinimumSize(window_, kClientWidth, kClientHeight);
    set_icon(window_);
    sdl_renderer_ = SDL_CreateRenderer(window_, -1, 0);
    if (!sdl_renderer_) sdl_renderer_ = SDL_CreateRenderer(window_, -1, SDL_RENDERER_SOFTWARE);
    if (!sdl_renderer_) sdl_fail("cannot draw in the window");
    // The logical size letterboxes and centres the frame; integer scaling keeps pixels square.
    SDL_RenderSetLogicalSize(sdl_renderer_, kClientWidth, kClientHeight);
    SDL_RenderSetIntegerScale(sdl_renderer_, SDL_TRUE);
    texture_ = SDL_CreateTexture(sdl_renderer_, SDL_PIXELFORMAT_XRGB8888, SDL_TEXTUREACCESS_STREAMING, kClientWidth,
                                 kClientHeight);
    if (!texture_) sdl_fail("cannot create the frame texture");
    if (fullscreen) toggle_fullscreen();
}

Screen::~Screen() {
    if (texture_) SDL_DestroyTexture(texture_);
    if (sdl_renderer_) SDL_DestroyRenderer(sdl_renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

void Screen::show(const Form1& form) {
    renderer_.draw(form, *frame_);
    SDL_UpdateTexture(texture_, nullptr, frame_->pixels.data(), Frame::kWidth * 4);
    SDL_SetRenderDrawColor(sdl_renderer_, 0, 0, 0, 255);
    SDL_RenderClear(sdl_renderer_);
    SDL_RenderCopy(sdl_renderer_, texture_, nullptr, nullptr);
    SDL_RenderPresent(sdl_renderer_);
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

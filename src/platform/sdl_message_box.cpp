// A message box drawn with the game's own renderer pieces, so that the game window's close
// button keeps working while it is open (a native box would hold the event loop).
#include "platform/sdl_message_box.h"

#include <algorithm>
#include <vector>

namespace kx {
namespace {

constexpr int kWidth = 240;
constexpr int kHeight = 110;
constexpr SDL_Rect kButton{kWidth / 2 - 40, 64, 80, 28};
constexpr FontSpec kFont{FontFace::Interface, 10, false, false};

void draw_text(std::vector<std::uint32_t>& px, const GlyphRun& run, int left, int top) {
    for (int y = 0; y < run.height; ++y)
        for (int x = 0; x < run.width; ++x) {
            const int tx = left + x, ty = top + y;
            if (tx < 0 || ty < 0 || tx >= kWidth || ty >= kHeight) continue;
            const unsigned a = run.coverage[std::size_t(y * run.width + x)];
            std::uint32_t& d = px[std::size_t(ty * kWidth + tx)];
            const unsigned g = ((d & 0xFF) * (255 - a)) / 255;  // black ink over a grey background
            d = (g << 16) | (g << 8) | g;
        }
}

void fill(std::vector<std::uint32_t>& px, SDL_Rect r, std::uint32_t colour) {
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) px[std::size_t(y * kWidth + x)] = colour;
}

std::vector<std::uint32_t> draw_box(TextRasterizer& text, const std::string& prompt) {
    std::vector<std::uint32_t> px(std::size_t(kWidth * kHeight), 0xF0F0F0);
    const GlyphRun& message = text.rasterize(prompt, kFont);
    draw_text(px, message, (kWidth - message.width) / 2, 22);
    fill(px, kButton, 0x707070);
    fill(px, SDL_Rect{kButton.x + 1, kButton.y + 1, kButton.w - 2, kButton.h - 2}, 0xE1E1E1);
    const GlyphRun& ok = text.rasterize("OK", kFont);
    draw_text(px, ok, kButton.x + (kButton.w - ok.width) / 2, kButton.y + (kButton.h - ok.height) / 2);
    return px;
}

bool is_ok_key(const SDL_Event& ev) {
    const SDL_Keycode k = ev.key.keysym.sym;
    return k == SDLK_RETURN || k == SDLK_KP_ENTER || k == SDLK_SPACE || k == SDLK_ESCAPE;
}

// Like a button, the box closes when the key is released, and only for a press it has seen: a
// key that was already down when the box opened does not close it.
bool closes_box(const SDL_Event& ev, Uint32 box_id, bool& ok_key_down) {
    if (ev.type == SDL_KEYDOWN && is_ok_key(ev)) ok_key_down = true;
    if (ev.type == SDL_KEYUP && is_ok_key(ev)) return ok_key_down;
    if (ev.type == SDL_MOUSEBUTTONUP && ev.button.windowID == box_id) {
        const SDL_Point p{ev.button.x, ev.button.y};
        return SDL_PointInRect(&p, &kButton);
    }
    return ev.type == SDL_WINDOWEVENT && ev.window.windowID == box_id && ev.window.event == SDL_WINDOWEVENT_CLOSE;
}

}  // namespace

void show_message_box(SDL_Window* parent, TextRasterizer& text, const std::string& prompt, const std::string& title) {
    int px = SDL_WINDOWPOS_CENTERED, py = SDL_WINDOWPOS_CENTERED, pw = 0, ph = 0;
    SDL_GetWindowPosition(parent, &px, &py);
    SDL_GetWindowSize(parent, &pw, &ph);
    SDL_Window* box = SDL_CreateWindow(title.c_str(), px + (pw - kWidth) / 2, py + (ph - kHeight) / 2, kWidth, kHeight,
                                       SDL_WINDOW_SHOWN | SDL_WINDOW_UTILITY);
    if (!box) return;  // without a box the game goes on as if OK had been pressed
    SDL_SetWindowModalFor(box, parent);
    SDL_RaiseWindow(box);
    const Uint32 box_id = SDL_GetWindowID(box);
    const std::vector<std::uint32_t> pixels = draw_box(text, prompt);
    auto present = [&] {
        if (SDL_Surface* surface = SDL_GetWindowSurface(box)) {
            SDL_Surface* image = SDL_CreateRGBSurfaceWithFormatFrom(const_cast<std::uint32_t*>(pixels.data()), kWidth,
                                                                    kHeight, 32, kWidth * 4, SDL_PIXELFORMAT_XRGB8888);
            if (image) {
                SDL_BlitSurface(image, nullptr, surface, nullptr);
                SDL_FreeSurface(image);
            }
            SDL_UpdateWindowSurface(box);
        }
    };
    present();
    bool ok_key_down = false;
    for (SDL_Event ev; SDL_WaitEvent(&ev);) {
        if (ev.type == SDL_QUIT ||
            (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_CLOSE && ev.window.windowID != box_id)) {
            SDL_DestroyWindow(box);
            throw QuitRequested();
        }
        if (closes_box(ev, box_id, ok_key_down)) break;
        if (ev.type == SDL_WINDOWEVENT && ev.window.event == SDL_WINDOWEVENT_EXPOSED) present();
    }
    SDL_DestroyWindow(box);
}

}  // namespace kx

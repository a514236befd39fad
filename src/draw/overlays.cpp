// Drawing the game-over box, the pause and the replay mark over a frame.
#include "draw/overlays.h"

namespace kx {
namespace {

constexpr Rgb kBoxFace{240, 240, 240};
constexpr Rgb kBoxEdge{90, 90, 90};
constexpr Rgb kTitleBar{0, 84, 166};
constexpr Rgb kWhite{255, 255, 255};
constexpr Rgb kInk{0, 0, 0};
constexpr Rgb kButtonFace{225, 225, 225};
constexpr Rgb kButtonHeld{204, 228, 247};
constexpr Rgb kButtonEdge{0, 120, 215};
constexpr int kTitleBarHeight = 20;

// A rectangle with a one-pixel edge.
void framed(Frame& frame, Rect r, Rgb edge, Rgb face) {
    fill(frame, r, edge);
    fill(frame, Rect{r.x0 + 1, r.y0 + 1, r.x1 - 1, r.y1 - 1}, face);
}

void centred(Frame& frame, const GlyphRun& glyphs, Rect within, Rgb colour) {
    const int left = within.x0 + (within.x1 - within.x0 - glyphs.width) / 2;
    const int top = within.y0 + (within.y1 - within.y0 - glyphs.height) / 2;
    draw_glyphs(frame, glyphs, left, top, colour, within);
}

}  // namespace

void draw_game_over_box(Frame& frame, TextRasterizer& text, const std::string& title, const std::string& prompt,
                        bool ok_held) {
    const Rect box = kBoxArea;
    framed(frame, box, kBoxEdge, kBoxFace);
    const Rect bar{box.x0 + 1, box.y0 + 1, box.x1 - 1, box.y0 + 1 + kTitleBarHeight};
    fill(frame, bar, kTitleBar);
    centred(frame, text.rasterize(title, kBoxTitleFont), bar, kWhite);
    const Rect body{box.x0 + 1, bar.y1, box.x1 - 1, kBoxOkButton.y0};
    centred(frame, text.rasterize(prompt, kBoxTextFont), body, kInk);
    framed(frame, kBoxOkButton, kButtonEdge, ok_held ? kButtonHeld : kButtonFace);
    centred(frame, text.rasterize(kBoxOkLabel, kBoxTextFont), kBoxOkButton, kInk);
}

void draw_paused(Frame& frame, TextRasterizer& text) {
    for (std::uint32_t& p : frame.pixels) p = (p >> 2) & 0x3F3F3Fu;  // a quarter of the light
    centred(frame, text.rasterize(kPausedLine, kPausedFont), kClient, kWhite);
}

void draw_replay_mark(Frame& frame, TextRasterizer& text) {
    const GlyphRun& glyphs = text.rasterize(kReplayMark, kReplayMarkFont);
    const Rect mark{Frame::kWidth - glyphs.width - 8, 2, Frame::kWidth - 2, 2 + glyphs.height + 2};
    fill(frame, mark, Rgb{160, 0, 0});
    centred(frame, glyphs, mark, kWhite);
}

}  // namespace kx

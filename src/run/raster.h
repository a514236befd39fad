// Drawing primitives on a frame, shared by the renderer and the overlays that front ends draw
// over the game (the game-over box, the pause): rectangles, pictures and glyph runs, clipped.
#pragma once

#include <algorithm>

#include "elements/frame.h"
#include "elements/text_style.h"

namespace kx {

struct Rect {
    int x0, y0, x1, y1;  // half-open pixel rectangle
    Rect clip(const Rect& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
};

constexpr Rect kClient{0, 0, Frame::kWidth, Frame::kHeight};

void fill(Frame& frame, Rect r, Rgb colour);
// Draws a picture with its top-left corner at (left, top), inside `within`.
void blit(Frame& frame, const Picture& pic, int left, int top, Rect within);
// Ink of one colour through the glyphs' coverage, inside `within`.
void draw_glyphs(Frame& frame, const GlyphRun& run, int left, int top, Rgb colour, Rect within);

}  // namespace kx

// Drawing primitives on a frame, shared by the renderer and the overlays that front ends draw
// over the game (the game-over box, the pause): rectangles, pictures and glyph runs, clipped.
#pragma once

#include "draw/rect.h"
#include "elements/frame.h"
#include "elements/text_style.h"

namespace kx {

constexpr Rect kClient{0, 0, Frame::kWidth, Frame::kHeight};

void fill(Frame& frame, Rect r, Rgb colour);
// Draws a picture with its top-left corner at (left, top), inside `within`.
void blit(Frame& frame, const Picture& pic, int left, int top, Rect within);
// Ink of one colour through the glyphs' coverage, inside `within`.
void draw_glyphs(Frame& frame, const GlyphRun& run, int left, int top, Rgb colour, Rect within);

}  // namespace kx

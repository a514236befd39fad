// The one software renderer: draws the window and its elements into a frame.
#pragma once

#include "elements/frame.h"
#include "elements/text_style.h"
#include "form/form1.h"

namespace kx {

class Renderer {
public:
    explicit Renderer(TextRasterizer& text) : text_(text) {}

    // Back to front: the window's background and its text, the sprites and labels in stacking
    // order, then the box sprites. Everything is clipped at the client area.
    void draw(const Form1& form, Frame& frame);

private:
    TextRasterizer& text_;
};

}  // namespace kx

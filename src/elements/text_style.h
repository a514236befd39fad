// How a run of printed text looks: which face, how big, which style, which colour.
#pragma once

#include <string>

#include "elements/picture.h"

namespace kx {

enum class FontFace {
    Gothic,     // the proportional Japanese gothic of the title canvas and the staff-roll labels
    Interface,  // the desktop's default sans-serif, the window's own font (the score line)
};

struct FontSpec {
    FontFace face = FontFace::Gothic;
    double points = 9;  // at 96 dots per inch
    bool bold = false;
    bool italic = false;
    friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

// One print: the glyphs of `text` with their top-left corner at (x, y) pixels of the owner.
struct TextRun {
    std::string text;
    int x = 0;
    int y = 0;
    FontSpec font;
    Rgb colour;
};

// Rasterized glyphs: one coverage byte (0..255) per pixel.
struct GlyphRun {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> coverage;
};

// The renderer's and the element model's view of the font system.
class TextRasterizer {
public:
    virtual ~TextRasterizer() = default;
    // The glyphs of a text; the reference stays valid for the rasterizer's lifetime.
    virtual const GlyphRun& rasterize(const std::string& text, const FontSpec& font) = 0;
    // Distance in pixels from one printed line to the next.
    virtual int line_skip(const FontSpec& font) = 0;
};

}  // namespace kx

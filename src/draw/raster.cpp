// Drawing primitives on a frame.
#include "draw/raster.h"

namespace kx {

void fill(Frame& frame, Rect r, Rgb colour) {
    r = r.clip(kClient);
    if (r.empty()) return;
    const std::uint32_t c = pack(colour);
    for (int y = r.y0; y < r.y1; ++y) std::fill(&frame.at(r.x0, y), &frame.at(r.x0, y) + (r.x1 - r.x0), c);
}

void blit(Frame& frame, const Picture& pic, int left, int top, Rect within) {
    const Rect r = Rect{left, top, left + pic.width, top + pic.height}.clip(within).clip(kClient);
    if (r.empty()) return;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const int px = x - left, py = y - top;
            if (!pic.see_through(px, py)) frame.at(x, y) = pic.at(px, py) & 0xFFFFFFu;
        }
}

namespace {

std::uint32_t blend(std::uint32_t dst, std::uint32_t src, unsigned a) {
    auto channel = [&](int shift) {
        const unsigned d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        return ((d * (255 - a) + s * a + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

}  // namespace

void draw_glyphs(Frame& frame, const GlyphRun& run, int left, int top, Rgb colour, Rect within) {
    const Rect r = Rect{left, top, left + run.width, top + run.height}.clip(within).clip(kClient);
    if (r.empty()) return;
    const std::uint32_t c = pack(colour);
    for (int y = r.y0; y < r.y1; ++y) {
        const unsigned char* cover =
            &run.coverage[std::size_t(y - top) * std::size_t(run.width) + std::size_t(r.x0 - left)];
        std::uint32_t* out = &frame.at(r.x0, y);
        for (int x = r.x0; x < r.x1; ++x, ++cover, ++out) {
            const unsigned a = *cover;
            if (a == 255)
                *out = c;  // most of a glyph is solid ink
            else if (a)
                *out = blend(*out, c, a);
        }
    }
}

}  // namespace kx

// Software rendering of the element model into a frame.
#include "run/renderer.h"

#include <algorithm>

namespace kx {
namespace {

struct Rect {
    int x0, y0, x1, y1;  // half-open pixel rectangle
    Rect clip(const Rect& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
    bool empty() const { return x0 >= x1 || y0 >= y1; }
};

constexpr Rect kClient{0, 0, Frame::kWidth, Frame::kHeight};

void fill(Frame& frame, Rect r, Rgb colour) {
    r = r.clip(kClient);
    if (r.empty()) return;
    const std::uint32_t c = pack(colour);
    for (int y = r.y0; y < r.y1; ++y) std::fill(&frame.at(r.x0, y), &frame.at(r.x0, y) + (r.x1 - r.x0), c);
}

// Draws a picture with its top-left corner at (left, top), inside `within`.
void blit(Frame& frame, const Picture& pic, int left, int top, Rect within) {
    const Rect r = Rect{left, top, left + pic.width, top + pic.height}.clip(within).clip(kClient);
    if (r.empty()) return;
    for (int y = r.y0; y < r.y1; ++y)
        for (int x = r.x0; x < r.x1; ++x) {
            const int px = x - left, py = y - top;
            if (!pic.see_through(px, py)) frame.at(x, y) = pic.at(px, py) & 0xFFFFFFu;
        }
}

std::uint32_t blend(std::uint32_t dst, std::uint32_t src, unsigned a) {
    auto channel = [&](int shift) {
        const unsigned d = (dst >> shift) & 0xFF, s = (src >> shift) & 0xFF;
        return ((d * (255 - a) + s * a + 127) / 255) << shift;
    };
    return channel(16) | channel(8) | channel(0);
}

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

Rect sprite_rect(double x, double y, int w_px, int h_px) {
    const int left = unit_to_column(x), top = unit_to_row(y);
    return {left, top, left + w_px, top + h_px};
}

}  // namespace

void Renderer::draw(const Form1& form, Frame& frame) {
    fill(frame, kClient, form.background());
    // The window paints its background behind each printed line, to its right edge.
    for (const TextRun& run : form.prints()) {
        const GlyphRun& glyphs = text_.rasterize(run.text, run.font);
        fill(frame, Rect{run.x, run.y, Frame::kWidth, run.y + glyphs.height}, form.background());
        draw_glyphs(frame, glyphs, run.x, run.y, run.colour, kClient);
    }

    const auto& layer2 = form.layer2_top_first();
    for (auto it = layer2.rbegin(); it != layer2.rend(); ++it) {
        if (const auto* sprite = std::get_if<const ImageSprite*>(&*it)) {
            const ImageSprite& s = **sprite;
            if (!s.shown() || !s.picture()) continue;
            blit(frame, *s.picture(), unit_to_column(s.x()), unit_to_row(s.y()), kClient);
        } else {
            const TextLabel& label = *std::get<const TextLabel*>(*it);
            const Rect box = sprite_rect(label.x(), label.y(), TextLabel::kWidthPx, TextLabel::kHeightPx);
            fill(frame, box, Rgb{0, 0, 0});
            const FontSpec font{FontFace::Gothic, TextLabel::kPoints, false, false};
            draw_glyphs(frame, text_.rasterize(label.text(), font), box.x0, box.y0, Rgb{255, 255, 255}, box);
        }
    }

    const auto boxes = form.box_sprites_top_first();
    for (auto it = boxes.rbegin(); it != boxes.rend(); ++it) {
        const BoxSprite& b = **it;
        if (!b.shown()) continue;
        // The size converts on its own, so a box keeps its pixel size wherever it stands.
        const Rect box = sprite_rect(b.x(), b.y(), unit_to_column(b.width()), unit_to_row(b.height()));
        fill(frame, box, b.background());
        if (b.picture()) blit(frame, *b.picture(), box.x0, box.y0, box);
        for (const TextRun& run : b.prints())
            draw_glyphs(frame, text_.rasterize(run.text, run.font), box.x0 + run.x, box.y0 + run.y, run.colour, box);
    }
}

}  // namespace kx

// Software rendering of the element model into a frame.
#include "draw/renderer.h"

#include <algorithm>

#include "draw/raster.h"

namespace kx {
namespace {

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

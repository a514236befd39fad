// Printing on box sprites and on the window.
#include "elements/elements.h"

#include <algorithm>
#include <cmath>

#include "elements/units.h"

namespace kx {

int PrintSurface::add_print(const std::string& text, int x, int y) {
    prints_.push_back(TextRun{text, x, y, font_, text_colour_});
    if (metrics_) return metrics_->line_skip(font_);
    return int(std::ceil(font_.points * 96.0 / 72.0 * 1.2));  // a plain estimate without real fonts
}

void BoxSprite::print(const std::string& text) {
    const int skip = add_print(text, int(std::floor(text_x_)), int(std::floor(text_y_)));
    text_x_ = 0;
    text_y_ += skip;
}

void WindowSurface::print(const std::string& text) {
    const int row = unit_to_row(text_y_);
    const int skip = add_print(text, unit_to_column(text_x_), row);
    // A line painted over an earlier one on the same row hides it completely: forget it, so the
    // score line reprinted every tick does not pile up.
    auto& runs = mutable_prints();
    const TextRun latest = runs.back();
    runs.erase(
        std::remove_if(runs.begin(), runs.end() - 1,
                       [&](const TextRun& r) { return r.y == latest.y && r.x >= latest.x && r.font == latest.font; }),
        runs.end() - 1);
    text_x_ = 0;
    text_y_ += rows_to_units(skip);
}

}  // namespace kx

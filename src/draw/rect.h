// A rectangle of pixels, of the frame or of a window: the one rectangle of the drawing code.
#pragma once

#include <algorithm>

namespace kx {

struct Rect {
    int x0, y0, x1, y1;  // half-open: x0 <= x < x1, y0 <= y < y1

    int width() const { return x1 - x0; }
    int height() const { return y1 - y0; }
    bool empty() const { return x0 >= x1 || y0 >= y1; }
    bool contains(int x, int y) const { return x >= x0 && x < x1 && y >= y0 && y < y1; }
    Rect clip(const Rect& o) const {
        return {std::max(x0, o.x0), std::max(y0, o.y0), std::min(x1, o.x1), std::min(y1, o.y1)};
    }
    friend bool operator==(const Rect&, const Rect&) = default;
};

}  // namespace kx

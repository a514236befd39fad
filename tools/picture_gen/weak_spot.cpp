#include "weak_spot.h"

#include <cmath>

namespace picgen {

void paint_weak_spot(Canvas& c, int x0, int y0, int x1, int y1) {
    c.add_colour(kWeakSpot, 255, 0, 0);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x) c.put(x, y, kWeakSpot);
}

void paint_slanted_weak_spot(Canvas& c, int x0, int y0, int x1, int y1, int width) {
    c.add_colour(kWeakSpot, 255, 0, 0);
    const int slide = (x1 - x0 + 1) - width;
    for (int y = y0; y <= y1; ++y) {
        const int left = x0 + int(std::lround(double(slide) * (y - y0) / (y1 - y0)));
        for (int x = left; x < left + width; ++x) c.put(x, y, kWeakSpot);
    }
}

}  // namespace picgen

// Shapes in a figure's own drawing units, turned into pixel masks.
//
// Each figure is drawn once in design units and can be rendered at any size: a design point (x, y)
// lands at pixel position (offset.x + scale * x, offset.y + scale * y). A pixel (px, py) covers the
// square px..px+1, py..py+1 and belongs to a shape when its centre lies inside the shape.
#pragma once

#include <vector>

#include "mask.h"

namespace picgen {

struct Point {
    double x = 0;
    double y = 0;
};

class Shapes {
public:
    Shapes(int width, int height, double scale = 1.0, Point offset = {});

    Point to_pixels(Point p) const { return {offset_.x + scale_ * p.x, offset_.y + scale_ * p.y}; }

    Mask nothing() const { return Mask(w_, h_); }
    // A filled ellipse, turned by tilt_degrees (positive turns clockwise on screen).
    Mask ellipse(Point centre, double rx, double ry, double tilt_degrees = 0) const;
    Mask circle(Point centre, double r) const { return ellipse(centre, r, r); }
    Mask polygon(const std::vector<Point>& corners) const;
    Mask rect(Point top_left, Point bottom_right) const;
    // Pixels on the right of the directed line a -> b (below it when a lies left of b).
    Mask right_of(Point a, Point b) const;
    // A stroke along a polyline, pixel_width pixels wide whatever the scale. Strokes of one pixel
    // or less are drawn as single-pixel steps so that they stay thin and unbroken.
    Mask line(const std::vector<Point>& points, double pixel_width) const;
    // A stroke along part of an ellipse, from angle from_deg to to_deg (0 = right, 90 = down).
    Mask arc(Point centre, double rx, double ry, double from_deg, double to_deg, double pixel_width) const;

private:
    int w_, h_;
    double scale_;
    Point offset_;
};

}  // namespace picgen

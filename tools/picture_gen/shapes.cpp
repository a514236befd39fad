#include "shapes.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace picgen {
namespace {

double distance_to_segment(Point p, Point a, Point b) {
    const double vx = b.x - a.x, vy = b.y - a.y;
    const double len2 = vx * vx + vy * vy;
    double t = len2 > 0 ? ((p.x - a.x) * vx + (p.y - a.y) * vy) / len2 : 0;
    t = std::clamp(t, 0.0, 1.0);
    const double dx = p.x - (a.x + t * vx), dy = p.y - (a.y + t * vy);
    return std::sqrt(dx * dx + dy * dy);
}

}  // namespace

Shapes::Shapes(int width, int height, double scale, Point offset)
    : w_(width), h_(height), scale_(scale), offset_(offset) {}

Mask Shapes::ellipse(Point centre, double rx, double ry, double tilt_degrees) const {
    const Point c = to_pixels(centre);
    const double ax = rx * scale_, ay = ry * scale_;
    const double t = tilt_degrees * std::numbers::pi / 180.0;
    const double ct = std::cos(t), st = std::sin(t);
    Mask m(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const double dx = x + 0.5 - c.x, dy = y + 0.5 - c.y;
            const double u = (dx * ct + dy * st) / ax, v = (-dx * st + dy * ct) / ay;
            if (u * u + v * v <= 1.0) m.set(x, y);
        }
    return m;
}

Mask Shapes::polygon(const std::vector<Point>& corners) const {
    std::vector<Point> p;
    for (Point c : corners) p.push_back(to_pixels(c));
    Mask m(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const double px = x + 0.5, py = y + 0.5;
            bool inside = false;
            for (std::size_t i = 0, j = p.size() - 1; i < p.size(); j = i++) {
                if ((p[i].y > py) != (p[j].y > py)) {
                    const double cross = p[j].x + (py - p[j].y) / (p[i].y - p[j].y) * (p[i].x - p[j].x);
                    if (px < cross) inside = !inside;
                }
            }
            if (inside) m.set(x, y);
        }
    return m;
}

Mask Shapes::rect(Point top_left, Point bottom_right) const {
    return polygon({top_left, {bottom_right.x, top_left.y}, bottom_right, {top_left.x, bottom_right.y}});
}

Mask Shapes::right_of(Point a, Point b) const {
    const Point pa = to_pixels(a), pb = to_pixels(b);
    Mask m(w_, h_);
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const double cross = (pb.x - pa.x) * (y + 0.5 - pa.y) - (pb.y - pa.y) * (x + 0.5 - pa.x);
            if (cross >= 0) m.set(x, y);
        }
    return m;
}

Mask Shapes::line(const std::vector<Point>& points, double pixel_width) const {
    Mask m(w_, h_);
    if (points.empty()) return m;
    std::vector<Point> p;
    for (Point c : points) p.push_back(to_pixels(c));
    if (pixel_width <= 1.0) {
        // One-pixel steps along the longer axis of each segment.
        for (std::size_t i = 0; i + 1 < p.size(); ++i) {
            const double dx = p[i + 1].x - p[i].x, dy = p[i + 1].y - p[i].y;
            const int steps = std::max(1, int(std::ceil(std::max(std::abs(dx), std::abs(dy)))));
            for (int s = 0; s <= steps; ++s) {
                const double t = double(s) / steps;
                m.set(int(std::floor(p[i].x + t * dx)), int(std::floor(p[i].y + t * dy)));
            }
        }
        if (p.size() == 1) m.set(int(std::floor(p[0].x)), int(std::floor(p[0].y)));
        return m;
    }
    const double r = pixel_width / 2.0;
    for (int y = 0; y < h_; ++y)
        for (int x = 0; x < w_; ++x) {
            const Point c{x + 0.5, y + 0.5};
            for (std::size_t i = 0; i < p.size(); ++i) {
                const Point b = i + 1 < p.size() ? p[i + 1] : p[i];
                if (distance_to_segment(c, p[i], b) <= r) {
                    m.set(x, y);
                    break;
                }
            }
        }
    return m;
}

Mask Shapes::arc(Point centre, double rx, double ry, double from_deg, double to_deg, double pixel_width) const {
    std::vector<Point> pts;
    const int steps = std::max(8, int(std::abs(to_deg - from_deg) / 4.0));
    for (int s = 0; s <= steps; ++s) {
        const double a = (from_deg + (to_deg - from_deg) * s / steps) * std::numbers::pi / 180.0;
        pts.push_back({centre.x + rx * std::cos(a), centre.y + ry * std::sin(a)});
    }
    return line(pts, pixel_width);
}

}  // namespace picgen

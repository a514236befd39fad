// The pictures that are not birds: the explosion, the power-up, the ground, the bullet, the cloud.
#include <cmath>
#include <numbers>

#include "figures.h"

namespace picgen {
namespace {

// A star around `centre` whose points reach the given radii in turn, with valleys at `inner`.
Mask star(const Shapes& s, Point centre, const std::vector<double>& points, double inner, double turn_deg) {
    std::vector<Point> corners;
    const std::size_t n = points.size();
    for (std::size_t i = 0; i < 2 * n; ++i) {
        const double a = (turn_deg + 180.0 * double(i) / double(n)) * std::numbers::pi / 180.0;
        const double r = i % 2 == 0 ? points[i / 2] : inner;
        corners.push_back({centre.x + r * std::cos(a), centre.y + r * std::sin(a)});
    }
    return s.polygon(corners);
}

}  // namespace

Picture explosion() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('R', 255, 0, 0);
    c.add_colour('O', 255, 148, 0);
    const Shapes s(32, 32);
    const Point mid{16, 16};
    const Mask outer =
        star(s, mid, {15.5, 12.5, 14.8, 12, 15.2, 12.8, 14.6, 12.2, 15.4, 12.6, 14.5}, 8.8, -90) | s.circle(mid, 9.5);
    c.sticker(outer, 'R', kInk, 1);
    c.paint(star(s, mid, {9.5, 8.2, 9.8, 8, 9.2, 8.6, 9.6, 8.1}, 5.6, -70), 'O');
    c.paint(s.circle(mid, 3.2), 'R');
    c.paint(s.circle(mid, 1.8), 'O');
    return {"explosion", "a round red and orange burst", c};
}

Picture powerup() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('O', 255, 107, 0);
    c.add_colour('o', 247, 57, 0);
    c.add_colour('Y', 255, 255, 0);
    c.add_colour('h', 255, 181, 82);
    const Shapes s(32, 32);
    const Mask ball = s.circle({16, 16}, 14);
    c.sticker(ball, 'O', kInk, 1);
    // Shadow on the lower right, shine on the upper left.
    c.paint_on(ball - s.circle({14, 14}, 14), 'o', 'O');
    c.paint_on(s.ellipse({9, 8.5}, 3, 1.8, -40), 'h', 'O');

    // The letter p, a stem with a round bowl, outlined so it reads on the orange.
    const Mask bowl = s.ellipse({17.8, 14}, 5.5, 5.2) - s.ellipse({17.8, 14}, 2.4, 2.2);
    const Mask stem = s.rect({10.5, 8.8}, {14, 26});
    const Mask letter = bowl | stem;
    c.paint(letter.grown(1), kInk);
    c.paint(letter, 'Y');
    return {"powerup", "the power-up item, an orange-red ball with a yellow letter p", c};
}

Picture ground() {
    Canvas c(450, 30, 'G');
    c.add_colour('G', 0, 128, 0);
    return {"ground", "the ground, a plain green strip", c};
}

Picture bullet() {
    Canvas c(10, 10, 'Y');
    c.add_colour('Y', 255, 255, 0);
    return {"bullet", "an enemy bullet, a plain yellow square", c};
}

Picture cloud() {
    Canvas c = figure_canvas(32, 13);
    c.add_colour('W', 255, 255, 255);
    c.add_colour('g', 192, 199, 192);
    c.add_colour('d', 128, 135, 128);
    const Shapes s(32, 13);
    // Four round puffs in a row on a flat bottom.
    const std::vector<std::pair<Point, double>> puffs{
        {{5.6, 7.6}, 4.6}, {{12.2, 6.3}, 5.5}, {{19.6, 6.1}, 5.6}, {{26.4, 7.6}, 4.6}};
    Mask cloud = s.rect({4, 7.5}, {28, 12.5});
    for (auto [at, r] : puffs) cloud |= s.circle(at, r);
    c.sticker(cloud, 'W', kInk, 1);
    // Each puff is shaded grey underneath, darker along the bottom edge.
    Mask lit = s.nothing();
    for (auto [at, r] : puffs) lit |= s.circle({at.x - 0.8, at.y - 1.6}, r - 0.6);
    const Mask inside = cloud.shrunk(1);
    c.paint_on(inside - lit, 'g', 'W');
    c.paint_on(inside - inside.moved(0, -1), 'd', 'g');
    // Where two puffs meet, a short crease.
    c.paint(s.line({{8.9, 8}, {9.5, 9}}, 1) | s.line({{16, 8}, {16, 9}}, 1) | s.line({{23, 8.2}, {22.6, 9}}, 1), 'g');
    return {"cloud", "a white cloud of four puffs in a row", c};
}

}  // namespace picgen

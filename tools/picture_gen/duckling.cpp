// The duckling of stage 3, walking left on big yellow feet, and its giant boss in a striped cap.
#include "figures.h"
#include "weak_spot.h"

namespace picgen {
namespace {

struct DucklingPaint {
    char body, bill, wing;
    char shine;  // eye shine of a giant; 0 for none
};

const Point kHead{11, 10};
constexpr double kHeadR = 7;

// Draws the duckling and returns the inside of its body.
Mask draw_duckling(Canvas& c, const Size& z, const DucklingPaint& p) {
    const Shapes& s = z.shapes;
    const double ink = z.outline;

    // Feet mid-stride: the front foot reaches forward, the back foot pushes off.
    c.sticker(s.polygon({{12.5, 26}, {11, 28.2}, {6, 28.6}, {5.6, 31.3}, {13.6, 31.3}, {15, 27}}), p.bill, kInk, ink);
    c.sticker(s.polygon({{19.5, 26}, {20.5, 28.3}, {17, 28.8}, {16.6, 31.3}, {24.2, 31.3}, {23, 26}}), p.bill, kInk,
              ink);

    c.sticker(s.polygon({{6.5, 9.6}, {1.6, 10.4}, {0.5, 12}, {1, 14.3}, {7, 14.8}}), p.bill, kInk, ink);
    const Mask whole = s.circle(kHead, kHeadR) | s.ellipse({17.5, 22}, 10, 6.6, -6) | s.ellipse({12, 23.5}, 6.8, 6.5) |
                       s.polygon({{23.5, 18}, {29.5, 14.5}, {28.5, 21.5}, {25, 23}});
    c.sticker(whole, p.body, kInk, ink);
    if (z.giant) c.paint(s.line({{1.5, 12.6}, {5, 12.5}}, ink), kInk);

    // A short wing stub, like a duckling's.
    c.sticker(s.ellipse({19, 21.2}, 4.8, 3.2, -22) | s.polygon({{20, 18.6}, {25, 17.8}, {22.5, 22}}), p.wing, kInk,
              ink);

    if (z.giant) {
        c.paint(s.ellipse({8.8, 9.6}, 1.1, 1.4), kInk);
        if (p.shine) c.paint(s.circle({8.5, 9.1}, 0.4), p.shine);
        c.paint(s.ellipse({2.8, 11.2}, 0.45, 0.3), kInk);
    } else {
        c.paint(s.rect({8.5, 8.5}, {9.5, 10.5}), kInk);
    }
    return whole.shrunk(ink);
}

}  // namespace

Picture enemy3() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('W', 255, 255, 255);
    c.add_colour('Y', 255, 255, 0);
    draw_duckling(c, sprite_size(), {'W', 'Y', 'W', 0});
    return {"enemy3", "stage 3's enemy, a white duckling walking left on yellow feet", c};
}

Picture boss3() {
    Canvas c = figure_canvas(150, 150);
    c.add_colour('W', 255, 255, 255);  // the body, shown in the boss's colour
    c.set_transparent(255, 255, 255);
    c.add_colour('Y', 255, 255, 0);
    c.add_colour('g', 206, 206, 206);
    c.add_colour('S', 239, 239, 239);
    c.add_colour('T', 0, 132, 132);
    c.add_colour('t', 148, 214, 214);
    const Size z = giant_size(150.0 / 32, {-3, 2});
    const Shapes& s = z.shapes;
    draw_duckling(c, z, {'W', 'Y', 'g', 'S'});

    // The cap: a striped dome over the crown with a peak over the bill and a knob on top.
    const Mask dome = s.circle(kHead, kHeadR + 0.3) - s.right_of({0, 8}, {20, 8});
    const Mask peak = s.polygon({{7, 5.8}, {1.2, 6.9}, {0.9, 8.2}, {7.5, 8.2}});
    c.sticker(s.circle({11.5, 2.6}, 1.1), 'T', kInk, z.outline);
    c.sticker(dome | peak, 'T', kInk, z.outline);
    const Mask inside = (dome | peak).shrunk(z.outline);
    for (int i = 0; i < 8; ++i) {
        const double x = 1.5 + 2.4 * i;
        c.paint_on(s.polygon({{x + 0.7, 0}, {x + 1.8, 0}, {x + 1.0, 9}, {x - 0.1, 9}}) & inside, 't', 'T');
    }
    c.paint(s.line({{1.0, 8.0}, {18.2, 8.0}}, z.outline), kInk);
    paint_weak_spot(c, 35, 110, 42, 130);
    return {"boss3", "stage 3's boss, the duckling as a giant in a striped cap; its body is the see-through colour", c};
}

}  // namespace picgen

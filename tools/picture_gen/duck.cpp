// The grown ducks of stages 0 and 1, and their giant bosses. Both face left and sit low and
// round-breasted; the stage-1 duck is plumper with a short, wide bill.
#include "figures.h"
#include "weak_spot.h"

namespace picgen {
namespace {

// A duck's outline in drawing units of a 32-pixel sprite.
struct DuckShape {
    Point head;
    double head_r;
    std::vector<Point> bill;
    std::vector<Point> mouth;  // the line between the upper and lower bill
    Point eye;
    Point body;
    double body_rx, body_ry, body_tilt;
    Point breast;
    double breast_rx, breast_ry;
    std::vector<Point> neck;
    std::vector<Point> tail;
    Point wing;
    double wing_rx, wing_ry, wing_tilt;
    std::vector<Point> wing_tip;
};

const DuckShape kWhiteDuck{
    .head = {10.5, 8.5},
    .head_r = 5.8,
    .bill = {{6.5, 8.6}, {2.2, 9.4}, {0.8, 10.6}, {0.9, 12.4}, {2.6, 13.2}, {7.5, 13.0}},
    .mouth = {{1.4, 11.5}, {5.5, 11.3}},
    .eye = {9.2, 7.4},
    .body = {18, 22.2},
    .body_rx = 11.5,
    .body_ry = 7,
    .body_tilt = -8,
    .breast = {12, 23},
    .breast_rx = 7,
    .breast_ry = 7,
    .neck = {{6.2, 10}, {15, 10}, {16.5, 18}, {6.5, 19}},
    .tail = {{25, 17.5}, {31, 12.5}, {30.6, 19.5}, {27.5, 23}},
    .wing = {19.5, 20.2},
    .wing_rx = 7,
    .wing_ry = 3.8,
    .wing_tilt = -14,
    .wing_tip = {{23, 17}, {29.3, 14.8}, {25.5, 21.5}},
};

const DuckShape kPlumpDuck{
    .head = {10.2, 8.8},
    .head_r = 6.2,
    .bill = {{5.5, 8.6}, {1.8, 8.7}, {0.6, 10}, {0.6, 13.6}, {1.8, 14.8}, {6.5, 14.4}},
    .mouth = {{1.2, 12}, {4.5, 11.8}},
    .eye = {8.8, 7.5},
    .body = {18, 22.5},
    .body_rx = 12,
    .body_ry = 7.5,
    .body_tilt = -6,
    .breast = {10.3, 23.2},
    .breast_rx = 6.8,
    .breast_ry = 7,
    .neck = {{5.5, 10}, {15, 10}, {16, 18}, {4.5, 20}},
    .tail = {{25.5, 18}, {30.8, 14.5}, {30.8, 20.5}, {28, 24}},
    .wing = {19, 20.5},
    .wing_rx = 7.5,
    .wing_ry = 4,
    .wing_tilt = -10,
    .wing_tip = {{23, 17.5}, {29.5, 16}, {26, 22}},
};

struct DuckPaint {
    char body;  // head, neck, breast and belly
    char bill;
    char wing;   // the wing's fill
    char shine;  // eye shine of a giant; 0 for none
    char quill;  // feather lines of a giant's wing; 0 for none
};

// Draws the duck and returns the inside of its body (everything within the outline).
Mask draw_duck(Canvas& c, const Size& z, const DuckShape& d, const DuckPaint& p) {
    const Shapes& s = z.shapes;
    const double ink = z.outline;

    c.sticker(s.polygon(d.bill), p.bill, kInk, ink);
    const Mask whole = s.circle(d.head, d.head_r) | s.polygon(d.neck) |
                       s.ellipse(d.body, d.body_rx, d.body_ry, d.body_tilt) |
                       s.ellipse(d.breast, d.breast_rx, d.breast_ry) | s.polygon(d.tail);
    c.sticker(whole, p.body, kInk, ink);
    if (z.giant) c.paint(s.line(d.mouth, ink), kInk);

    const Mask wing = s.ellipse(d.wing, d.wing_rx, d.wing_ry, d.wing_tilt) | s.polygon(d.wing_tip);
    c.sticker(wing, p.wing, kInk, ink);

    if (z.giant) {
        // Feathers along the wing's lower edge, and a nostril on the bill.
        if (p.quill) {
            const Point w = d.wing;
            for (int i = 0; i < 3; ++i) {
                const double x = w.x - 2.5 + 2.8 * i;
                c.paint_on(s.arc({x + 3, w.y - 1.5}, 3.2, 3.4, 95, 165, ink - 1) & wing.shrunk(ink), p.quill, p.wing);
            }
        }
        c.paint(s.ellipse({d.bill[1].x + 1.6, d.bill[1].y + 1.0}, 0.45, 0.3), kInk);
        c.paint(s.ellipse(d.eye, 1.0, 1.25), kInk);
        if (p.shine) c.paint(s.circle({d.eye.x - 0.3, d.eye.y - 0.45}, 0.38), p.shine);
    } else {
        c.paint(s.rect({d.eye.x - 0.5, d.eye.y - 1}, {d.eye.x + 0.5, d.eye.y + 1}), kInk);
    }
    return whole.shrunk(ink);
}

}  // namespace

Picture enemy0() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('W', 255, 255, 255);
    c.add_colour('Y', 255, 255, 0);
    draw_duck(c, sprite_size(), kWhiteDuck, {'W', 'Y', 'W', 0, 0});
    return {"enemy0", "stage 0's enemy, a white duck facing left with a yellow bill", c};
}

Picture enemy1() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('O', 255, 181, 82);
    c.add_colour('o', 255, 148, 41);
    c.add_colour('Y', 255, 255, 0);
    const Size z = sprite_size();
    const Mask inside = draw_duck(c, z, kPlumpDuck, {'O', 'Y', 'O', 0, 0});
    c.paint_on((inside & z.shapes.right_of({0, 20}, {32, 20})) - z.shapes.ellipse({17, 19.5}, 16, 8.8), 'o', 'O');
    return {"enemy1", "stage 1's enemy, a light-orange duck facing left with a wide yellow bill", c};
}

Picture boss0() {
    Canvas c = figure_canvas(150, 150);
    c.add_colour('W', 255, 255, 255);  // the body, shown in the boss's colour
    c.set_transparent(255, 255, 255);
    c.add_colour('Y', 255, 255, 0);
    c.add_colour('g', 206, 206, 206);
    c.add_colour('q', 140, 140, 140);
    c.add_colour('S', 239, 239, 239);
    draw_duck(c, giant_size(150.0 / 32, {0, 0}), kWhiteDuck, {'W', 'Y', 'g', 'S', 'q'});
    paint_weak_spot(c, 35, 110, 42, 130);
    return {"boss0", "stage 0's boss, the white duck as a giant; its body is the see-through colour", c};
}

Picture boss1() {
    Canvas c = figure_canvas(150, 150);
    c.add_colour('O', 255, 181, 82);  // the body, shown in the boss's colour
    c.set_transparent(255, 181, 82);
    c.add_colour('1', 255, 165, 66);
    c.add_colour('2', 255, 148, 41);
    c.add_colour('3', 255, 132, 16);
    c.add_colour('Y', 255, 255, 0);
    c.add_colour('w', 255, 206, 140);
    c.add_colour('q', 222, 132, 41);
    c.add_colour('S', 255, 255, 255);
    const Size z = giant_size(150.0 / 32, {0, 0});
    const Mask inside = draw_duck(c, z, kPlumpDuck, {'O', 'Y', 'w', 'S', 'q'});
    // Shaded towards orange at the bottom, in bands.
    const char bands[] = {'O', '1', '2', '3'};
    for (int i = 1; i <= 3; ++i)
        c.paint_on((inside & z.shapes.right_of({0, 20}, {32, 20})) - z.shapes.ellipse({17, 15.5 + 1.2 * i}, 17, 9.5),
                   bands[i], bands[i - 1]);
    paint_weak_spot(c, 22, 103, 29, 123);
    return {"boss1", "stage 1's boss, the light-orange duck as a giant; its body is the see-through colour", c};
}

}  // namespace picgen

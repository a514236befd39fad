// The round bird of stage 2, perched on a block, and its giant boss.
#include "figures.h"
#include "weak_spot.h"

namespace picgen {
namespace {

struct PerchPaint {
    char body, beak, block_top, block_side, wing;
    char shine;  // eye shine of a giant; 0 for none
};

// Draws the bird facing left on its block and returns the inside of the bird's body.
Mask draw_perched_bird(Canvas& c, const Size& z, const PerchPaint& p) {
    const Shapes& s = z.shapes;
    const double ink = z.outline;

    // The block: a lit top face over a darker front.
    const Mask block = s.rect({5, 25.5}, {29, 31});
    c.sticker(block, p.block_side, kInk, ink);
    c.paint_on(s.rect({5, 25.5}, {29, 27.6}), p.block_top, p.block_side);
    c.paint(s.line({{5, 27.6}, {29, 27.6}}, ink), kInk);

    // Tail and beak behind the ball.
    c.sticker(s.polygon({{24, 15}, {31, 10.5}, {31.3, 17.5}, {26, 21}}), p.body, kInk, ink);
    c.sticker(s.polygon({{8, 10.3}, {0.8, 14.3}, {8.5, 18.2}}), p.beak, kInk, ink);
    if (z.giant) c.paint(s.line({{2.5, 14.3}, {7, 14.5}}, ink), kInk);

    const Mask ball = s.ellipse({17, 16.2}, 11.2, 10.6);
    c.sticker(ball, p.body, kInk, ink);

    // Claws gripping the block's edge.
    for (double x : {13.0, 19.0})
        c.paint(s.line({{x, 25.8}, {x - 1, 27.3}}, ink) | s.line({{x + 1.8, 25.8}, {x + 0.8, 27.3}}, ink), kInk);

    // Wing folded on the side, pointing back.
    const Mask wing = s.ellipse({20.5, 17.5}, 6.2, 4.3, -18) | s.polygon({{22, 14.5}, {28.8, 14.2}, {25, 20}});
    c.sticker(wing, p.wing, kInk, ink);

    if (z.giant) {
        c.paint(s.ellipse({10.5, 10.5}, 1.1, 1.35), kInk);
        if (p.shine) c.paint(s.circle({10.2, 10.0}, 0.4), p.shine);
    } else {
        c.paint(s.rect({10, 9.5}, {11, 11.5}), kInk);
    }
    return ball.shrunk(ink);
}

}  // namespace

Picture enemy2() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('G', 132, 132, 132);
    c.add_colour('o', 255, 148, 0);
    c.add_colour('O', 255, 181, 82);
    draw_perched_bird(c, sprite_size(), {'G', 'o', 'O', 'o', 'G', 0});
    return {"enemy2", "stage 2's enemy, a grey round bird facing left, perched on an orange block", c};
}

Picture boss2() {
    Canvas c = figure_canvas(150, 150);
    c.add_colour('G', 132, 132, 132);  // the body, shown in the boss's colour
    c.set_transparent(132, 132, 132);
    c.add_colour('Y', 255, 255, 0);
    c.add_colour('P', 255, 107, 82);
    c.add_colour('p', 222, 107, 0);
    c.add_colour('w', 107, 107, 107);
    c.add_colour('S', 255, 255, 255);
    draw_perched_bird(c, giant_size(150.0 / 32, {-6, 0}), {'G', 'Y', 'P', 'p', 'w', 'S'});
    paint_weak_spot(c, 36, 84, 43, 104);
    return {"boss2", "stage 2's boss, the round bird as a giant; its body is the see-through colour", c};
}

}  // namespace picgen

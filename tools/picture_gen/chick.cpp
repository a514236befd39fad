// The round chick: the player's craft, the window icon, the green chick of stage 4 and its boss.
#include "figures.h"
#include "weak_spot.h"

namespace picgen {
namespace {

// Draws the chick facing right and returns the pixels of its body (ball and tuft).
// The chick is one round ball: no neck, a tuft on top, a short beak with a smile, tiny feet.
Mask draw_chick(Canvas& c, const Size& z, char body, char beak) {
    const Shapes& s = z.shapes;
    const double ink = z.outline;

    // Little feet first, so the ball's outline covers their tops.
    const Mask feet =
        s.line({{11.5, 26}, {11.5, 30.5}, {9.5, 30.5}}, ink) | s.line({{17.5, 26}, {17.5, 30.5}, {15.5, 30.5}}, ink);
    c.paint(feet, kInk);

    // Beak behind the ball: a short wedge pointing right, split by the mouth line. The sprite's
    // beak runs to the picture's edge to stay readable; the giant's stops short of it.
    const double tip = z.giant ? 30.2 : 31.6;
    const Mask bill = s.polygon({{24, 12.2}, {tip, 15.8}, {tip, 17.6}, {24, 21.2}});
    c.sticker(bill, beak, kInk, ink);

    const Mask ball = s.ellipse({15, 17}, 12.5, 12);
    const Mask tuft = s.ellipse({12.8, 4.6}, 1.7, 3.2, -25) | s.ellipse({16.6, 4.4}, 1.6, 3.0, 22);
    const Mask whole = ball | tuft;
    c.sticker(whole, body, kInk, ink);

    // Mouth: from the beak tip back into the cheek, curling up at the end into a smile.
    c.paint(s.line({{tip - 0.6, 16.7}, {26, 17.2}, {24.5, 16.4}, {23.8, 15.2}}, ink), kInk);

    // Eye: a tall dot; a giant chick gets a round eye with a shine.
    if (z.giant) {
        c.paint(s.ellipse({21.2, 11.6}, 1.5, 2.1), kInk);
    } else {
        c.paint(s.rect({20, 10}, {22, 13}), kInk);
    }

    // A small wing on the flank, its tip raised towards the back.
    c.sticker(s.ellipse({10, 19.2}, 4.6, 3.0, 28) | s.polygon({{7.5, 17.5}, {4.8, 14.3}, {9.5, 16.5}}), body, kInk,
              ink);
    return whole.shrunk(ink);
}

}  // namespace

Picture chick() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('Y', 255, 255, 0);
    draw_chick(c, sprite_size(), 'Y', 'Y');
    return {"chick", "the player's craft, a round yellow chick facing right", c};
}

Picture icon() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('Y', 255, 255, 0);
    c.add_masked_out('-');
    draw_chick(c, sprite_size(), 'Y', 'Y');
    // Everything around the chick is masked out, so the window icon is just the chick.
    c.flood_fill(0, 0, '-');
    c.paint(c.where(kSky), '-');
    return {"icon", "the window icon: the chick, with everything around it masked out", c};
}

Picture enemy4() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('G', 74, 255, 0);
    c.add_colour('Y', 255, 255, 0);
    draw_chick(c, sprite_size(), 'G', 'Y');
    c.mirror();
    return {"enemy4", "stage 4's enemy, a green chick facing left with a yellow beak", c};
}

Picture boss4() {
    Canvas c = figure_canvas(150, 150);
    c.add_colour('Y', 255, 255, 0);  // the body, shown in the boss's colour
    c.set_transparent(255, 255, 0);
    c.add_colour('1', 247, 255, 0);
    c.add_colour('2', 222, 255, 0);
    c.add_colour('3', 198, 255, 0);
    c.add_colour('4', 181, 255, 0);
    c.add_colour('S', 255, 255, 206);  // eye shine
    const Size z = giant_size(4.5, {12.5, 8.5});
    const Shapes& s = z.shapes;
    const Mask body = draw_chick(c, z, 'Y', '2');

    // The lower body turns yellow-green in bands, greenest at the bottom: each band is what the
    // ball leaves uncovered when a copy of it is lifted a little less than for the band before.
    const char bands[] = {'Y', '1', '2', '3', '4'};
    for (int i = 1; i <= 4; ++i) {
        const double lift = 9.5 - 2.0 * i;
        c.paint_on(body - s.ellipse({15, 17 - lift}, 12.5, 12), bands[i], bands[i - 1]);
    }
    c.paint(s.circle({21.7, 11.0}, 0.55), 'S');
    c.mirror();
    paint_slanted_weak_spot(c, 23, 100, 40, 120, 8);
    return {"boss4", "stage 4's boss, a giant chick facing left; its body is the see-through colour", c};
}

}  // namespace picgen

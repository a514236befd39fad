// The hen: the player's craft after it picks up the power-up. It faces right like the chick but
// stands tall, with a red comb, an upright tail and yellow legs, so the change reads at once.
#include "figures.h"

namespace picgen {

Picture hen() {
    Canvas c = figure_canvas(32, 32);
    c.add_colour('W', 255, 255, 255);
    c.add_colour('R', 255, 0, 0);
    c.add_colour('Y', 255, 255, 0);
    const Size z = sprite_size();
    const Shapes& s = z.shapes;

    // Legs with three-toed feet.
    c.paint(s.line({{12.5, 25}, {12.5, 30.5}}, 1) | s.line({{10.5, 30.5}, {14.5, 30.5}}, 1), 'Y');
    c.paint(s.line({{17.5, 25}, {18.5, 30.5}}, 1) | s.line({{16.5, 30.5}, {20.5, 30.5}}, 1), 'Y');

    // Comb, wattle and beak sit behind the head, which outlines them where they meet.
    c.sticker(s.circle({20.5, 4.4}, 1.7) | s.circle({23, 3.3}, 1.9) | s.circle({25.5, 4.6}, 1.6), 'R', kInk, 1);
    c.paint(s.ellipse({25.6, 13.8}, 1.5, 2.2), 'R');
    c.sticker(s.polygon({{24.5, 7.2}, {31, 10.2}, {24.5, 12.6}}), 'Y', kInk, 1);

    const Mask body = s.ellipse({14.5, 19.5}, 10, 7.2, -8);
    const Mask tail =
        s.polygon({{9, 14}, {3.5, 4.5}, {6, 4.2}, {11, 9}, {12, 13}}) | s.polygon({{6, 20}, {1.5, 9}, {4, 9}, {9, 14}});
    const Mask neck = s.polygon({{18.5, 9}, {25.5, 9}, {25.5, 15}, {22.5, 19}, {16, 19}});
    const Mask head = s.circle({22.5, 9}, 4.5);
    c.sticker(body | tail | neck | head, 'W', kInk, 1);

    // Tail feathers, wing and eye.
    c.paint(s.line({{5.5, 11}, {9.5, 16}}, 1), kInk);
    c.sticker(s.ellipse({13.5, 19.5}, 5.8, 3.6, -12) - s.right_of({6, 16}, {20, 14.5}), 'W', kInk, 1);
    c.paint(s.rect({23, 7}, {24, 9}), kInk);
    return {"hen", "the powered-up craft, a white hen facing right with a red comb", c};
}

}  // namespace picgen

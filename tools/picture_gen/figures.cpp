#include "figures.h"

namespace picgen {

Canvas figure_canvas(int width, int height) {
    Canvas c(width, height, kSky);
    c.add_colour(kSky, 0, 255, 255);
    c.add_colour(kInk, 0, 0, 0);
    return c;
}

Size sprite_size() { return {Shapes(32, 32), 1.0, false}; }

Size giant_size(double scale, Point offset) { return {Shapes(150, 150, scale, offset), 3.0, true}; }

std::vector<Picture> all_pictures() {
    std::vector<Picture> out;
    for (auto make : {chick, hen, enemy0, enemy1, enemy2, enemy3, enemy4, boss0, boss1, boss2, boss3, boss4, explosion,
                      powerup, ground, bullet, cloud, icon})
        out.push_back(make());
    return out;
}

}  // namespace picgen

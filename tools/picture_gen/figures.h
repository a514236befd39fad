// Every picture of the game, one function each, grouped by figure family in the .cpp files.
#pragma once

#include <vector>

#include "canvas.h"
#include "shapes.h"

namespace picgen {

// Colours shared by the figures: the cyan sky that surrounds every figure and the black outline.
constexpr char kSky = '.';
constexpr char kInk = 'K';

// A fresh figure picture: cyan sky everywhere, with sky and ink in the palette.
Canvas figure_canvas(int width, int height);

// How large a figure is drawn: the sprites are 32 pixels, the bosses are their giant versions.
struct Size {
    Shapes shapes;
    double outline;  // outline width in pixels
    bool giant;      // giants get the finer details that a small sprite has no room for
};
Size sprite_size();
Size giant_size(double scale, Point offset);

// chick.cpp: the round chick and its relatives.
Picture chick();
Picture icon();
Picture enemy4();
Picture boss4();
// hen.cpp
Picture hen();
// duck.cpp: the grown ducks of stages 0 and 1.
Picture enemy0();
Picture enemy1();
Picture boss0();
Picture boss1();
// perched_bird.cpp: the round bird of stage 2.
Picture enemy2();
Picture boss2();
// duckling.cpp: the walking duckling of stage 3.
Picture enemy3();
Picture boss3();
// items.cpp: things that are not birds.
Picture explosion();
Picture powerup();
Picture ground();
Picture bullet();
Picture cloud();

// All eighteen pictures and the icon, in the order the game lists them.
std::vector<Picture> all_pictures();

}  // namespace picgen

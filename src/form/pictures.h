// The game's pictures, built into the program from assets/pictures.
#pragma once

#include <string_view>

#include "elements/picture.h"

namespace kx {

// The picture of that name (chick, hen, enemy0..4, boss0..4, explosion, powerup, ground,
// bullet, cloud, icon). Throws std::out_of_range for an unknown name.
const Picture& game_picture(std::string_view name);

}  // namespace kx

// Checks every picture against what the game relies on: sizes, cyan corners, plain strips, and
// the bosses' see-through body colours and weak-spot marks.
#pragma once

#include <string>
#include <vector>

#include "canvas.h"

namespace picgen {

// Returns one line per problem found; empty when all is well.
std::vector<std::string> check_pictures(const std::vector<Picture>& pictures);

}  // namespace picgen

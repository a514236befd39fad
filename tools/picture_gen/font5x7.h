// A tiny 5 x 7 pixel font for labels: lowercase letters and digits.
#pragma once

#include <array>

namespace picgen {

// Seven rows of five cells, '#' for ink, top row first. Unknown characters come out blank.
const std::array<const char*, 7>& glyph(char ch);

}  // namespace picgen

// What changed between two frames: in play only a few small places do, so only they need to be
// scaled and sent to the display again.
#pragma once

#include <vector>

#include "draw/scaling.h"
#include "elements/frame.h"

namespace kx {

// Replaces `bands` with the parts of `after` that differ from `before`, top to bottom: each run
// of changed rows is one band, as wide as the changes in its rows reach. Equal frames give none.
void find_changes(const Frame& before, const Frame& after, std::vector<Rect>& bands);

}  // namespace kx

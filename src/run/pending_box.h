// A game-over box the game has asked for and a front end has yet to show: its title, its text,
// the frame as it stood when the game asked (the explosion on the craft) and the score then (the
// game resets it in the same tick).
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "elements/frame.h"

namespace kx {

struct PendingBox {
    std::string title;
    std::string prompt;
    std::unique_ptr<Frame> frame;
    std::int64_t ticks = 0;  // the tick count when the game asked
    int score = 0;
};

}  // namespace kx

// A tap on the game (a finger or a click, let go) is the touch pad's Start where nothing else
// takes it: it starts a game on the title and goes on after a pause. A phone has no Return key,
// and a tap is what a player tries first. A tap that pressed or closed the box's OK is only that.
#pragma once

namespace kx {

struct TapMoment {
    bool box_was_open;  // when the finger came up, before the box saw it
    bool box_open;      // after
    bool running;       // a timer runs: the title's has none
    bool replaying;
    bool paused;
};

bool tap_presses_start(const TapMoment& tap);

}  // namespace kx

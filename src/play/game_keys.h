// The game's keys by what they do: the one place that says which key steers, fires or starts.
// The keyboard handlers, the controller mapping, the driver, the autopilot and the tests all ask
// this table. Recorded input files store the key codes themselves, so a recording made before a
// change of this table still replays the keys it recorded.
#pragma once

#include "elements/virtual_keys.h"

namespace kx {

struct GameKeys {
    int up, down, left, right;  // steer the craft
    int fire;                   // launches the shot
    // Any key starts a game from the title screen; this is the one a controller's Start and a
    // tap on the page send.
    int start;
};

constexpr GameKeys kGameKeys{kKeyUp, kKeyDown, kKeyLeft, kKeyRight, kKeyZ, kKeyReturn};

}  // namespace kx

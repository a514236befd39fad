// What the page reads from the program's tables besides the key places (input/key_places.h):
// the frame's size, the touch pad's number and buttons, and the buttons of a controller in the
// browser's standard layout. The build writes them all into the site's tables.js
// (tools/page_tables), so the page holds none of its own.
#pragma once

#include <array>
#include <string_view>

#include "input/gamepad_keys.h"

namespace kx {

// The touch pad is a controller of its own to the game, under a number no browser gives one
// (browsers number controllers from 0, one for each plugged in).
inline constexpr int kTouchPad = 32;

struct NamedButton {
    std::string_view name;
    GamepadKeys::Button button;
};
// The touch pad's zones (site/pad.js) as the controller's buttons: its four arrows are the D-pad
// and its fire button is A.
inline constexpr std::array kTouchPadButtons{
    NamedButton{"left", GamepadKeys::Button::DpadLeft},   NamedButton{"up", GamepadKeys::Button::DpadUp},
    NamedButton{"right", GamepadKeys::Button::DpadRight}, NamedButton{"down", GamepadKeys::Button::DpadDown},
    NamedButton{"fire", GamepadKeys::Button::A},
};

struct StandardButton {
    int index;  // in the browser's Gamepad.buttons of a controller in the standard layout
    GamepadKeys::Button button;
};
// The buttons the game reads: the D-pad (14 left, 12 up, 15 right, 13 down), the bottom and
// right face buttons (A and B on an Xbox controller) and Start.
inline constexpr std::array kStandardButtons{
    StandardButton{14, GamepadKeys::Button::DpadLeft},  StandardButton{12, GamepadKeys::Button::DpadUp},
    StandardButton{15, GamepadKeys::Button::DpadRight}, StandardButton{13, GamepadKeys::Button::DpadDown},
    StandardButton{0, GamepadKeys::Button::A},          StandardButton{1, GamepadKeys::Button::B},
    StandardButton{9, GamepadKeys::Button::Start},
};

}  // namespace kx

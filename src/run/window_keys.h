// Which key presses belong to the window and which to the game, the same on every desktop front
// end: F11 and Alt+Enter toggle fullscreen; they, the Alt and Super (Windows) keys themselves and
// every key pressed while Alt or Super is held (the desktop's own shortcuts: Alt+Tab, Alt+F4,
// Super+D) never reach the game. Releases always go to the driver, which passes one on exactly
// when the game heard the press, so no key sticks whatever was held meanwhile.
#pragma once

#include "input/key_bindings.h"

namespace kx {

struct WindowKeyPress {
    PressedKey key;                 // its place and label
    bool desktop_modifier = false;  // the key is Alt or Super itself
    bool alt_held = false;
    bool super_held = false;
    bool repeat = false;  // the desktop's key repeat
};

enum class KeyUse {
    game,               // goes to the driver
    toggle_fullscreen,  // the window's, once per press (its repeats do nothing)
    window,             // the window's or the desktop's: nothing for the game
};

KeyUse key_use(const WindowKeyPress& press);

}  // namespace kx

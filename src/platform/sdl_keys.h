// SDL key codes to the game's virtual key codes (Left 37, Up 38, Right 39, Down 40, Z 90, ...).
#pragma once

#include <SDL_keycode.h>

namespace kx {

int virtual_key_code(SDL_Keycode key);

}  // namespace kx

// Windows' keys as the game's key rule takes them: the key's place from the scan code of its
// message and the label the keyboard layout in force gives it.
#pragma once

#include <windows.h>

#include "input/key_bindings.h"

namespace kx {

PressedKey pressed_key(WPARAM virtual_key, LPARAM flags);
// Whether a key is down now, by its virtual key or by its place.
bool held(int virtual_key);
bool held_at(int place);
// What the layout in force prints on the key at this place (0: nothing).
char32_t layout_label(int place);

}  // namespace kx

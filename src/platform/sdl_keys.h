// SDL's keys as the game's key rule takes them: the key's place (SDL's scan codes are the USB
// usages) and the label the player's layout gives it.
#pragma once

#include <SDL_keyboard.h>

#include "input/key_bindings.h"

namespace kx {

PressedKey pressed_key(const SDL_Keysym& key);
// Alt or Super (the Windows key) itself.
bool desktop_modifier(const SDL_Keysym& key);
// What the layout in force prints on the key at this place (0: nothing, or no layout is known
// yet: SDL reads it once its video has started).
char32_t layout_label(int place);
// The same outside a window run (for --help): starts SDL's video on the first call, where a
// display answers; 0 for every place where none does.
char32_t layout_label_without_window(int place);

}  // namespace kx

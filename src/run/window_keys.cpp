// The window's keys.
#include "run/window_keys.h"

#include "elements/virtual_keys.h"
#include "input/key_places.h"

namespace kx {

KeyUse key_use(const WindowKeyPress& press) {
    // By the place: a binding never takes the window's keys.
    const int code = code_of_place(press.key.place);
    if (code == kKeyF11 || (code == kKeyReturn && press.alt_held))
        return press.repeat ? KeyUse::window : KeyUse::toggle_fullscreen;
    if (press.desktop_modifier || press.alt_held || press.super_held) return KeyUse::window;
    return KeyUse::game;
}

}  // namespace kx

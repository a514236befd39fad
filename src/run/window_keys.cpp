// The window's keys.
#include "run/window_keys.h"

#include "elements/virtual_keys.h"

namespace kx {

KeyUse key_use(const WindowKeyPress& press) {
    if (press.code == kKeyF11 || (press.code == kKeyReturn && press.alt_held))
        return press.repeat ? KeyUse::window : KeyUse::toggle_fullscreen;
    if (press.desktop_modifier || press.alt_held || press.super_held) return KeyUse::window;
    return KeyUse::game;
}

}  // namespace kx

// The desktop's usual virtual key codes, so that recorded replays name keys the familiar way.
#include "platform/sdl_keys.h"

#include "elements/virtual_keys.h"

namespace kx {

int virtual_key_code(SDL_Keycode key) {
    if (key >= SDLK_a && key <= SDLK_z) return kKeyA + (key - SDLK_a);
    if (key >= SDLK_0 && key <= SDLK_9) return kKey0 + (key - SDLK_0);
    if (key >= SDLK_F1 && key <= SDLK_F12) return kKeyF1 + (key - SDLK_F1);
    if (key >= SDLK_KP_1 && key <= SDLK_KP_9) return kKeyNumpad0 + 1 + (key - SDLK_KP_1);
    switch (key) {
        case SDLK_LEFT: return kKeyLeft;
        case SDLK_UP: return kKeyUp;
        case SDLK_RIGHT: return kKeyRight;
        case SDLK_DOWN: return kKeyDown;
        case SDLK_BACKSPACE: return kKeyBackspace;
        case SDLK_TAB: return kKeyTab;
        case SDLK_RETURN:
        case SDLK_KP_ENTER: return kKeyReturn;
        case SDLK_LSHIFT:
        case SDLK_RSHIFT: return kKeyShift;
        case SDLK_LCTRL:
        case SDLK_RCTRL: return kKeyControl;
        case SDLK_LALT:
        case SDLK_RALT: return kKeyAlt;
        case SDLK_PAUSE: return kKeyPause;
        case SDLK_CAPSLOCK: return kKeyCapsLock;
        case SDLK_ESCAPE: return kKeyEscape;
        case SDLK_SPACE: return kKeySpace;
        case SDLK_PAGEUP: return kKeyPageUp;
        case SDLK_PAGEDOWN: return kKeyPageDown;
        case SDLK_END: return kKeyEnd;
        case SDLK_HOME: return kKeyHome;
        case SDLK_INSERT: return kKeyInsert;
        case SDLK_DELETE: return kKeyDelete;
        case SDLK_KP_0: return kKeyNumpad0;
        case SDLK_KP_MULTIPLY: return 106;
        case SDLK_KP_PLUS: return 107;
        case SDLK_KP_MINUS: return 109;
        case SDLK_KP_PERIOD: return 110;
        case SDLK_KP_DIVIDE: return 111;
        case SDLK_SEMICOLON: return 186;
        case SDLK_EQUALS: return 187;
        case SDLK_COMMA: return 188;
        case SDLK_MINUS: return 189;
        case SDLK_PERIOD: return 190;
        case SDLK_SLASH: return 191;
        case SDLK_BACKQUOTE: return 192;
        case SDLK_LEFTBRACKET: return 219;
        case SDLK_BACKSLASH: return 220;
        case SDLK_RIGHTBRACKET: return 221;
        case SDLK_QUOTE: return 222;
        default: return kKeyOther;
    }
}

}  // namespace kx

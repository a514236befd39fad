#include "platform/sdl_keys.h"

#include <SDL.h>

#include <cstdlib>
#include <exception>

#include "input/key_places.h"
#include "platform/video_driver.h"

namespace kx {
namespace {

// A key that prints a character has that character as its SDL key code; the others have codes
// of their own, marked with SDLK_SCANCODE_MASK, or are control characters.
char32_t label_of(SDL_Keycode code) {
    if (code <= SDLK_SPACE || code == SDLK_DELETE || (code & SDLK_SCANCODE_MASK) != 0) return 0;
    return key_label(char32_t(code));
}

}  // namespace

PressedKey pressed_key(const SDL_Keysym& key) { return {place_of_usb(int(key.scancode)), label_of(key.sym)}; }

bool desktop_modifier(const SDL_Keysym& key) {
    const SDL_Scancode s = key.scancode;
    return s == SDL_SCANCODE_LALT || s == SDL_SCANCODE_RALT || s == SDL_SCANCODE_LGUI || s == SDL_SCANCODE_RGUI;
}

char32_t layout_label(int place) {
    if (place < 0) return 0;
    return label_of(SDL_GetKeyFromScancode(SDL_Scancode(key_places()[std::size_t(place)].usb)));
}

char32_t layout_label_without_window(int place) {
    static const bool video = [] {
        try {
            open_video();
            std::atexit(SDL_Quit);
            return true;
        } catch (const std::exception&) {
            return false;  // no display: the help names the places alone
        }
    }();
    return video ? layout_label(place) : 0;
}

}  // namespace kx

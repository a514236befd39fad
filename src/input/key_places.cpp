// The table of key places (see key_places.h): the letters, the digits, the keypad's digits and
// F1..F12 in the order of their codes, then the keys of a name of their own.
#include "input/key_places.h"

#include <algorithm>
#include <array>

#include "elements/virtual_keys.h"

namespace kx {
namespace {

// clang-format off
constexpr std::array kPlaces = std::to_array<KeyPlace>({
    {"KeyA", kKeyA + 0}, {"KeyB", kKeyA + 1}, {"KeyC", kKeyA + 2}, {"KeyD", kKeyA + 3}, {"KeyE", kKeyA + 4},
    {"KeyF", kKeyA + 5}, {"KeyG", kKeyA + 6}, {"KeyH", kKeyA + 7}, {"KeyI", kKeyA + 8}, {"KeyJ", kKeyA + 9},
    {"KeyK", kKeyA + 10}, {"KeyL", kKeyA + 11}, {"KeyM", kKeyA + 12}, {"KeyN", kKeyA + 13}, {"KeyO", kKeyA + 14},
    {"KeyP", kKeyA + 15}, {"KeyQ", kKeyA + 16}, {"KeyR", kKeyA + 17}, {"KeyS", kKeyA + 18}, {"KeyT", kKeyA + 19},
    {"KeyU", kKeyA + 20}, {"KeyV", kKeyA + 21}, {"KeyW", kKeyA + 22}, {"KeyX", kKeyA + 23}, {"KeyY", kKeyA + 24},
    {"KeyZ", kKeyA + 25},
    {"Digit0", kKey0 + 0}, {"Digit1", kKey0 + 1}, {"Digit2", kKey0 + 2}, {"Digit3", kKey0 + 3}, {"Digit4", kKey0 + 4},
    {"Digit5", kKey0 + 5}, {"Digit6", kKey0 + 6}, {"Digit7", kKey0 + 7}, {"Digit8", kKey0 + 8}, {"Digit9", kKey0 + 9},
    {"Numpad0", kKeyNumpad0 + 0}, {"Numpad1", kKeyNumpad0 + 1}, {"Numpad2", kKeyNumpad0 + 2},
    {"Numpad3", kKeyNumpad0 + 3}, {"Numpad4", kKeyNumpad0 + 4}, {"Numpad5", kKeyNumpad0 + 5},
    {"Numpad6", kKeyNumpad0 + 6}, {"Numpad7", kKeyNumpad0 + 7}, {"Numpad8", kKeyNumpad0 + 8},
    {"Numpad9", kKeyNumpad0 + 9},
    {"F1", kKeyF1 + 0}, {"F2", kKeyF1 + 1}, {"F3", kKeyF1 + 2}, {"F4", kKeyF1 + 3}, {"F5", kKeyF1 + 4},
    {"F6", kKeyF1 + 5}, {"F7", kKeyF1 + 6}, {"F8", kKeyF1 + 7}, {"F9", kKeyF1 + 8}, {"F10", kKeyF1 + 9},
    {"F11", kKeyF1 + 10}, {"F12", kKeyF1 + 11},
    {"ArrowLeft", kKeyLeft}, {"ArrowUp", kKeyUp}, {"ArrowRight", kKeyRight}, {"ArrowDown", kKeyDown},
    {"Enter", kKeyReturn}, {"NumpadEnter", kKeyReturn}, {"Space", kKeySpace}, {"Escape", kKeyEscape},
    {"Backspace", kKeyBackspace}, {"Tab", kKeyTab}, {"Pause", kKeyPause}, {"CapsLock", kKeyCapsLock},
    {"ShiftLeft", kKeyShift}, {"ShiftRight", kKeyShift}, {"ControlLeft", kKeyControl}, {"ControlRight", kKeyControl},
    {"AltLeft", kKeyAlt}, {"AltRight", kKeyAlt}, {"Insert", kKeyInsert}, {"Delete", kKeyDelete},
    {"PageUp", kKeyPageUp}, {"PageDown", kKeyPageDown}, {"End", kKeyEnd}, {"Home", kKeyHome},
    {"NumpadMultiply", kKeyNumpadMultiply}, {"NumpadAdd", kKeyNumpadAdd}, {"NumpadSubtract", kKeyNumpadSubtract},
    {"NumpadDecimal", kKeyNumpadDecimal}, {"NumpadDivide", kKeyNumpadDivide},
    {"Semicolon", kKeySemicolon}, {"Equal", kKeyEqual}, {"Comma", kKeyComma}, {"Minus", kKeyMinus},
    {"Period", kKeyPeriod}, {"Slash", kKeySlash}, {"Backquote", kKeyBackquote}, {"Quote", kKeyQuote},
    {"BracketLeft", kKeyBracketLeft}, {"Backslash", kKeyBackslash}, {"BracketRight", kKeyBracketRight},
});
// clang-format on

}  // namespace

std::span<const KeyPlace> key_places() { return kPlaces; }

int key_code_at(std::string_view place) {
    const auto at = std::find_if(kPlaces.begin(), kPlaces.end(), [&](const KeyPlace& p) { return p.name == place; });
    return at == kPlaces.end() ? kKeyOther : at->code;
}

std::string_view key_place_of(int code) {
    const auto at = std::find_if(kPlaces.begin(), kPlaces.end(), [&](const KeyPlace& p) { return p.code == code; });
    return at == kPlaces.end() ? std::string_view() : at->name;
}

}  // namespace kx

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
    {"KeyA", kKeyA + 0, 4, 0x1E},
    {"KeyB", kKeyA + 1, 5, 0x30},
    {"KeyC", kKeyA + 2, 6, 0x2E},
    {"KeyD", kKeyA + 3, 7, 0x20},
    {"KeyE", kKeyA + 4, 8, 0x12},
    {"KeyF", kKeyA + 5, 9, 0x21},
    {"KeyG", kKeyA + 6, 10, 0x22},
    {"KeyH", kKeyA + 7, 11, 0x23},
    {"KeyI", kKeyA + 8, 12, 0x17},
    {"KeyJ", kKeyA + 9, 13, 0x24},
    {"KeyK", kKeyA + 10, 14, 0x25},
    {"KeyL", kKeyA + 11, 15, 0x26},
    {"KeyM", kKeyA + 12, 16, 0x32},
    {"KeyN", kKeyA + 13, 17, 0x31},
    {"KeyO", kKeyA + 14, 18, 0x18},
    {"KeyP", kKeyA + 15, 19, 0x19},
    {"KeyQ", kKeyA + 16, 20, 0x10},
    {"KeyR", kKeyA + 17, 21, 0x13},
    {"KeyS", kKeyA + 18, 22, 0x1F},
    {"KeyT", kKeyA + 19, 23, 0x14},
    {"KeyU", kKeyA + 20, 24, 0x16},
    {"KeyV", kKeyA + 21, 25, 0x2F},
    {"KeyW", kKeyA + 22, 26, 0x11},
    {"KeyX", kKeyA + 23, 27, 0x2D},
    {"KeyY", kKeyA + 24, 28, 0x15},
    {"KeyZ", kKeyA + 25, 29, 0x2C},
    {"Digit0", kKey0 + 0, 39, 0x0B},
    {"Digit1", kKey0 + 1, 30, 0x02},
    {"Digit2", kKey0 + 2, 31, 0x03},
    {"Digit3", kKey0 + 3, 32, 0x04},
    {"Digit4", kKey0 + 4, 33, 0x05},
    {"Digit5", kKey0 + 5, 34, 0x06},
    {"Digit6", kKey0 + 6, 35, 0x07},
    {"Digit7", kKey0 + 7, 36, 0x08},
    {"Digit8", kKey0 + 8, 37, 0x09},
    {"Digit9", kKey0 + 9, 38, 0x0A},
    {"Numpad0", kKeyNumpad0 + 0, 98, 0x52},
    {"Numpad1", kKeyNumpad0 + 1, 89, 0x4F},
    {"Numpad2", kKeyNumpad0 + 2, 90, 0x50},
    {"Numpad3", kKeyNumpad0 + 3, 91, 0x51},
    {"Numpad4", kKeyNumpad0 + 4, 92, 0x4B},
    {"Numpad5", kKeyNumpad0 + 5, 93, 0x4C},
    {"Numpad6", kKeyNumpad0 + 6, 94, 0x4D},
    {"Numpad7", kKeyNumpad0 + 7, 95, 0x47},
    {"Numpad8", kKeyNumpad0 + 8, 96, 0x48},
    {"Numpad9", kKeyNumpad0 + 9, 97, 0x49},
    {"F1", kKeyF1 + 0, 58, 0x3B},
    {"F2", kKeyF1 + 1, 59, 0x3C},
    {"F3", kKeyF1 + 2, 60, 0x3D},
    {"F4", kKeyF1 + 3, 61, 0x3E},
    {"F5", kKeyF1 + 4, 62, 0x3F},
    {"F6", kKeyF1 + 5, 63, 0x40},
    {"F7", kKeyF1 + 6, 64, 0x41},
    {"F8", kKeyF1 + 7, 65, 0x42},
    {"F9", kKeyF1 + 8, 66, 0x43},
    {"F10", kKeyF1 + 9, 67, 0x44},
    {"F11", kKeyF1 + 10, 68, 0x57},
    {"F12", kKeyF1 + 11, 69, 0x58},
    {"ArrowLeft", kKeyLeft, 80, 0xE04B},
    {"ArrowUp", kKeyUp, 82, 0xE048},
    {"ArrowRight", kKeyRight, 79, 0xE04D},
    {"ArrowDown", kKeyDown, 81, 0xE050},
    {"Enter", kKeyReturn, 40, 0x1C},
    {"NumpadEnter", kKeyReturn, 88, 0xE01C},
    {"Space", kKeySpace, 44, 0x39},
    {"Escape", kKeyEscape, 41, 0x01},
    {"Backspace", kKeyBackspace, 42, 0x0E},
    {"Tab", kKeyTab, 43, 0x0F},
    {"Pause", kKeyPause, 72, 0x45},
    {"CapsLock", kKeyCapsLock, 57, 0x3A},
    {"ShiftLeft", kKeyShift, 225, 0x2A},
    {"ShiftRight", kKeyShift, 229, 0x36},
    {"ControlLeft", kKeyControl, 224, 0x1D},
    {"ControlRight", kKeyControl, 228, 0xE01D},
    {"AltLeft", kKeyAlt, 226, 0x38},
    {"AltRight", kKeyAlt, 230, 0xE038},
    {"Insert", kKeyInsert, 73, 0xE052},
    {"Delete", kKeyDelete, 76, 0xE053},
    {"PageUp", kKeyPageUp, 75, 0xE049},
    {"PageDown", kKeyPageDown, 78, 0xE051},
    {"End", kKeyEnd, 77, 0xE04F},
    {"Home", kKeyHome, 74, 0xE047},
    {"NumpadMultiply", kKeyNumpadMultiply, 85, 0x37},
    {"NumpadAdd", kKeyNumpadAdd, 87, 0x4E},
    {"NumpadSubtract", kKeyNumpadSubtract, 86, 0x4A},
    {"NumpadDecimal", kKeyNumpadDecimal, 99, 0x53},
    {"NumpadDivide", kKeyNumpadDivide, 84, 0xE035},
    {"Semicolon", kKeySemicolon, 51, 0x27},
    {"Equal", kKeyEqual, 46, 0x0D},
    {"Comma", kKeyComma, 54, 0x33},
    {"Minus", kKeyMinus, 45, 0x0C},
    {"Period", kKeyPeriod, 55, 0x34},
    {"Slash", kKeySlash, 56, 0x35},
    {"Backquote", kKeyBackquote, 53, 0x29},
    {"Quote", kKeyQuote, 52, 0x28},
    {"BracketLeft", kKeyBracketLeft, 47, 0x1A},
    {"Backslash", kKeyBackslash, 49, 0x2B},
    {"BracketRight", kKeyBracketRight, 48, 0x1B},

});
// clang-format on

template <typename Match>
int index_where(Match match) {
    const auto at = std::find_if(kPlaces.begin(), kPlaces.end(), match);
    return at == kPlaces.end() ? -1 : int(at - kPlaces.begin());
}

}  // namespace

std::span<const KeyPlace> key_places() { return kPlaces; }

int key_code_at(std::string_view place) { return code_of_place(place_index(place)); }

std::string_view key_place_of(int code) {
    const int at = index_where([&](const KeyPlace& p) { return p.code == code; });
    return at < 0 ? std::string_view() : kPlaces[std::size_t(at)].name;
}

int place_index(std::string_view name) {
    return index_where([&](const KeyPlace& p) { return p.name == name; });
}

int place_of_usb(int usage) {
    return index_where([&](const KeyPlace& p) { return p.usb == usage; });
}

int place_of_pc_scan(int scan) {
    return index_where([&](const KeyPlace& p) { return p.pc_scan == scan; });
}

int code_of_place(int place) {
    return place >= 0 && std::size_t(place) < kPlaces.size() ? kPlaces[std::size_t(place)].code : kKeyOther;
}

}  // namespace kx

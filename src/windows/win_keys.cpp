#include "windows/win_keys.h"

#include "input/key_places.h"

namespace kx {
namespace {

// The character a virtual key types without Shift on the layout in force, letters as capitals.
char32_t label_of(UINT virtual_key) {
    const UINT c = MapVirtualKeyW(virtual_key, MAPVK_VK_TO_CHAR) & 0x7FFFFFFF;  // dead keys are marked
    return c > ' ' && c != 0x7F ? key_label(char32_t(c)) : 0;
}

UINT virtual_key_at(int place) {
    return MapVirtualKeyW(UINT(key_places()[std::size_t(place)].pc_scan), MAPVK_VSC_TO_VK_EX);
}

}  // namespace

PressedKey pressed_key(WPARAM virtual_key, LPARAM flags) {
    // The scan code is in bits 16..23, and bit 24 marks the extended keys (0xE0 ..).
    const int scan = int((flags >> 16) & 0xFF) | ((flags & (LPARAM(1) << 24)) != 0 ? 0xE000 : 0);
    return {place_of_pc_scan(scan), label_of(UINT(virtual_key))};
}

bool held(int virtual_key) { return (GetAsyncKeyState(virtual_key) & 0x8000) != 0; }

bool held_at(int place) { return place >= 0 && held(int(virtual_key_at(place))); }

char32_t layout_label(int place) { return place < 0 ? 0 : label_of(virtual_key_at(place)); }

}  // namespace kx

// The keys by their place on the keyboard, under the names browsers give the places
// (KeyboardEvent.code: "KeyZ", "ArrowLeft", "Numpad0", "ShiftLeft"), and the desktop's virtual key
// code a key at each place sends. A key's place, not the letter printed on it, is what the
// player's fingers find: Z fires where a US keyboard has it, whatever a French or German one
// prints there. The page's key table is made from this one at build time (tools/page_tables).
#pragma once

#include <span>
#include <string_view>

namespace kx {

struct KeyPlace {
    std::string_view name;
    int code;
};

// Every place with a code of its own, letters, digits, the keypad's digits and F1..F12 first.
std::span<const KeyPlace> key_places();
// The code a key at this place sends: kKeyOther (it still starts the game) for a place the
// table lacks.
int key_code_at(std::string_view place);
// The first place that sends this code (the left one of two Shift keys); empty for none.
std::string_view key_place_of(int code);

}  // namespace kx

// The keys by their place on the keyboard, under the names browsers give the places
// (KeyboardEvent.code: "KeyZ", "ArrowLeft", "Numpad0", "ShiftLeft"), with the desktop's virtual key
// code a key at each place sends and the numbers the systems give the place: the USB usage (SDL's
// scan codes) and the PC keyboard's scan code (Windows' key messages; 0xE0.. for the extended
// keys). A key's place, not the letter printed on it, is what the player's fingers find: Z fires
// where a US keyboard has it, whatever a French or German one prints there. The page's key table
// is made from this one at build time (tools/page_tables).
#pragma once

#include <span>
#include <string_view>

namespace kx {

struct KeyPlace {
    std::string_view name;
    int code;     // the virtual key code a key here sends on a US keyboard
    int usb;      // its USB HID usage on the keyboard page, SDL's scan code
    int pc_scan;  // its scan code on a PC keyboard (set 1), 0xE000 + code for the extended keys
};

// Every place with a code of its own, letters, digits, the keypad's digits and F1..F12 first.
std::span<const KeyPlace> key_places();
// The code a key at this place sends: kKeyOther (it still starts the game) for a place the
// table lacks.
int key_code_at(std::string_view place);
// The first place that sends this code (the left one of two Shift keys); empty for none.
std::string_view key_place_of(int code);

// A place as an index into key_places(), -1 for a place the table lacks (a key of no code of its
// own: it sends kKeyOther).
int place_index(std::string_view name);
int place_of_usb(int usage);
int place_of_pc_scan(int scan);
// The code a key at that place sends on a US keyboard.
int code_of_place(int place);

}  // namespace kx

// Which keys of the keyboard play which of the game's roles: the usual ones (the arrows steer,
// Z fires) or the player's own for this run (--keys, ?keys=), kept nowhere. Every front end hands
// a key over as its place and the label the player's layout prints on it, and sends the game the
// code this gives; recordings store that code, so a binding never changes what a file replays.
#pragma once

#include <array>
#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

namespace kx {

// A key going down or up, as the front end saw it.
struct PressedKey {
    int place = -1;      // its place, an index into key_places(); -1: a place of no code of its own
    char32_t label = 0;  // what the player's layout prints on it (letters as capitals); 0: nothing
};

// A key a binding names: by its place, or by its label on the player's layout.
struct BoundKey {
    int place = -1;      // an index into key_places(), or -1 and
    char32_t label = 0;  // the label
    bool operator==(const BoundKey&) const = default;
};

// The label as bindings compare it: a..z as capitals, any other character as it is.
char32_t key_label(char32_t c);

// A binding the game cannot take; what() is one line naming what is wrong, which the caller
// prefixes with where the text came from ("--keys: ", "?keys: ").
struct KeyBindingError : std::invalid_argument {
    using std::invalid_argument::invalid_argument;
};

class KeyBindings {
public:
    // The roles, in the order --keys names them.
    enum Role { up, down, left, right, fire, start, kRoles };

    // The usual keys: the arrows steer; the key in Z's place on a US keyboard and the key labelled
    // Z on the player's own both fire (on a German keyboard they are Y and Z, on a French one W
    // and Z); Return and the keypad's Enter are the start key.
    KeyBindings();

    // `left-hand`, `right-hand` and `ROLE=KEY[+KEY...]` items, separated by commas and applied in
    // turn: a role named replaces that role's keys. Keys are named by their place (KeyW, Space,
    // RightCtrl, Numpad0, ArrowUp: the browsers' names, with a few short ones) or, as one
    // character, by their label (W). Throws KeyBindingError for an unknown role or key, a key of
    // the window's, or a key given two roles.
    static KeyBindings parse(std::string_view text);

    // The code the game hears from this key: its role's key code; else the code of its place,
    // unless that code is a role's whose keys were bound elsewhere (then a plain key that only
    // starts a game).
    int code(const PressedKey& key) const;

    bool usual() const;
    // The keys in force, role by role ("up: ArrowUp; ...; fire: KeyZ (Y here) or the key labelled
    // Z; ..."), with the label each place has on the player's layout where `label_here` knows it
    // (0 where it does not).
    std::string describe(const std::function<char32_t(int place)>& label_here) const;

private:
    std::array<std::vector<BoundKey>, kRoles> keys_;
};

}  // namespace kx

// The player's keys for the game's roles: the usual ones, the presets, the --keys text and the
// code each key sends.
#include "input/key_bindings.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

#include "elements/utf8.h"
#include "elements/virtual_keys.h"
#include "input/key_places.h"
#include "play/game_keys.h"

namespace kx {
namespace {

constexpr std::array<std::string_view, KeyBindings::kRoles> kRoleNames{"up", "down", "left", "right", "fire", "start"};
constexpr std::array<int, KeyBindings::kRoles> kRoleCodes{kGameKeys.up,    kGameKeys.down, kGameKeys.left,
                                                          kGameKeys.right, kGameKeys.fire, kGameKeys.start};

// Short names players write, beside the browsers' names of the places.
struct Alias {
    std::string_view name;
    std::string_view places[2];
};
constexpr Alias kAliases[] = {
    {"up", {"ArrowUp"}},           {"down", {"ArrowDown"}},         {"left", {"ArrowLeft"}},
    {"right", {"ArrowRight"}},     {"return", {"Enter"}},           {"esc", {"Escape"}},
    {"leftctrl", {"ControlLeft"}}, {"rightctrl", {"ControlRight"}}, {"ctrl", {"ControlLeft", "ControlRight"}},
    {"leftshift", {"ShiftLeft"}},  {"rightshift", {"ShiftRight"}},  {"shift", {"ShiftLeft", "ShiftRight"}},
};

bool same_words(std::string_view a, std::string_view b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) {
               auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? char(c - 'A' + 'a') : c; };
               return lower(x) == lower(y);
           });
}

std::string_view trimmed(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

// The text's one character, when it is exactly one well-formed UTF-8 character.
std::optional<char32_t> single_character(std::string_view s) {
    if (s.empty()) return std::nullopt;
    const auto lead = static_cast<unsigned char>(s[0]);
    const std::size_t size = lead < 0x80 ? 1 : (lead >> 5) == 6 ? 2 : (lead >> 4) == 14 ? 3 : (lead >> 3) == 30 ? 4 : 0;
    if (size == 0 || s.size() != size) return std::nullopt;
    char32_t c = size == 1 ? lead : lead & (0x7F >> size);
    for (std::size_t n = 1; n < size; ++n) {
        const auto next = static_cast<unsigned char>(s[n]);
        if ((next >> 6) != 2) return std::nullopt;
        c = (c << 6) | (next & 0x3F);
    }
    if (c <= ' ' || c == 0x7F || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) return std::nullopt;
    return c;
}

std::string utf8(char32_t c) {
    std::string s;
    append_utf8(s, c);
    return s;
}

// A refusal: its line's pieces joined here, once, rather than string code at every place that
// refuses (the browser's program is downloaded, and each would add to it).
[[noreturn]] void refuse(std::initializer_list<std::string_view> pieces) {
    std::string line;
    for (std::string_view piece : pieces) line += piece;
    throw KeyBindingError(line);
}

// The keys a name stands for: one place, two (an alias such as Shift), or a label.
std::vector<BoundKey> keys_named(std::string_view name) {
    const std::string_view window_keys[] = {"F11", "AltLeft", "AltRight", "Alt", "LeftAlt", "RightAlt"};
    for (std::string_view w : window_keys)
        if (same_words(name, w))
            refuse({"key \"", name,
                    "\" belongs to the window (F11 and Alt+Enter toggle fullscreen, Alt the desktop's shortcuts)"});
    for (const Alias& alias : kAliases)
        if (same_words(name, alias.name)) {
            std::vector<BoundKey> keys;
            for (std::string_view place : alias.places)
                if (!place.empty()) keys.push_back({place_index(place), 0});
            return keys;
        }
    for (std::size_t n = 0; n < key_places().size(); ++n)
        if (same_words(name, key_places()[n].name)) return {{int(n), 0}};
    if (const auto c = single_character(name)) return {{-1, key_label(*c)}};
    refuse({"unknown key \"", name,
            "\": name a key by its place (KeyW, Space, RightCtrl, Numpad0, ArrowUp) or by its label (W)"});
}

std::string key_name(int place) { return std::string(key_places()[std::size_t(place)].name); }

}  // namespace

char32_t key_label(char32_t c) { return c >= U'a' && c <= U'z' ? c - U'a' + U'A' : c; }

KeyBindings::KeyBindings() {
    keys_[up] = {{place_index("ArrowUp"), 0}};
    keys_[down] = {{place_index("ArrowDown"), 0}};
    keys_[left] = {{place_index("ArrowLeft"), 0}};
    keys_[right] = {{place_index("ArrowRight"), 0}};
    keys_[fire] = {{place_index("KeyZ"), 0}, {-1, U'Z'}};
    keys_[start] = {{place_index("Enter"), 0}, {place_index("NumpadEnter"), 0}};
}

KeyBindings KeyBindings::parse(std::string_view text) {
    KeyBindings b;
    std::size_t from = 0;
    do {
        const std::size_t comma = std::min(text.find(',', from), text.size());
        const std::string_view item = trimmed(text.substr(from, comma - from));
        from = comma + 1;
        if (same_words(item, "left-hand")) {
            b = parse("up=KeyW,left=KeyA,down=KeyS,right=KeyD,fire=Space+Shift");
            continue;
        }
        if (same_words(item, "right-hand")) {
            b = parse("fire=RightCtrl+Numpad0+Enter,start=NumpadEnter");
            continue;
        }
        const std::size_t equals = item.find('=');
        if (equals == std::string_view::npos)
            refuse({"the items are left-hand, right-hand or ROLE=KEY[+KEY...], not \"", item,
                    "\"; for example fire=Space+KeyJ,up=KeyW"});
        const std::string_view role_name = trimmed(item.substr(0, equals));
        const auto role = std::find_if(kRoleNames.begin(), kRoleNames.end(),
                                       [&](std::string_view r) { return same_words(r, role_name); });
        if (role == kRoleNames.end())
            refuse({"unknown role \"", role_name, "\" (the roles: up, down, left, right, fire, start)"});
        std::vector<BoundKey>& keys = b.keys_[std::size_t(role - kRoleNames.begin())];
        keys.clear();
        for (std::string_view rest = item.substr(equals + 1);;) {
            const std::size_t plus = std::min(rest.find('+', 1), rest.size());  // "+" alone is a label
            const std::string_view name = trimmed(rest.substr(0, plus));
            if (name.empty()) refuse({"role \"", role_name, "\" needs a key"});
            for (const BoundKey& k : keys_named(name))
                if (std::find(keys.begin(), keys.end(), k) == keys.end()) keys.push_back(k);
            if (plus == rest.size()) break;
            rest = rest.substr(plus + 1);
        }
    } while (from <= text.size());
    for (std::size_t r = 0; r < kRoles; ++r)
        for (std::size_t other = r + 1; other < kRoles; ++other)
            for (const BoundKey& k : b.keys_[r])
                if (std::find(b.keys_[other].begin(), b.keys_[other].end(), k) != b.keys_[other].end())
                    refuse({"key \"", k.place >= 0 ? key_name(k.place) : utf8(k.label),
                            "\" has two roles: ", kRoleNames[r], " and ", kRoleNames[other]});
    return b;
}

int KeyBindings::code(const PressedKey& key) const {
    for (std::size_t r = 0; r < kRoles; ++r)
        for (const BoundKey& k : keys_[r])
            if (k.place >= 0 && k.place == key.place) return kRoleCodes[r];
    const char32_t label = key_label(key.label);
    for (std::size_t r = 0; label != 0 && r < kRoles; ++r)
        for (const BoundKey& k : keys_[r])
            if (k.place < 0 && k.label == label) return kRoleCodes[r];
    const int code = code_of_place(key.place);
    return std::find(kRoleCodes.begin(), kRoleCodes.end(), code) == kRoleCodes.end() ? code : kKeyOther;
}

bool KeyBindings::usual() const { return keys_ == KeyBindings().keys_; }

std::string KeyBindings::describe(const std::function<char32_t(int place)>& label_here) const {
    std::string text;
    for (std::size_t r = 0; r < kRoles; ++r) {
        // Appended piece by piece: "" + std::string makes g++ 12 see a copy of a huge size that is
        // not there (GCC bug 105329, an error with -Werror and -flto).
        if (r != 0) text += "; ";
        text += kRoleNames[r];
        text += ':';
        const char* joint = " ";
        for (const BoundKey& k : keys_[r]) {
            text += joint;
            joint = " or ";
            if (k.place < 0) {
                text += "the key labelled ";
                append_utf8(text, k.label);
                continue;
            }
            text += key_name(k.place);
            const char32_t here = label_here ? key_label(label_here(k.place)) : 0;
            const std::string_view name = key_places()[std::size_t(k.place)].name;
            // Only a label that says something: KeyW labelled W on this keyboard goes without.
            if (here != 0 && !(name.size() == 4 && name.substr(0, 3) == "Key" && char32_t(name[3]) == here)) {
                text += " (";
                append_utf8(text, here);
                text += " here)";
            }
        }
    }
    return text;
}

}  // namespace kx

#include "run/key_routing.h"

#include <utility>

#include "elements/virtual_keys.h"
#include "play/game_keys.h"

namespace kx {
namespace {

bool closes_box(int code, bool from_pad) {
    if (code == kKeyReturn || code == kKeySpace || code == kKeyEscape) return true;
    return from_pad && code == kGameKeys.fire;  // a controller's A and B; the keyboard's fire key does not
}

bool pause_key(int code) { return code == kKeyP || code == kKeyPause; }
bool resume_key(int code) { return pause_key(code) || code == kKeyReturn; }

}  // namespace

KeyRoute KeyRouter::route(bool down, int code, bool from_pad, const KeyGate& gate) {
    if (!down) {
        if (gate.box_open) {
            // The game hears this release when the box has closed; the key is free for the box now.
            if (held_.erase(code) != 0) let_go_in_box_.insert(code);
            return KeyRoute::box_release;
        }
        // The keys down in the game are the replay's: the player's releases are not.
        if (gate.replaying) return KeyRoute::none;
        // A release reaches the game whenever its press did, whatever happened in between.
        return held_.erase(code) != 0 ? KeyRoute::to_game : KeyRoute::none;
    }
    // A key held since before the game over repeats: only a fresh press counts.
    if (gate.box_open)
        return closes_box(code, from_pad) && held_.count(code) == 0 ? KeyRoute::box_press : KeyRoute::none;
    if (gate.paused) return resume_key(code) ? KeyRoute::resume : KeyRoute::none;
    if (gate.replaying) return code == kKeyEscape ? KeyRoute::take_over : KeyRoute::watch;
    if (gate.playing && pause_key(code)) return KeyRoute::pause;
    held_.insert(code);  // repeats too: the game hears the desktop's key repeat
    return KeyRoute::to_game;
}

void KeyRouter::replayed(bool down, int code) {
    if (down)
        held_.insert(code);
    else
        held_.erase(code);
}

std::set<int> KeyRouter::let_go_all() { return std::exchange(held_, {}); }

std::set<int> KeyRouter::box_closed(bool replaying) {
    auto let_go = std::exchange(let_go_in_box_, {});
    if (replaying) return {};
    held_.insert(let_go.begin(), let_go.end());
    return let_go_all();
}

}  // namespace kx

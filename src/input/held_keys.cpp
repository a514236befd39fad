// The keys held, by place, with the codes their presses sent.
#include "input/held_keys.h"

namespace kx {

int HeldKeys::press(const PressedKey& key) {
    const int code = bindings_.code(key);
    codes_[key.place] = code;
    return code;
}

int HeldKeys::release(const PressedKey& key) {
    const auto held = codes_.find(key.place);
    if (held == codes_.end()) return bindings_.code(key);
    const int code = held->second;
    codes_.erase(held);
    return code;
}

void HeldKeys::let_go(const std::function<bool(int place)>& still_down, const std::function<void(int code)>& up) {
    for (auto it = codes_.begin(); it != codes_.end();) {
        if (still_down(it->first)) {
            ++it;
            continue;
        }
        up(it->second);
        it = codes_.erase(it);
    }
}

}  // namespace kx

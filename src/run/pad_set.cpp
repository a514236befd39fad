#include "run/pad_set.h"

#include <algorithm>
#include <utility>

namespace kx {

void PadSet::button(int pad, GamepadKeys::Button button, bool pressed, std::int64_t now_ms) {
    pads_[pad].button(button, pressed, now_ms, keys_);
}

void PadSet::stick(int pad, int x, int y, std::int64_t now_ms) { pads_[pad].stick(x, y, now_ms, keys_); }

void PadSet::stick_axis(int pad, bool vertical, int value, std::int64_t now_ms) {
    pads_[pad].stick_axis(vertical, value, now_ms, keys_);
}

void PadSet::gone(int pad) {
    const auto it = pads_.find(pad);
    if (it == pads_.end()) return;
    it->second.release_all(keys_);
    pads_.erase(it);
}

void PadSet::repeat(std::int64_t now_ms) {
    for (auto& [pad, keys] : pads_) keys.repeat(now_ms, keys_);
}

std::optional<std::int64_t> PadSet::next_repeat_ms() const {
    std::optional<std::int64_t> at;
    for (const auto& [pad, keys] : pads_)
        if (const auto repeat = keys.next_repeat_ms()) at = std::min(at.value_or(*repeat), *repeat);
    return at;
}

std::vector<VirtualKey> PadSet::take_keys() { return std::exchange(keys_, {}); }

}  // namespace kx

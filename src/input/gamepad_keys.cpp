// Game controller input turned into virtual key events.
#include "input/gamepad_keys.h"

#include <algorithm>

namespace kx {

void GamepadKeys::set(Key key, unsigned source, bool on, std::int64_t now_ms, std::vector<VirtualKey>& out) {
    const unsigned before = held_[key];
    held_[key] = on ? (before | source) : (before & ~source);
    if (!before && held_[key]) {
        out.push_back({true, kCodes[key]});
        repeating_ = key;
        next_repeat_ = now_ms + kRepeatDelayMs;
    } else if (before && !held_[key]) {
        out.push_back({false, kCodes[key]});
        if (repeating_ == key) repeating_.reset();
    }
}

void GamepadKeys::button(Button b, bool pressed, std::int64_t now_ms, std::vector<VirtualKey>& out) {
    switch (b) {
        case Button::DpadLeft: set(kLeft, kFromPad, pressed, now_ms, out); break;
        case Button::DpadUp: set(kUp, kFromPad, pressed, now_ms, out); break;
        case Button::DpadRight: set(kRight, kFromPad, pressed, now_ms, out); break;
        case Button::DpadDown: set(kDown, kFromPad, pressed, now_ms, out); break;
        case Button::A: set(kFire, kFromA, pressed, now_ms, out); break;
        case Button::B: set(kFire, kFromB, pressed, now_ms, out); break;
        case Button::Start: set(kStart, kFromPad, pressed, now_ms, out); break;
    }
}

void GamepadKeys::steer(int value, Key negative, Key positive, std::int64_t now_ms, std::vector<VirtualKey>& out) {
    // Two thresholds, so that a stick resting near the edge does not chatter.
    auto update = [&](Key key, int along) {
        const bool held = held_[key] & kFromStick;
        if (!held && along >= kStickThreshold) set(key, kFromStick, true, now_ms, out);
        if (held && along < kStickRelease) set(key, kFromStick, false, now_ms, out);
    };
    update(negative, -value);
    update(positive, value);
}

void GamepadKeys::stick_axis(bool vertical, int value, std::int64_t now_ms, std::vector<VirtualKey>& out) {
    steer(value, vertical ? kUp : kLeft, vertical ? kDown : kRight, now_ms, out);
}

void GamepadKeys::stick(int x, int y, std::int64_t now_ms, std::vector<VirtualKey>& out) {
    steer(x, kLeft, kRight, now_ms, out);
    steer(y, kUp, kDown, now_ms, out);
}

void GamepadKeys::repeat(std::int64_t now_ms, std::vector<VirtualKey>& out) {
    if (!repeating_ || next_repeat_ > now_ms) return;
    out.push_back({true, kCodes[*repeating_]});
    // One repeat per call: a loop that woke late (a stall, a window being dragged) gets no burst.
    next_repeat_ = std::max(next_repeat_ + kRepeatEveryMs, now_ms + 1);
}

std::optional<std::int64_t> GamepadKeys::next_repeat_ms() const {
    if (!repeating_) return std::nullopt;
    return next_repeat_;
}

void GamepadKeys::release_all(std::vector<VirtualKey>& out) {
    for (int k = 0; k < kKeys; ++k)
        if (held_[std::size_t(k)]) set(Key(k), held_[std::size_t(k)], false, 0, out);
}

}  // namespace kx

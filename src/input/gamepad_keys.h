// A game controller (or the page's touch pad) as the keyboard the game knows: the D-pad and the
// left stick steer, A and B fire, Start is the start key; held keys repeat like a keyboard's.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <vector>

#include "play/game_keys.h"

namespace kx {

struct VirtualKey {
    bool down;
    int code;
    friend bool operator==(const VirtualKey&, const VirtualKey&) = default;
};

class GamepadKeys {
public:
    enum class Button { DpadLeft, DpadUp, DpadRight, DpadDown, A, B, Start };

    static constexpr std::int64_t kRepeatDelayMs = 660;  // the desktop's usual keyboard repeat
    static constexpr std::int64_t kRepeatEveryMs = 40;
    static constexpr int kStickThreshold = 16384;  // half way: the arrow goes down
    static constexpr int kStickRelease = 12000;    // and comes up again below this

    void button(Button b, bool pressed, std::int64_t now_ms, std::vector<VirtualKey>& out);
    // The left stick, each axis from -32768 to 32767 (y grows downwards).
    void stick(int x, int y, std::int64_t now_ms, std::vector<VirtualKey>& out);
    // One of its axes alone, for systems that report them one at a time.
    void stick_axis(bool vertical, int value, std::int64_t now_ms, std::vector<VirtualKey>& out);
    // Emits the repeats that are due by now.
    void repeat(std::int64_t now_ms, std::vector<VirtualKey>& out);
    // When the next repeat is due, if a key is held.
    std::optional<std::int64_t> next_repeat_ms() const;
    // The controller went away: every key it held comes up.
    void release_all(std::vector<VirtualKey>& out);

private:
    // Each virtual key is held by any of several sources (the D-pad, the stick, two buttons).
    enum Key { kLeft, kUp, kRight, kDown, kFire, kStart, kKeys };
    static constexpr std::array<int, kKeys> kCodes{kGameKeys.left, kGameKeys.up,   kGameKeys.right,
                                                   kGameKeys.down, kGameKeys.fire, kGameKeys.start};
    enum Source : unsigned { kFromPad = 1, kFromStick = 2, kFromA = 4, kFromB = 8 };

    void set(Key key, unsigned source, bool on, std::int64_t now_ms, std::vector<VirtualKey>& out);
    void steer(int value, Key negative, Key positive, std::int64_t now_ms, std::vector<VirtualKey>& out);

    std::array<unsigned, kKeys> held_{};
    std::optional<Key> repeating_;  // like a keyboard, only the key pressed last repeats
    std::int64_t next_repeat_ = 0;
};

}  // namespace kx

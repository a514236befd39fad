// The controllers in use, each under the number its front end gives it (the page's touch pad is
// one too), and the key events they make for the game.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <vector>

#include "input/gamepad_keys.h"

namespace kx {

class PadSet {
public:
    void button(int pad, GamepadKeys::Button button, bool pressed, std::int64_t now_ms);
    void stick(int pad, int x, int y, std::int64_t now_ms);
    void stick_axis(int pad, bool vertical, int value, std::int64_t now_ms);
    // The controller went away: its keys come up.
    void gone(int pad);
    // The held keys' repeats that are due.
    void repeat(std::int64_t now_ms);
    std::optional<std::int64_t> next_repeat_ms() const;
    // The key events made since this was last asked.
    std::vector<VirtualKey> take_keys();

private:
    std::map<int, GamepadKeys> pads_;
    std::vector<VirtualKey> keys_;
};

}  // namespace kx

// A game controller as the game's keyboard: its steering, fire and start keys, with a keyboard's repeats.
#include <gtest/gtest.h>

#include "input/gamepad_keys.h"

namespace kx {
namespace {

constexpr int kLeft = kGameKeys.left, kUp = kGameKeys.up, kRight = kGameKeys.right, kDown = kGameKeys.down;
constexpr int kFire = kGameKeys.fire, kStart = kGameKeys.start;

using B = GamepadKeys::Button;
using Keys = std::vector<VirtualKey>;

TEST(GamepadKeys, ButtonsPressAndReleaseTheirKeys) {
    GamepadKeys pad;
    Keys out;
    pad.button(B::DpadLeft, true, 0, out);
    pad.button(B::A, true, 0, out);
    pad.button(B::Start, true, 0, out);
    pad.button(B::DpadLeft, false, 0, out);
    EXPECT_EQ(out, (Keys{{true, kLeft}, {true, kFire}, {true, kStart}, {false, kLeft}}));
}

TEST(GamepadKeys, AKeyHeldFromTwoSourcesComesUpOnlyWhenBothLetGo) {
    GamepadKeys pad;
    Keys out;
    pad.button(B::A, true, 0, out);
    pad.button(B::B, true, 0, out);
    pad.button(B::A, false, 0, out);
    EXPECT_EQ(out, (Keys{{true, kFire}}));
    pad.button(B::B, false, 0, out);
    EXPECT_EQ(out.back(), (VirtualKey{false, kFire}));
    out.clear();
    pad.button(B::DpadDown, true, 0, out);
    pad.stick(0, 30000, 0, out);  // the stick down too
    pad.button(B::DpadDown, false, 0, out);
    EXPECT_EQ(out, (Keys{{true, kDown}}));
    pad.stick(0, 0, 0, out);
    EXPECT_EQ(out.back(), (VirtualKey{false, kDown}));
}

TEST(GamepadKeys, StickHasTwoThresholdsSoItDoesNotChatter) {
    GamepadKeys pad;
    Keys out;
    pad.stick(-16000, 0, 0, out);
    EXPECT_TRUE(out.empty());
    pad.stick(-16384, 0, 0, out);
    EXPECT_EQ(out, (Keys{{true, kLeft}}));
    pad.stick(-13000, 0, 0, out);  // wobbling between the thresholds
    pad.stick(-17000, 0, 0, out);
    EXPECT_EQ(out.size(), 1u);
    pad.stick(-11999, 0, 0, out);
    EXPECT_EQ(out.back(), (VirtualKey{false, kLeft}));
    out.clear();
    pad.stick(32767, -32768, 0, out);  // diagonal: right and up
    EXPECT_EQ(out, (Keys{{true, kRight}, {true, kUp}}));
}

TEST(GamepadKeys, TheLastKeyPressedRepeatsLikeAKeyboard) {
    GamepadKeys pad;
    Keys out;
    EXPECT_FALSE(pad.next_repeat_ms().has_value());
    pad.button(B::DpadUp, true, 1000, out);
    pad.button(B::A, true, 1100, out);
    out.clear();
    EXPECT_EQ(*pad.next_repeat_ms(), 1100 + GamepadKeys::kRepeatDelayMs);
    pad.repeat(1100 + GamepadKeys::kRepeatDelayMs - 1, out);
    EXPECT_TRUE(out.empty());
    pad.repeat(1100 + GamepadKeys::kRepeatDelayMs, out);
    pad.repeat(1100 + GamepadKeys::kRepeatDelayMs + GamepadKeys::kRepeatEveryMs, out);
    EXPECT_EQ(out, (Keys{{true, kFire}, {true, kFire}}));
    // After a long hold-up there is one repeat, not a burst.
    out.clear();
    pad.repeat(100000, out);
    EXPECT_EQ(out.size(), 1u);
    pad.button(B::A, false, 100001, out);
    EXPECT_FALSE(pad.next_repeat_ms().has_value());  // Up is still held but no longer repeats
}

TEST(GamepadKeys, PullingTheControllerOutReleasesEverything) {
    GamepadKeys pad;
    Keys out;
    pad.button(B::DpadRight, true, 0, out);
    pad.button(B::B, true, 0, out);
    out.clear();
    pad.release_all(out);
    EXPECT_EQ(out, (Keys{{false, kRight}, {false, kFire}}));
    EXPECT_FALSE(pad.next_repeat_ms().has_value());
}

}  // namespace
}  // namespace kx

// The Windows front end's controllers: XInput's states, from made-up controllers, reach the game
// with the desktop's mapping (read back from the recording the driver writes); controllers come
// and go while the game runs; and empty slots, slow to read, are looked at only now and then.
#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>

#include "formats/byte_sink.h"
#include "formats/input_script.h"
#include "play/game_keys.h"
#include "run/driver.h"
#include "test_support.h"
#include "windows/xinput_pads.h"

namespace kx {
namespace {

constexpr std::int64_t kMs = 1'000'000;

class Controllers : public ::testing::Test {
protected:
    Controllers() {
        DriverSetup setup;
        setup.base_seed = 1;
        setup.recording = &recording_;
        driver_ = std::make_unique<Driver>(text_, std::move(setup), now_);
    }

    // Plugs a controller into a slot, or changes what it holds.
    void hold(DWORD slot, WORD buttons, SHORT x = 0, SHORT y = 0) {
        XINPUT_STATE state{};
        state.dwPacketNumber = ++packet_;
        state.Gamepad.wButtons = buttons;
        state.Gamepad.sThumbLX = x;
        state.Gamepad.sThumbLY = y;
        slots_[slot] = state;
    }
    void pull_out(DWORD slot) { slots_[slot].reset(); }
    // Time goes on by `ms`, and the front end polls when the controllers want it to.
    void run_for(std::int64_t ms) {
        const std::int64_t until = now_ + ms * kMs;
        while (pads_.next_poll() <= until) {
            now_ = std::max(now_, pads_.next_poll());
            pads_.poll(*driver_, now_);
        }
        now_ = until;
    }
    // What the game heard, as "down 39" and "up 39".
    std::vector<std::string> heard() const {
        std::vector<std::string> keys;
        for (const KeyEvent& e : parse_input_text(recording_.text(), "recording").events)
            keys.push_back((e.down ? "down " : "up ") + std::to_string(e.code));
        return keys;
    }
    static std::string down(int code) { return "down " + std::to_string(code); }
    static std::string up(int code) { return "up " + std::to_string(code); }

    std::array<std::optional<XINPUT_STATE>, XUSER_MAX_COUNT> slots_;
    std::array<int, XUSER_MAX_COUNT> reads_{};
    DWORD packet_ = 0;
    XInputPads pads_{[this](DWORD slot, XINPUT_STATE* state) -> DWORD {
        ++reads_[slot];
        if (!slots_[slot]) return ERROR_DEVICE_NOT_CONNECTED;
        *state = *slots_[slot];
        return ERROR_SUCCESS;
    }};
    test::BlockText text_;
    StringSink recording_;
    std::int64_t now_ = 5'000 * kMs;
    std::unique_ptr<Driver> driver_;
};

TEST_F(Controllers, PluggedInWhileRunningPlayedAndPulledOut) {
    run_for(100);
    EXPECT_TRUE(heard().empty());
    hold(2, 0);
    pads_.look_again();  // Windows says a device came
    run_for(10);
    hold(2, XINPUT_GAMEPAD_START);  // starts the game from the title
    run_for(10);
    hold(2, 0);
    run_for(10);
    hold(2, XINPUT_GAMEPAD_A | XINPUT_GAMEPAD_DPAD_RIGHT);
    run_for(10);
    pull_out(2);  // whatever it held comes up
    run_for(10);
    EXPECT_EQ(heard(), (std::vector<std::string>{down(kGameKeys.start), up(kGameKeys.start), down(kGameKeys.right),
                                                 down(kGameKeys.fire), up(kGameKeys.right), up(kGameKeys.fire)}));
}

TEST_F(Controllers, TheLeftStickSteersWithUpPointingUp) {
    hold(0, 0);
    run_for(10);
    hold(0, 0, 0, 30000);  // XInput's y grows upwards
    run_for(10);
    hold(0, 0, -30000, 0);
    run_for(10);
    // Both axes in one call, across before down.
    EXPECT_EQ(heard(), (std::vector<std::string>{down(kGameKeys.up), down(kGameKeys.left), up(kGameKeys.up)}));
}

TEST_F(Controllers, LosingTheKeyboardLetsGoAndAHeldButtonCountsAgainAfter) {
    hold(1, XINPUT_GAMEPAD_B);
    run_for(10);
    pads_.let_go(*driver_, now_);
    EXPECT_EQ(heard(), (std::vector<std::string>{down(kGameKeys.fire), up(kGameKeys.fire)}));
    run_for(10);  // the window has the keyboard again; B is still held
    EXPECT_EQ(heard().back(), down(kGameKeys.fire));
}

TEST_F(Controllers, EmptySlotsAreLookedAtEveryTwoSecondsAndAControllerEveryFewMilliseconds) {
    hold(0, 0);
    run_for(1000);
    // Slot 0 on every poll (125 a second); the three empty ones once at the start.
    EXPECT_GE(reads_[0], 120);
    EXPECT_LE(reads_[0], 130);
    EXPECT_EQ(reads_[3], 1);
    hold(3, XINPUT_GAMEPAD_A);
    run_for(900);
    EXPECT_EQ(reads_[3], 1);  // not looked at yet
    EXPECT_TRUE(heard().empty());
    run_for(200);
    EXPECT_EQ(heard(), (std::vector<std::string>{down(kGameKeys.fire)}));
}

}  // namespace
}  // namespace kx

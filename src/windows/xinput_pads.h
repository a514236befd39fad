// Game controllers through XInput: each of its four slots read while the window has the
// keyboard, and what changed (buttons, the left stick, a controller plugged in or pulled out)
// handed to the driver, which maps it to the game's keys as on every platform.
#pragma once

#include <windows.h>
#include <xinput.h>

#include <cstdint>
#include <functional>
#include <optional>

#include "run/driver.h"
#include "run/polled_pads.h"

namespace kx {

class XInputPads {
public:
    // XInputGetState's shape: ERROR_SUCCESS and the state, or ERROR_DEVICE_NOT_CONNECTED.
    using ReadState = std::function<DWORD(DWORD slot, XINPUT_STATE* state)>;

    // Reads through XInput (xinput1_4.dll, or xinput9_1_0.dll before Windows 8); without either
    // there are no controllers.
    XInputPads();
    // Reads through `read` instead (the tests' controllers).
    explicit XInputPads(ReadState read) : read_(std::move(read)) {}
    ~XInputPads();
    XInputPads(const XInputPads&) = delete;
    XInputPads& operator=(const XInputPads&) = delete;

    // Reads the slots that are due and tells the driver what changed.
    void poll(Driver& driver, std::int64_t now);
    // A device came or went: the empty slots are looked at on the next poll.
    void look_again() { pads_.look_again(); }
    // The window lost the keyboard: controllers are not read until it has it again (poll() is not
    // called meanwhile), and each lets go of its keys in the game, as if pulled out; they come
    // back as plugged in.
    void let_go(Driver& driver, std::int64_t now) { pads_.let_go(driver, now); }
    // When poll() has something to do next (INT64_MAX: never).
    std::int64_t next_poll() const { return read_ ? pads_.next_poll() : INT64_MAX; }

private:
    std::optional<PadReading> read_slot(DWORD slot) const;

    HMODULE library_ = nullptr;
    ReadState read_;
    PolledPads pads_{XUSER_MAX_COUNT};
};

}  // namespace kx

// Controllers read by polling (XInput), each under its slot's number: connected slots are read
// often and empty ones only now and then (reading an empty slot can cost the system a search
// for devices); what changed between two readings (a button, the left stick, a controller
// plugged in or pulled out) goes to the driver, which maps it to the game's keys.
#pragma once

#include <cstdint>
#include <optional>
#include <vector>

#include "input/gamepad_keys.h"
#include "run/driver.h"

namespace kx {

// A controller's state as read: bit n of `buttons` is GamepadKeys::Button n; the left stick's
// axes -32768..32767, y downwards.
struct PadReading {
    unsigned buttons = 0;
    int x = 0, y = 0;
    friend bool operator==(const PadReading&, const PadReading&) = default;
};

class PolledPads {
public:
    static constexpr std::int64_t kReadEveryNs = 8'000'000;  // a connected controller: 125 times a second
    static constexpr std::int64_t kLookEveryNs = 2'000'000'000;

    explicit PolledPads(int slots) : slots_(std::size_t(slots)) {}

    // The slots to read now: all of them when it is time to look for controllers, else the
    // connected ones; none before the next read is due.
    std::vector<int> due(std::int64_t now);
    // What reading a slot gave: its state, or nothing when no controller is there.
    void read(int slot, const std::optional<PadReading>& reading, Driver& driver, std::int64_t now);
    // A device came or went: the empty slots are looked at on the next poll.
    void look_again() { next_look_ = 0; }
    // Each controller lets go of its keys in the game, as if pulled out; they come back as
    // plugged in when read again.
    void let_go(Driver& driver, std::int64_t now);
    // When due() has something to read next.
    std::int64_t next_poll() const;

private:
    std::vector<std::optional<PadReading>> slots_;  // nothing: no controller in the slot
    std::int64_t next_read_ = 0, next_look_ = 0;
};

}  // namespace kx

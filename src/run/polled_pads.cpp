#include "run/polled_pads.h"

#include <algorithm>

namespace kx {

std::vector<int> PolledPads::due(std::int64_t now) {
    const bool look = now >= next_look_;
    if (!look && now < next_read_) return {};
    if (look) next_look_ = now + kLookEveryNs;
    next_read_ = now + kReadEveryNs;
    std::vector<int> slots;
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        if (look || slots_[slot]) slots.push_back(int(slot));
    return slots;
}

void PolledPads::read(int slot, const std::optional<PadReading>& reading, Driver& driver, std::int64_t now) {
    std::optional<PadReading>& was = slots_.at(std::size_t(slot));
    if (!reading) {
        if (was) driver.pad_gone(slot, now);
        was.reset();
        return;
    }
    const PadReading old = was.value_or(PadReading{});
    for (int b = 0; b <= int(GamepadKeys::Button::Start); ++b) {
        const unsigned bit = 1U << b;
        if ((reading->buttons & bit) != (old.buttons & bit))
            driver.pad_button(slot, GamepadKeys::Button(b), (reading->buttons & bit) != 0, now);
    }
    if (reading->x != old.x || reading->y != old.y) driver.pad_stick(slot, reading->x, reading->y, now);
    was = reading;
}

void PolledPads::let_go(Driver& driver, std::int64_t now) {
    for (std::size_t slot = 0; slot < slots_.size(); ++slot)
        if (slots_[slot]) driver.pad_gone(int(slot), now);
    std::fill(slots_.begin(), slots_.end(), std::nullopt);
    next_look_ = 0;
}

std::int64_t PolledPads::next_poll() const {
    const bool any = std::any_of(slots_.begin(), slots_.end(), [](const auto& s) { return s.has_value(); });
    return any ? std::min(next_read_, next_look_) : next_look_;
}

}  // namespace kx

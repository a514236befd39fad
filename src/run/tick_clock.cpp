// The tick clock's arithmetic.
#include "run/tick_clock.h"

namespace kx {

void TickClock::start(std::int64_t now) {
    epoch_ = now;
    taken_ = 0;
    paused_ = false;
}

bool TickClock::take_due(std::int64_t now) {
    if (paused_ || now < epoch_) return false;
    const std::int64_t due = (now - epoch_) / period_;
    if (due - taken_ > max_catch_up_) {  // no burst after a stall
        skipped_ += due - max_catch_up_ - taken_;
        taken_ = due - max_catch_up_;
    }
    if (taken_ >= due) return false;
    ++taken_;
    return true;
}

void TickClock::pause(std::int64_t now) {
    if (paused_) return;
    paused_ = true;
    paused_at_ = now;
}

void TickClock::resume(std::int64_t now) {
    if (!paused_) return;
    paused_ = false;
    epoch_ += now - paused_at_;
}

}  // namespace kx

// The null front end's loop.
#include "null/null_front_end.h"

#include <algorithm>

namespace kx {

void NullFrontEnd::click(int frame_x, int frame_y) {
    driver_.pointer_down(frame_x, frame_y);
    driver_.pointer_up(frame_x, frame_y, now_);
}

void NullFrontEnd::wake(std::int64_t at) {
    now_ = std::max(now_, at);
    ++wake_ups_;
    driver_.advance(now_);
    if (driver_.present_due(now_)) {
        *screen_ = driver_.present(now_);
        shown_at_.push_back(now_);
    }
}

void NullFrontEnd::run_for(std::int64_t ns) {
    const std::int64_t until = now_ + ns;
    for (std::int64_t at = driver_.wake_at(); at <= until; at = driver_.wake_at()) wake(at);
    now_ = until;
}

}  // namespace kx

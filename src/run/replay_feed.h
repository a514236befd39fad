// The events of a replay, handed to the game when they are due: once the tick count reaches the
// event's stamp, or at once while no timer runs (no tick can come to reach it). Every front end
// replays through this one rule, so a recording plays the same in each.
#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/input_script.h"

namespace kx {

class ReplayFeed {
public:
    // Events stamped at or beyond the tick limit never come: the run ends before them.
    explicit ReplayFeed(std::vector<KeyEvent> events, std::int64_t tick_limit = INT64_MAX)
        : events_(std::move(events)) {
        std::erase_if(events_, [&](const KeyEvent& e) { return e.tick >= tick_limit; });
    }

    // The next event, if it is due; one stamped at or beyond `tick_limit` is not.
    const KeyEvent* due(std::int64_t ticks, bool timers_running, std::int64_t tick_limit = INT64_MAX) const {
        if (next_ >= events_.size()) return nullptr;
        const KeyEvent& e = events_[next_];
        if (e.tick >= tick_limit) return nullptr;
        return e.tick <= ticks || !timers_running ? &e : nullptr;
    }
    void pop() { ++next_; }
    // No events left: the replay is over.
    bool done() const { return next_ >= events_.size(); }
    // Ends the replay early (the player took over).
    void stop() { next_ = events_.size(); }
    // How many events came so far; going back to a moment of the replay sets it again.
    std::size_t position() const { return next_; }
    void set_position(std::size_t next) { next_ = std::min(next, events_.size()); }
    const std::vector<KeyEvent>& events() const { return events_; }

private:
    std::vector<KeyEvent> events_;
    std::size_t next_ = 0;
};

}  // namespace kx

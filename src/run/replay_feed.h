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

    // The next event, if it is due.
    const KeyEvent* due(std::int64_t ticks, bool timers_running) const {
        if (next_ >= events_.size()) return nullptr;
        const KeyEvent& e = events_[next_];
        return e.tick <= ticks || !timers_running ? &e : nullptr;
    }
    void pop() { ++next_; }
    // No events left: the replay is over.
    bool done() const { return next_ >= events_.size(); }
    // Ends the replay early (the player took over).
    void stop() { next_ = events_.size(); }

private:
    std::vector<KeyEvent> events_;
    std::size_t next_ = 0;
};

}  // namespace kx

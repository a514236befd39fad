// The events of a replay, handed to the game when they are due: once the tick count reaches the
// event's stamp, or at once while no timer runs (no tick can come to reach it). Every front end
// replays through this one rule, so a recording plays the same in each.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "run/input_script.h"

namespace kx {

class ReplayFeed {
public:
    ReplayFeed() = default;
    explicit ReplayFeed(std::vector<KeyEvent> events) : events_(std::move(events)) {}

    // The next event, if it is due; events stamped at or beyond `tick_limit` never are.
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

private:
    std::vector<KeyEvent> events_;
    std::size_t next_ = 0;
};

}  // namespace kx

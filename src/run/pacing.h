// When ticks run and frames go out in real time: the tick clock, the display's refresh grid,
// whether something new waits to be shown and when the next frame may go, and the figures that
// --stats prints.
#pragma once

#include <cstdint>

#include "run/tick_clock.h"
#include "run/window_stats.h"

namespace kx {

class Pacing {
public:
    // refresh_hz 0: the front end's calls are paced by the display already.
    Pacing(int tick_rate, int refresh_hz, std::int64_t now);

    // Something new to show.
    void mark() { dirty_ = true; }
    // Whether ticks are due (a timer runs, no box, no pause): a new streak's first tick is due
    // one period from now, and only this time counts as running in the figures.
    void running(bool running, std::int64_t now);
    // The pause: the clock's grid moves on by the time spent paused.
    void pause(std::int64_t now);
    void resume(std::int64_t now);
    // Ticks come this far apart from now on (a watched replay's speed).
    void set_tick_period(std::int64_t period_ns, std::int64_t now);
    // Whether a tick is due by `now`; if so it counts as run and there is something new to show.
    bool take_tick(std::int64_t now);
    std::int64_t next_tick() const { return clock_.next_due(); }

    // The next wake-up, given the one the run needs anyway (`at`) and whether ticks run.
    std::int64_t wake_at(std::int64_t at, bool ticking) const;
    // Whether a frame should go out now; `paced`: play runs, at most one frame in each refresh.
    bool present_due(std::int64_t now, bool paced) const;
    void presented(std::int64_t now, bool running);
    void display_refresh(int hz, std::int64_t now);

    WindowStats& stats() { return stats_; }

private:
    std::int64_t refresh_ns_;
    WindowStats stats_;
    TickClock clock_;
    PresentGrid grid_;
    bool dirty_ = true;
    bool was_running_ = false;
    std::int64_t next_present_;
    std::int64_t skipped_seen_ = 0;
};

}  // namespace kx

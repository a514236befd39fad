// The null front end: every duty of a front end, with no system behind it. Its clock is made up,
// its events are calls, its screen is the last frame kept in memory. It is the recipe for a port
// (docs/architecture.md, "Porting a front end": each duty below is a line there) and the loop the
// tests drive the driver through, exactly as a real front end's.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "elements/frame.h"
#include "run/driver.h"

namespace kx {

class NullFrontEnd {
public:
    // Duty 1, the start, is the caller's: a window front end makes the driver with run/window_game.h
    // (its files, its setup) before its window is first shown, and hands it here with the clock's time.
    NullFrontEnd(Driver& driver, std::int64_t now) : driver_(driver), now_(now) {}

    // Duty 2: the system's events as driver calls, stamped with the clock's time. A real front
    // end first keeps its own keys (run/window_keys.h) and turns window points into frame points
    // (draw/scaling.h, frame_point).
    void key_down(int code) { driver_.key_down(code, now_); }
    void key_up(int code) { driver_.key_up(code, now_); }
    void focus_lost() { driver_.focus_lost(now_); }
    void click(int frame_x, int frame_y);

    // Duties 3 and 4: sleep until the driver's next wake-up (or the next event), do what is due,
    // and show the newest frame when one is due. Here the sleep is the clock jumping ahead: every
    // wake-up up to `ns` from now is kept, in order, as a real loop keeps them.
    void run_for(std::int64_t ns);

    std::int64_t now() const { return now_; }
    const Frame& screen() const { return *screen_; }  // what the display shows
    // When each frame went to the display, and how often the loop woke up.
    const std::vector<std::int64_t>& shown_at() const { return shown_at_; }
    std::int64_t wake_ups() const { return wake_ups_; }

private:
    void wake(std::int64_t at);

    Driver& driver_;
    std::int64_t now_;
    std::unique_ptr<Frame> screen_ = std::make_unique<Frame>();
    std::vector<std::int64_t> shown_at_;
    std::int64_t wake_ups_ = 0;
};

}  // namespace kx

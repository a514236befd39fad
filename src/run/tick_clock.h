// When ticks are due and when frames go out, as plain arithmetic on times in nanoseconds that the
// front end reads from its clock. Tick n of a running streak is due at start + n periods; after a
// stall at most a few late ticks run (no burst), and a pause moves the whole grid on.
#pragma once

#include <cstdint>

namespace kx {

// After a stall (window dragged, machine suspended) at most this many late ticks are run.
constexpr int kMaxCatchUpTicks = 4;
// The tick rates a player may ask for (--tick-rate, the page's ?tick-rate=), in ticks a second.
constexpr int kMinTickRate = 1;
constexpr int kMaxTickRate = 1000;
// 64 ticks a second: what a 1-millisecond periodic timer delivers on common desktops. A program
// may be built with another (KX_DEFAULT_TICK_RATE): the browser tests build one so, to see that
// the page plays at the program's rate and has none of its own.
#ifdef KX_DEFAULT_TICK_RATE
constexpr int kDefaultTickRate = KX_DEFAULT_TICK_RATE;
#else
constexpr int kDefaultTickRate = 64;
#endif
static_assert(kMinTickRate <= kDefaultTickRate && kDefaultTickRate <= kMaxTickRate);

class TickClock {
public:
    explicit TickClock(std::int64_t period_ns, int max_catch_up = kMaxCatchUpTicks)
        : period_(period_ns), max_catch_up_(max_catch_up) {}

    // A running streak begins now: its first tick is due one period from now.
    void start(std::int64_t now);
    // Whether a tick is due by `now`; if so it counts as run. Ticks more than the catch-up cap
    // behind are dropped first and counted in skipped().
    bool take_due(std::int64_t now);
    // When the next tick is due.
    std::int64_t next_due() const { return epoch_ + period_ * (taken_ + 1); }
    // How late the tick just taken is.
    std::int64_t late_ns(std::int64_t now) const { return now - (epoch_ + period_ * taken_); }

    // While paused no tick is due; on resuming the grid moves on by the time spent paused.
    void pause(std::int64_t now);
    void resume(std::int64_t now);

    std::int64_t skipped() const { return skipped_; }
    bool paused() const { return paused_; }

private:
    std::int64_t period_;
    int max_catch_up_;
    std::int64_t epoch_ = 0;  // tick n is due at epoch + n periods
    std::int64_t taken_ = 0;  // ticks of the streak taken so far
    std::int64_t skipped_ = 0;
    bool paused_ = false;
    std::int64_t paused_at_ = 0;
};

// The display's refreshes, as a grid that does not drift: at most one frame goes out in each.
// A refresh of 0 is no grid: the front end's calls are paced by the display already.
class PresentGrid {
public:
    PresentGrid(std::int64_t origin, std::int64_t refresh_ns) : origin_(origin), refresh_(refresh_ns) {}
    // The first refresh strictly after `now`.
    std::int64_t next_after(std::int64_t now) const {
        if (refresh_ <= 0) return now;
        if (now < origin_) return origin_;
        return origin_ + refresh_ * ((now - origin_) / refresh_ + 1);
    }

private:
    std::int64_t origin_, refresh_;
};

}  // namespace kx

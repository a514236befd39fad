#include "run/pacing.h"

#include <algorithm>

namespace kx {
namespace {

std::int64_t refresh_period(int hz) { return hz > 0 ? 1'000'000'000LL / hz : 0; }

}  // namespace

Pacing::Pacing(int tick_rate, int refresh_hz, std::int64_t now)
    : refresh_ns_(refresh_period(refresh_hz)),
      stats_(1'000'000'000LL / tick_rate, refresh_ns_),
      clock_(1'000'000'000LL / tick_rate),
      grid_(now, refresh_ns_),
      next_present_(now) {}

void Pacing::running(bool running, std::int64_t now) {
    if (running == was_running_) return;
    stats_.running(running, now);
    if (running) clock_.start(now);
    was_running_ = running;
}

void Pacing::pause(std::int64_t now) {
    clock_.pause(now);
    stats_.running(false, now);
    dirty_ = true;
}

void Pacing::resume(std::int64_t now) {
    clock_.resume(now);
    stats_.running(true, now);
    dirty_ = true;
}

void Pacing::set_tick_period(std::int64_t period_ns, std::int64_t now) {
    const bool paused = clock_.paused();
    clock_ = TickClock(period_ns);
    skipped_seen_ = 0;
    if (was_running_) clock_.start(now);
    if (paused) clock_.pause(now);
}

bool Pacing::take_tick(std::int64_t now) {
    if (!clock_.take_due(now)) return false;
    stats_.tick(clock_.late_ns(now));
    stats_.skipped(clock_.skipped() - skipped_seen_);
    skipped_seen_ = clock_.skipped();
    dirty_ = true;
    return true;
}

std::int64_t Pacing::wake_at(std::int64_t at, bool ticking) const {
    // While play runs, a frame goes out with the first tick of a refresh that has not had one:
    // the wake-up that runs the tick also shows it, and the loop wakes about half as often as
    // with a wake-up of its own for each frame. Only a tick rate slower than the refresh leaves
    // a refresh without a tick to show what changed meanwhile.
    if (dirty_ && !(ticking && at <= next_present_ + refresh_ns_)) return std::min(at, next_present_);
    return at;
}

bool Pacing::present_due(std::int64_t now, bool paced) const { return dirty_ && (now >= next_present_ || !paced); }

void Pacing::presented(std::int64_t now, bool running) {
    dirty_ = false;
    stats_.presented(running, now);
    next_present_ = grid_.next_after(now);
}

void Pacing::display_refresh(int hz, std::int64_t now) {
    refresh_ns_ = refresh_period(hz);
    grid_ = PresentGrid(now, refresh_ns_);
    stats_.refresh_period(refresh_ns_);
    next_present_ = std::min(next_present_, now);
}

}  // namespace kx

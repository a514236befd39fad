// The --stats figures.
#include "run/window_stats.h"

#include <algorithm>
#include <cstdio>

namespace kx {

void WindowStats::running(bool on, std::int64_t now_ns) {
    if (on == running_) return;
    if (on)
        running_since_ = now_ns;
    else
        running_ns_ += now_ns - running_since_;
    running_ = on;
}

void WindowStats::tick(std::int64_t late_ns) {
    ++ticks_;
    ++ticks_since_present_;
    max_late_ns_ = std::max(max_late_ns_, late_ns);
    if (late_ns > tick_period_ns_) ++late_;
}

void WindowStats::presented(bool while_running, std::int64_t now_ns) {
    if (presents_ == 0 && process_started_ns_) first_frame_ms_ = double(now_ns - *process_started_ns_) / 1e6;
    ++presents_;
    if (while_running) ++presents_running_;
    // Of the ticks run since the last frame only the newest is shown.
    if (ticks_since_present_ > 1) unshown_ += ticks_since_present_ - 1;
    ticks_since_present_ = 0;
}

double WindowStats::running_seconds(std::int64_t now_ns) const {
    return double(running_ns_ + (running_ ? now_ns - running_since_ : 0)) / 1e9;
}

std::int64_t WindowStats::repeated_refreshes(std::int64_t now_ns) const {
    if (refresh_period_ns_ <= 0) return 0;  // no refresh grid of our own
    const auto refreshes = std::int64_t(running_seconds(now_ns) * 1e9 / double(refresh_period_ns_));
    return std::max<std::int64_t>(0, refreshes - presents_running_);
}

std::string WindowStats::report(std::int64_t now_ns) const {
    const double seconds = running_seconds(now_ns);
    const double expected = seconds * 1e9 / double(tick_period_ns_);
    char buf[1024];
    std::snprintf(buf, sizeof buf,
                  "stats: %.3f s with a timer running; %lld ticks, %.0f expected (%+.3f%%)\n"
                  "stats: late ticks (over one period): %lld; latest tick %.2f ms after its time; "
                  "ticks dropped after stalls: %lld\n"
                  "stats: frames shown %lld; ticks never shown %lld (%.2f%%); refreshes without a new frame "
                  "%lld (tick %.2f Hz, refresh %.2f Hz)\n"
                  "stats: first frame %.1f ms after the process started; CPU %.3f s in %.3f s (%.2f%% of one "
                  "core)\n",
                  seconds, static_cast<long long>(ticks_), expected,
                  expected > 0 ? (double(ticks_) - expected) / expected * 100 : 0.0, static_cast<long long>(late_),
                  double(max_late_ns_) / 1e6, static_cast<long long>(skipped_), static_cast<long long>(presents_),
                  static_cast<long long>(unshown_), ticks_ ? double(unshown_) / double(ticks_) * 100 : 0.0,
                  static_cast<long long>(repeated_refreshes(now_ns)), 1e9 / double(tick_period_ns_),
                  refresh_period_ns_ > 0 ? 1e9 / double(refresh_period_ns_) : 0.0, first_frame_ms_, cpu_seconds_,
                  wall_seconds_, wall_seconds_ > 0 ? cpu_seconds_ / wall_seconds_ * 100 : 0.0);
    return buf;
}

}  // namespace kx

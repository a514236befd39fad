// Figures of a real-time run, printed by --stats when the game exits: the tick cadence
// against the clock, late ticks, and how the ticks met the display's refreshes.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace kx {

class WindowStats {
public:
    WindowStats(std::int64_t tick_period_ns, std::int64_t refresh_period_ns)
        : tick_period_ns_(tick_period_ns), refresh_period_ns_(refresh_period_ns) {}

    // The window moved to a display of another refresh rate.
    void refresh_period(std::int64_t ns) { refresh_period_ns_ = ns; }
    // A timer started or stopped running (the clock counts only while one runs).
    void running(bool on, std::int64_t now_ns);
    // A tick ran `late_ns` after it was due.
    void tick(std::int64_t late_ns);
    // Ticks dropped after a stall instead of being run in a burst.
    void skipped(std::int64_t ticks) { skipped_ += ticks; }
    // When the process started, on the clock of the times given here: the first frame's time
    // since then is a figure of its own.
    void process_started(std::int64_t ns) { process_started_ns_ = ns; }
    // A frame went to the screen.
    void presented(bool while_running, std::int64_t now_ns);
    void cpu(double cpu_seconds, double wall_seconds) {
        cpu_seconds_ = cpu_seconds;
        wall_seconds_ = wall_seconds;
    }

    std::string report(std::int64_t now_ns) const;

    std::int64_t ticks() const { return ticks_; }
    std::int64_t unshown_ticks() const { return unshown_; }
    std::int64_t late_ticks() const { return late_; }
    // Refreshes while a timer ran that showed no new frame.
    std::int64_t repeated_refreshes(std::int64_t now_ns) const;
    double running_seconds(std::int64_t now_ns) const;

private:
    std::int64_t tick_period_ns_, refresh_period_ns_;
    bool running_ = false;
    std::int64_t running_since_ = 0, running_ns_ = 0;
    std::int64_t ticks_ = 0, late_ = 0, max_late_ns_ = 0, skipped_ = 0;
    std::int64_t presents_ = 0, presents_running_ = 0, ticks_since_present_ = 0, unshown_ = 0;
    std::optional<std::int64_t> process_started_ns_;
    double first_frame_ms_ = -1, cpu_seconds_ = -1, wall_seconds_ = 0;
};

}  // namespace kx

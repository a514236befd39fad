// A game in a window, as every window front end starts and ends it: the run's files (trace,
// recording), the driver with its setup, the time since the process started for the first
// frame's figure, and the --stats lines at the end. The front end adds its window, its events
// and its clock.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string_view>

#include "formats/output_file.h"
#include "run/driver.h"
#include "run/window_run.h"

namespace kx {

// When the process started, in clock ticks since the machine booted, from the text of Linux's
// /proc/self/stat (its 22nd field, counted after the program's name in parentheses, which may
// hold spaces); nothing when the text is not of that shape.
std::optional<double> process_start_ticks(std::string_view stat);

class WindowGame {
public:
    // `ms_since_process_start`: how long ago the process started, as the system tells it
    // (negative when it cannot). Throws std::runtime_error when a file cannot be written.
    WindowGame(WindowRun run, TextRasterizer& text, std::int64_t now, double ms_since_process_start);

    Driver& driver() { return *driver_; }
    // The window's settings (scale, fullscreen); the game's setup is the driver's now.
    const WindowRun& run() const { return run_; }
    // The figures of --stats, when asked for: the driver's, with the CPU time the process used.
    // Empty when they were not asked for.
    std::string stats_report(double cpu_seconds, std::int64_t now);

private:
    WindowRun run_;
    OutputFile trace_;
    std::optional<TraceWriter> trace_writer_;
    OutputFile recording_;
    std::int64_t started_;
    std::unique_ptr<Driver> driver_;
};

}  // namespace kx

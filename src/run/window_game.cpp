// Starting and ending a window's game.
#include "run/window_game.h"

#include <charconv>

namespace kx {

std::optional<double> process_start_ticks(std::string_view stat) {
    const auto close = stat.rfind(')');
    if (close == std::string_view::npos) return std::nullopt;
    std::string_view rest = stat.substr(close + 1);
    // The fields after the name are the 3rd onwards, one space before each.
    for (int field = 3; field <= 22; ++field) {
        const auto space = rest.find(' ');
        if (space == std::string_view::npos) return std::nullopt;
        rest.remove_prefix(space + 1);
    }
    unsigned long long ticks = 0;
    const auto [end, error] = std::from_chars(rest.data(), rest.data() + rest.size(), ticks);
    if (error != std::errc() || end == rest.data()) return std::nullopt;
    return double(ticks);
}

WindowGame::WindowGame(WindowRun run, TextRasterizer& text, std::int64_t now, double ms_since_process_start)
    : run_(std::move(run)),
      trace_(run_.trace_path, "trace file"),
      recording_(run_.record_path, "recording"),
      started_(now) {
    DriverSetup setup = std::move(run_.game);
    if (ByteSink* sink = trace_.sink()) setup.trace = &trace_writer_.emplace(*sink);
    setup.recording = recording_.sink();
    if (ms_since_process_start >= 0) setup.process_started = now - std::int64_t(ms_since_process_start * 1e6);
    // The reset and the title come before the window is first shown.
    driver_ = std::make_unique<Driver>(text, std::move(setup), now);
}

std::string WindowGame::stats_report(double cpu_seconds, std::int64_t now) {
    if (!run_.stats) return "";
    driver_->stats().cpu(cpu_seconds, double(now - started_) / 1e9);
    return driver_->stats().report(now);
}

}  // namespace kx

// Headless runs: replays of input files, traces and screenshots without a screen.
#include "platform/headless.h"

#include <fstream>
#include <iostream>
#include <memory>
#include <stdexcept>

#include "platform/png_file.h"
#include "run/renderer.h"
#include "run/session.h"

namespace kx {

int run_headless(const HeadlessRun& run, TextRasterizer& text) {
    std::ofstream trace_file;
    std::unique_ptr<TraceWriter> trace;
    if (run.trace_path == "-") {
        trace = std::make_unique<TraceWriter>(std::cout);
    } else if (!run.trace_path.empty()) {
        trace_file.open(run.trace_path);
        if (!trace_file) throw std::runtime_error(run.trace_path + ": cannot write the trace file");
        trace = std::make_unique<TraceWriter>(trace_file);
    }
    // The game-over box is closed at once, as if OK was pressed.
    Session session(run.base_seed, &text, nullptr, trace.get());
    session.start();

    const std::int64_t limit = run.max_ticks.value_or(INT64_MAX);
    const auto& events = run.input.events;
    std::size_t next = 0;
    while (session.ticks() < limit) {
        // Events stamped with the current count are handled between ticks; while no timer runs
        // no tick can come, so the next event is handled at once whatever its stamp.
        if (next < events.size() && events[next].tick < limit &&
            (events[next].tick <= session.ticks() || !session.any_timer_running())) {
            session.key(events[next].down, events[next].code);
            ++next;
            continue;
        }
        if (!session.any_timer_running()) break;
        session.run_period(limit);
    }
    if (trace) std::cout.flush();

    if (!run.screenshot_path.empty()) {
        Renderer renderer(text);
        auto frame = std::make_unique<Frame>();
        renderer.draw(session.game().form1, *frame);
        write_png(run.screenshot_path, *frame);
    }
    return 0;
}

}  // namespace kx

// Headless runs: replays of input files, traces and screenshots without a screen.
#include "platform/headless.h"

#include <memory>

#include "platform/png_file.h"
#include "platform/trace_file.h"
#include "run/renderer.h"
#include "run/replay_feed.h"
#include "run/session.h"

namespace kx {

int run_headless(const HeadlessRun& run, TextRasterizer& text) {
    TraceFile trace(run.trace_path);
    // The game-over box is closed at once, as if OK was pressed.
    Session session(run.base_seed, &text, nullptr, trace.writer());
    session.start();

    const std::int64_t limit = run.max_ticks.value_or(INT64_MAX);
    ReplayFeed feed(run.input.events);
    while (session.ticks() < limit) {
        if (const KeyEvent* e = feed.due(session.ticks(), session.any_timer_running(), limit)) {
            session.key(e->down, e->code);
            feed.pop();
            continue;
        }
        if (!session.any_timer_running()) break;
        session.run_period(limit);
    }

    if (!run.screenshot_path.empty()) {
        auto frame = std::make_unique<Frame>();
        Renderer(text).draw(session.game().form1, *frame);
        write_png(run.screenshot_path, *frame);
    }
    return 0;
}

}  // namespace kx

// Headless runs: replays of input files, traces and screenshots without a screen.
#include "platform/headless.h"

#include <memory>

#include "platform/png_file.h"
#include "platform/trace_file.h"
#include "run/fast_replay.h"
#include "run/renderer.h"
#include "run/session.h"

namespace kx {

int run_headless(const HeadlessRun& run, TextRasterizer& text) {
    TraceFile trace(run.trace_path);
    // The game-over box is closed at once, as if OK was pressed.
    Session session(run.base_seed, &text, nullptr, trace.writer());
    session.start();

    const std::int64_t limit = run.max_ticks.value_or(INT64_MAX);
    replay_at_once(session, run.input.events, limit);

    if (!run.screenshot_path.empty()) {
        auto frame = std::make_unique<Frame>();
        Renderer(text).draw(session.game().form1, *frame);
        write_png(run.screenshot_path, *frame);
    }
    return 0;
}

}  // namespace kx

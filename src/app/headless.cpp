// Headless runs: replays of input files, traces and screenshots without a screen.
#include "app/headless.h"

#include <memory>

#include "draw/renderer.h"
#include "formats/output_file.h"
#include "formats/png_file.h"
#include "run/fast_replay.h"
#include "run/session.h"

namespace kx {

int run_headless(const HeadlessRun& run, TextRasterizer& text) {
    OutputFile trace(run.trace_path, "trace file");
    // The game-over box is closed at once, as if OK was pressed.
    Session session(run.base_seed, &text, nullptr, trace.stream());
    session.start();
    replay_at_once(session, run.input.events, run.max_ticks.value_or(INT64_MAX));

    if (!run.screenshot_path.empty()) {
        auto frame = std::make_unique<Frame>();
        Renderer(text).draw(session.game().form1, *frame);
        write_png(run.screenshot_path, *frame);
    }
    return 0;
}

}  // namespace kx

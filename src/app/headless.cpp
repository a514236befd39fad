// Headless runs: replays of input files, traces and screenshots without a screen.
#include "app/headless.h"

#include <memory>
#include <optional>

#include "draw/overlays.h"
#include "draw/renderer.h"
#include "formats/output_file.h"
#include "formats/png_file.h"
#include "run/fast_replay.h"
#include "run/session.h"

namespace kx {

int run_headless(const HeadlessRun& run, TextRasterizer& text) {
    OutputFile trace(run.trace_path, "trace file");
    std::optional<TraceWriter> writer;
    if (ByteSink* sink = trace.sink()) writer.emplace(*sink);
    Session session(run.base_seed, &text, nullptr, writer ? &*writer : nullptr);
    // Otherwise the game-over box is closed at once, as if OK was pressed.
    if (run.stop_at_game_over) session.keep_boxes();
    session.start();
    replay_at_once(session, run.input.events, run.max_ticks.value_or(INT64_MAX), run.stop_at_game_over);

    if (!run.screenshot_path.empty()) {
        auto frame = std::make_unique<Frame>();
        if (const std::unique_ptr<PendingBox> box = session.take_box()) {
            // The box as the window shows it, over the frame of the moment the game asked for it.
            *frame = *box->frame;
            draw_game_over_box(*frame, text, box->title, box->prompt, false);
        } else {
            Renderer(text).draw(session.game().form1, *frame);
        }
        write_png(run.screenshot_path, *frame);
    }
    return 0;
}

}  // namespace kx

// Scaling frames into a window: a whole frame, and only what changed between two frames of play.
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "draw/frame_changes.h"
#include "draw/renderer.h"
#include "draw/scaling.h"
#include "platform/font_files.h"
#include "platform/ttf_text.h"
#include "run/session.h"

namespace {

// Two frames of play one tick apart, after 200 ticks.
struct PlayFrames {
    std::unique_ptr<kx::Frame> before = std::make_unique<kx::Frame>();
    std::unique_ptr<kx::Frame> after = std::make_unique<kx::Frame>();
    PlayFrames() {
        kx::TtfText text(kx::find_font_files());
        kx::Session session(1, &text, nullptr);
        session.start();
        session.key(true, 32);
        while (session.ticks() < 200) {
            if (!session.any_timer_running()) session.key(true, 32);  // a game over: play again
            session.run_period();
        }
        kx::Renderer renderer(text);
        renderer.draw(session.game().form1, *before);
        session.run_period();
        renderer.draw(session.game().form1, *after);
    }
};

void BM_ScaleWholeFrame(benchmark::State& state) {
    const int factor = int(state.range(0));
    const int w = kx::Frame::kWidth * factor, h = kx::Frame::kHeight * factor;
    const PlayFrames frames;
    std::vector<std::uint32_t> window(std::size_t(w) * std::size_t(h));
    for (auto _ : state) {
        kx::scale_frame(*frames.after, window.data(), w, h, w * 4);
        benchmark::DoNotOptimize(window.data());
    }
}

// What the window does for each frame of play: compares it with the last and scales the changes.
void BM_ScalePlayChanges(benchmark::State& state) {
    const int factor = int(state.range(0));
    const int w = kx::Frame::kWidth * factor, h = kx::Frame::kHeight * factor;
    const PlayFrames frames;
    std::vector<std::uint32_t> window(std::size_t(w) * std::size_t(h));
    std::vector<kx::Rect> bands;
    for (auto _ : state) {
        kx::find_changes(*frames.before, *frames.after, bands);
        for (const kx::Rect& band : bands) kx::scale_part(*frames.after, band, window.data(), w, h, w * 4);
        benchmark::DoNotOptimize(window.data());
    }
    state.counters["bands"] = double(bands.size());
}

BENCHMARK(BM_ScaleWholeFrame)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_ScalePlayChanges)->Arg(2)->Arg(3)->Unit(benchmark::kMicrosecond);

}  // namespace

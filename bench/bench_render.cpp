// Rendering one full frame in software: the title screen and a frame of play.
#include <benchmark/benchmark.h>

#include <memory>

#include "draw/renderer.h"
#include "platform/font_files.h"
#include "platform/ttf_text.h"
#include "run/session.h"

namespace {

void render_loop(benchmark::State& state, bool play) {
    kx::TtfText text(kx::find_font_files());
    kx::Session session(1, &text, nullptr);
    session.start();
    if (play) {
        session.key(true, 32);
        while (session.ticks() < 200) {
            if (!session.any_timer_running()) session.key(true, 32);  // a game over: play again
            session.run_period();
        }
    }
    kx::Renderer renderer(text);
    auto frame = std::make_unique<kx::Frame>();
    for (auto _ : state) {
        renderer.draw(session.game().form1, *frame);
        benchmark::DoNotOptimize(frame->pixels[0]);
    }
}

void BM_RenderTitle(benchmark::State& state) { render_loop(state, false); }
void BM_RenderPlay(benchmark::State& state) { render_loop(state, true); }
BENCHMARK(BM_RenderTitle)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RenderPlay)->Unit(benchmark::kMicrosecond);

}  // namespace

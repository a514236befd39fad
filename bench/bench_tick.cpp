// One play tick of game logic, and a headless run of many ticks without a trace.
#include <benchmark/benchmark.h>

#include "play/game_keys.h"
#include "play/play.h"
#include "run/session.h"

namespace {

// A game in play: the transition done, the craft moving so that the clamps work too.
kx::Session& playing_session() {
    static kx::Session session(1, nullptr, nullptr);
    static bool started = false;
    if (!started) {
        session.start();
        session.key(true, 32);
        while (!session.game().form1.Timer1.running()) session.run_period();
        session.key(true, kx::kGameKeys.up);
        started = true;
    }
    return session;
}

void BM_PlayTick(benchmark::State& state) {
    kx::Session& session = playing_session();
    for (auto _ : state) {
        kx::Timer1_Timer(session.game());
        if (!session.game().form1.Timer1.running()) {  // a game over: start the next game
            session.key(true, 32);
            while (!session.game().form1.Timer1.running()) session.run_period();
        }
        benchmark::DoNotOptimize(session.game().s.kumox);
    }
}
BENCHMARK(BM_PlayTick);

void BM_HeadlessTicks100k(benchmark::State& state) {
    for (auto _ : state) {
        kx::Session session(2, nullptr, nullptr);
        session.start();
        while (session.ticks() < 100'000) {
            if (!session.any_timer_running()) session.key(true, 32);
            session.run_period();
        }
        benchmark::DoNotOptimize(session.game().s.score);
    }
}
BENCHMARK(BM_HeadlessTicks100k)->Unit(benchmark::kMillisecond);

}  // namespace

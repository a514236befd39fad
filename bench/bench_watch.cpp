// Watching and checking a whole game: the first play-through that keeps the snapshots, a seek to
// ticks spread over the game (each one restores the snapshot before it and replays the rest),
// --verify's play-through, and a link coded and read.
#include <benchmark/benchmark.h>

#include "draw/table_text.h"
#include "formats/game_link.h"
#include "run/replay_timeline.h"
#include "run/verdict.h"

namespace {

const kx::InputScript& whole_game() {
    static const kx::InputScript game = kx::read_input_script(KX_SOURCE_DIR "/tests/replays/full_game.txt");
    return game;
}

kx::TableText& text() {
    static kx::TableText table(kx::kTextTable);
    return table;
}

void BM_WholeGameTimeline(benchmark::State& state) {
    for (auto _ : state) {
        kx::ReplayTimeline line(whole_game(), *whole_game().seed, text());
        benchmark::DoNotOptimize(line.end());
    }
}
BENCHMARK(BM_WholeGameTimeline)->Unit(benchmark::kMillisecond);

// The worst seek lands a snapshot's length past one: every tick between is replayed.
void BM_SeekInWholeGame(benchmark::State& state) {
    static const kx::ReplayTimeline line(whole_game(), *whole_game().seed, text());
    kx::Session session(*whole_game().seed, &text());
    session.start();
    kx::ReplayFeed feed(whole_game().events);
    std::int64_t k = 0;
    for (auto _ : state) {
        const std::int64_t tick = (k++ % 33) * (kx::ReplayTimeline::kSnapshotEvery)-1;
        line.seek(session, feed, std::min(std::max<std::int64_t>(tick, 0), line.end()));
        benchmark::DoNotOptimize(session.ticks());
    }
}
BENCHMARK(BM_SeekInWholeGame)->Unit(benchmark::kMicrosecond);

void BM_VerifyWholeGame(benchmark::State& state) {
    for (auto _ : state) benchmark::DoNotOptimize(kx::verify_game(whole_game(), *whole_game().seed, text()).state);
}
BENCHMARK(BM_VerifyWholeGame)->Unit(benchmark::kMillisecond);

void BM_WholeGameLink(benchmark::State& state) {
    for (auto _ : state) {
        const std::string link = kx::link_payload(*whole_game().seed, whole_game().events);
        benchmark::DoNotOptimize(kx::read_game_link(link).events.size());
    }
}
BENCHMARK(BM_WholeGameLink)->Unit(benchmark::kMicrosecond);

}  // namespace

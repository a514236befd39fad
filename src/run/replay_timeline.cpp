// Snapshots along a replay, and seeking by them.
#include "run/replay_timeline.h"

#include <algorithm>

#include "run/fast_replay.h"

namespace kx {

ReplayTimeline::ReplayTimeline(const InputScript& game, std::uint32_t seed, TextRasterizer& text) {
    Session start(seed, &text);
    start.start();
    marks_.push_back({start.snapshot(), 0});
    verdict_ = verify_game(game, seed, text, [&](const Session& session, std::size_t events_done) {
        // A mark at the first period boundary past each step: the events stamped up to that
        // tick have not come yet, as in a replay cut there.
        if (session.ticks() >= marks_.back().session.ticks + kSnapshotEvery)
            marks_.push_back({session.snapshot(), events_done});
    });
}

void ReplayTimeline::seek(Session& session, ReplayFeed& feed, std::int64_t tick) const {
    tick = std::clamp<std::int64_t>(tick, 0, end());
    const auto after = std::upper_bound(marks_.begin(), marks_.end(), tick,
                                        [](std::int64_t t, const Mark& m) { return t < m.session.ticks; });
    const Mark& mark = *(after - 1);
    session.restore(mark.session);
    feed.set_position(mark.events_done);
    replay_at_once(session, feed, tick);
}

}  // namespace kx

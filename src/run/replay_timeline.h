// A watched replay's way to any of its moments: the replay played through once without boxes,
// keeping a snapshot of the session every so many ticks, so that going to a tick is restoring
// the snapshot before it and replaying the few ticks between. A tick reached so is the game as a
// headless replay cut at that tick leaves it, whatever the way there.
#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "formats/input_script.h"
#include "run/replay_feed.h"
#include "run/session.h"
#include "run/verdict.h"

namespace kx {

class ReplayTimeline {
public:
    // Ticks between snapshots: a seek replays at most this many.
    static constexpr std::int64_t kSnapshotEvery = 128;

    ReplayTimeline(const InputScript& game, std::uint32_t seed, TextRasterizer& text);

    // The tick where the replay ends (the game over or the end of the staff roll, or where it
    // was left still playing), and what it comes to.
    std::int64_t end() const { return verdict_.ticks; }
    const Verdict& verdict() const { return verdict_; }

    // Puts the session at `tick` (up to end()) and the feed at the events that came by then.
    // The session's boxes are closed at once on the way, as a headless replay's are.
    void seek(Session& session, ReplayFeed& feed, std::int64_t tick) const;

private:
    struct Mark {
        SessionSnapshot session;
        std::size_t events_done;
    };
    std::vector<Mark> marks_;
    Verdict verdict_;
};

}  // namespace kx

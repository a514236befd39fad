// A replay with no clock: events and ticks back to back, as headless runs and tests play them.
#pragma once

#include <cstdint>
#include <vector>

#include "formats/input_script.h"
#include "run/replay_feed.h"
#include "run/session.h"

namespace kx {

// Feeds the events to the started session by the replay rule and runs its ticks until the tick
// limit is reached or no timer runs and no event is left; with `stop_at_box`, also at the end of
// the tick in which a session that keeps its boxes asked for one.
void replay_at_once(Session& session, const std::vector<KeyEvent>& events, std::int64_t tick_limit,
                    bool stop_at_box = false);
// The same from where `feed` stands, which it moves on.
void replay_at_once(Session& session, ReplayFeed& feed, std::int64_t tick_limit, bool stop_at_box = false);

}  // namespace kx

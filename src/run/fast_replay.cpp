// The headless replay loop.
#include "run/fast_replay.h"

namespace kx {

void replay_at_once(Session& session, const std::vector<KeyEvent>& events, std::int64_t tick_limit, bool stop_at_box) {
    ReplayFeed feed(events, tick_limit);
    replay_at_once(session, feed, tick_limit, stop_at_box);
}

void replay_at_once(Session& session, ReplayFeed& feed, std::int64_t tick_limit, bool stop_at_box) {
    while (session.ticks() < tick_limit) {
        if (session.in_period()) {
            session.run_period(tick_limit);
            continue;
        }
        if (const KeyEvent* e = feed.due(session.ticks(), session.any_timer_running(), tick_limit)) {
            session.key(e->down, e->code);
            feed.pop();
            continue;
        }
        if (!session.any_timer_running()) break;
        session.run_period(tick_limit);
        if (stop_at_box && session.box_pending()) break;
    }
}

}  // namespace kx

// Playing a recording through to what it comes to.
#include "run/verdict.h"

#include <algorithm>
#include <cstring>
#include <optional>

#include "form/game_state.h"
#include "run/replay_feed.h"

namespace kx {
namespace {

// The ending's last step: THE END stays.
constexpr int kEndingStopped = 8;

// FNV-1a over the bytes of each field, in the record's order: the same on every build, as the
// game's state is.
struct StateHash {
    std::uint64_t h = 14695981039346656037ULL;
    template <class T>
    void add(const T& value) {
        unsigned char bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        for (const unsigned char b : bytes) h = (h ^ b) * 1099511628211ULL;
    }
};

std::uint64_t state_hash(const GameState& s, std::int64_t ticks) {
    StateHash hash;
#define KX_HASH_FIELD(type, name) hash.add(s.name);
    KX_GAME_STATE_FIELDS(KX_HASH_FIELD)
#undef KX_HASH_FIELD
    hash.add(ticks);
    return hash.h;
}

}  // namespace

Verdict verify_game(const InputScript& game, std::uint32_t seed, TextRasterizer& text,
                    const PeriodObserver& on_period) {
    Verdict v;
    v.seed = seed;
    Session* playing = nullptr;
    std::optional<std::int64_t> box_at;
    int box_score = 0;
    Session session(seed, &text, [&](const std::string&, const std::string&) {
        box_at = playing->ticks();
        box_score = playing->game().s.score;
    });
    playing = &session;
    session.start();
    ReplayFeed feed(game.events);
    std::int64_t heard_at = 0;  // the tick of the last key the game heard
    int score = 0;
    for (;;) {
        const bool running = session.any_timer_running();
        if (const KeyEvent* e = feed.due(session.ticks(), running)) {
            session.key(e->down, e->code);
            feed.pop();
            heard_at = session.ticks();
            if (!running && session.any_timer_running()) v = Verdict{seed, 0, 0, 0, Verdict::End::playing, 0, 0};
            continue;
        }
        if (!running || session.ticks() >= std::min(heard_at + kVerdictTailTicks, kMostVerdictTicks)) break;
        box_at.reset();
        session.run_period();
        if (on_period) on_period(session, feed.position());
        const int now = session.game().s.score;
        if (box_at) {
            v.end = Verdict::End::game_over;
            v.over_at = *box_at;
            v.score = box_score;
        } else {
            // In a boss fight the score stays at 19 of its stage until the boss is beaten.
            if (score % 20 == 19 && now != score) ++v.bosses;
            v.score = now;
        }
        score = now;
        if (session.game().s.endmode == kEndingStopped) {
            v.end = Verdict::End::staff_roll;
            v.score = kWholeGameScore;
        }
    }
    v.ticks = session.ticks();
    v.state = state_hash(session.game().s, session.ticks());
    return v;
}

std::string verdict_line(const Verdict& v) {
    std::string line = "seed " + std::to_string(v.seed);
    line += ", " + std::to_string(v.ticks) + " ticks";
    line += ", score " + std::to_string(v.score);
    line += ", " + std::to_string(v.bosses) + (v.bosses == 1 ? " boss beaten" : " bosses beaten");
    switch (v.end) {
        case Verdict::End::playing: line += ", still playing"; break;
        case Verdict::End::game_over: line += ", game over at tick " + std::to_string(v.over_at); break;
        case Verdict::End::staff_roll: line += ", the staff roll ended"; break;
    }
    static const char kHex[] = "0123456789abcdef";
    line += ", state ";
    for (int k = 44; k >= 0; k -= 4) line.push_back(kHex[(v.state >> k) & 15]);
    return line;
}

}  // namespace kx

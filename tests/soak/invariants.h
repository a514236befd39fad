// What must hold in every state that play can reach, checked after the start, after every key
// event and after every tick period. Used by the soak run (tests/soak/soak.cpp) and the game fuzzer
// (fuzz/game_fuzz.cpp); a broken rule throws Violation with a message that names the rule.
#pragma once

#include <array>
#include <cstdint>
#include <stdexcept>
#include <string>

#include "form/game.h"

namespace kx::soak {

struct Violation : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// What a run has been through, to show that the checks saw the whole game.
struct Coverage {
    std::int64_t play_ticks = 0, transition_ticks = 0, ending_ticks = 0;
    std::int64_t key_events = 0;
    std::int64_t games = 0;  // transitions into play
    std::int64_t game_overs = 0;
    std::array<std::int64_t, 5> boss_fights{};  // by stage (score / 20)
    std::int64_t bosses_beaten = 0;
    std::int64_t power_ups_taken = 0, power_ups_lost = 0;
    std::int64_t endings_started = 0, endings_finished = 0;

    void add(const Coverage& o);
};

class Watch {
public:
    // Right after Session::start(): the reset has run and the title stands.
    void begin(const Game& g);
    // After Session::key().
    void after_key(const Game& g, bool down, int code);
    // After Session::run_period(); `ticks` is how many ticks it ran.
    void after_period(const Game& g, std::int64_t ticks);
    // From the session's message-box handler (inside the play tick, before the reset).
    void on_message_box(const Game& g, const std::string& prompt, const std::string& title);
    // The caller changed the state on purpose (the soak's forced positions): check it and take
    // it as the new starting point.
    void rebase(const Game& g);

    const Coverage& coverage() const { return coverage_; }

private:
    void check_state(const Game& g, const char* after) const;
    void remember(const Game& g);

    GameState prev_{};
    std::array<bool, 3> prev_timers_{};
    bool game_over_in_period_ = false;
    bool begun_ = false;
    Coverage coverage_;
};

// How many of the three timers run.
int running_timers(const Game& g);

// Moves a game in play on to `score` (0..99) as play would have got there: the stage's pictures
// on the ducks and the boss, `damage` (0..5) hits already taken by the boss, and the power-up if
// `hen`. Lets random play reach the bosses and the ending. Call Watch::rebase afterwards.
void move_on_to(Game& g, int score, int damage, bool hen);

}  // namespace kx::soak

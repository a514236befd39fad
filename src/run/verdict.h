// What a recorded game comes to, checked by playing it again without a window: its seed, how
// many ticks it ran, the score, the bosses beaten, how it ended and a short hash of the last
// state. `--verify` prints it and the page shows it under a watched link: the same game gives the
// same line everywhere, so a score can be checked by anyone.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

#include "elements/text_style.h"
#include "formats/input_script.h"
#include "run/session.h"

namespace kx {

struct Verdict {
    enum class End { playing, game_over, staff_roll };
    std::uint32_t seed = 0;
    std::int64_t ticks = 0;
    int score = 0;   // the last game's: the box's at a game over, 100 for the staff roll
    int bosses = 0;  // beaten in the last game
    End end = End::playing;
    std::int64_t over_at = 0;  // the tick of the game over
    std::uint64_t state = 0;   // hash of the game's state and tick count at the end
};

// A game that reached the staff roll scored every point of the five stages (the last boss's
// point wraps the score to 0 as the ending starts).
constexpr int kWholeGameScore = 100;

// After a key, play goes on by itself until the game ends or the next key comes, for at most
// this many ticks (17 minutes at 64 a second): past that the game is still playing. And no game
// is played further than kMostVerdictTicks (9 hours): a stranger's link cannot keep a page busy
// for longer than that takes.
constexpr std::int64_t kVerdictTailTicks = 1 << 16;
constexpr std::int64_t kMostVerdictTicks = 1 << 21;

// Told after each period, with the number of the game's events that came so far.
using PeriodObserver = std::function<void(const Session& session, std::size_t events_done)>;

Verdict verify_game(const InputScript& game, std::uint32_t seed, TextRasterizer& text,
                    const PeriodObserver& on_period = nullptr);
// "seed 1, 4321 ticks, score 100, 5 bosses beaten, the staff roll ended, state 0123456789ab"
std::string verdict_line(const Verdict& verdict);

}  // namespace kx

// A run of the game as every front end drives it: the game, its random numbers, the tick count,
// the timers in their order, key events, and the trace when one is written.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "form/game.h"
#include "formats/byte_sink.h"
#include "formats/trace.h"
#include "run/pending_box.h"
#include "run/seeded_random.h"

namespace kx {

// Everything the rest of a run depends on, to go back to: a look-ahead player tries a move and
// restores the run as it was. The trace and a pending box are not part of it.
struct SessionSnapshot {
    GameState s;
    Form1 form1;  // the elements, timers included
    SeededRandom random;
    std::int64_t ticks;
    std::array<bool, 3> period_due;  // the timers due in a period cut short by a tick limit
    int period_next;                 // the timer it goes on with; 0: no period in progress
};

class Session final : public GameServices {
public:
    // Told when the game asks for its box, for checks on the game at that moment.
    using BoxObserver = std::function<void(const std::string& prompt, const std::string& title)>;

    // `trace`: the trace, or null for none.
    Session(std::uint32_t base_seed, TextRasterizer* metrics, BoxObserver on_message_box = nullptr,
            GameTrace* trace = nullptr);

    // From now on a box the game asks for is kept, with the frame as it stands then, until a front
    // end takes it. Without this the box is closed at once, as if OK was pressed (headless runs).
    void keep_boxes(bool keep = true) { keep_boxes_ = keep; }
    // The box the game asked for since the last call, if any.
    std::unique_ptr<PendingBox> take_box() { return std::move(pending_); }
    bool box_pending() const { return pending_ != nullptr; }

    // Creates the window's state: the reset and the title, as at program start.
    void start();
    bool any_timer_running() const;
    // One tick period: each running timer ticks once, in the order 1, 2, 3. A timer stopped or
    // started by an earlier tick of the same period does not tick in it. Stops once the tick
    // count reaches `tick_limit`; the next call then finishes that period, so a run cut at any
    // tick goes on exactly as if it had never stopped.
    void run_period(std::int64_t tick_limit = INT64_MAX);
    // A period was cut short by a tick limit: no key comes before it is finished (keys come
    // between periods).
    bool in_period() const { return period_next_ != 0; }
    void key(bool down, int code);

    SessionSnapshot snapshot() const { return {game_.s, game_.form1, random_, ticks_, period_due_, period_next_}; }
    void restore(const SessionSnapshot& snapshot);

    std::int64_t ticks() const { return ticks_; }
    const Game& game() const { return game_; }
    Game& game() { return game_; }
    std::uint32_t base_seed() const { return random_.base(); }

    // While muted the trace is not written (a seek runs ticks that were traced already).
    void mute_trace(bool mute) { trace_muted_ = mute; }

    // GameServices
    void reseed() override { random_.reseed(); }
    double rnd() override { return random_.next(); }
    void message_box(const std::string& prompt, const std::string& title) override;

private:
    TextRasterizer* metrics_;
    SeededRandom random_;
    BoxObserver on_message_box_;
    bool keep_boxes_ = false;
    std::unique_ptr<PendingBox> pending_;
    GameTrace* trace_;
    Game game_;
    std::int64_t ticks_ = 0;
    std::array<bool, 3> period_due_{};
    int period_next_ = 0;
    bool trace_muted_ = false;
};

}  // namespace kx

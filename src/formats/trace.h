// The trace: one JSON object a line for the start, every tick, every key event and the
// game-over box, each with the whole game state, the timers and the elements.
#pragma once

#include <cstdint>
#include <string>

#include "form/game.h"
#include "formats/byte_sink.h"

namespace kx {

// What a session tells its trace. The session knows only this: a run with no trace (the page)
// never makes a TraceWriter, and its program carries none of the JSON.
class GameTrace {
public:
    virtual ~GameTrace() = default;
    virtual void start(const Game& g, std::int64_t ticks) = 0;
    virtual void tick(const Game& g, std::int64_t ticks, int timer) = 0;
    virtual void key(const Game& g, std::int64_t ticks, bool down, int code) = 0;
    virtual void message_box(const Game& g, std::int64_t ticks, const std::string& title, const std::string& text) = 0;
};

class TraceWriter final : public GameTrace {
public:
    explicit TraceWriter(ByteSink& out) : out_(out) {}

    void start(const Game& g, std::int64_t ticks) override;
    void tick(const Game& g, std::int64_t ticks, int timer) override;
    void key(const Game& g, std::int64_t ticks, bool down, int code) override;
    void message_box(const Game& g, std::int64_t ticks, const std::string& title, const std::string& text) override;

private:
    void record(const Game& g, std::int64_t ticks, const std::string& ev, const std::string& extra);
    ByteSink& out_;
};

}  // namespace kx

// The trace: one JSON object a line for the start, every tick, every key event and the
// game-over box, each with the whole game state, the timers and the elements.
#pragma once

#include <cstdint>
#include <string>

#include "form/game.h"
#include "formats/byte_sink.h"

namespace kx {

class TraceWriter {
public:
    explicit TraceWriter(ByteSink& out) : out_(out) {}

    void start(const Game& g, std::int64_t ticks);
    void tick(const Game& g, std::int64_t ticks, int timer);
    void key(const Game& g, std::int64_t ticks, bool down, int code);
    void message_box(const Game& g, std::int64_t ticks, const std::string& title, const std::string& text);

private:
    void record(const Game& g, std::int64_t ticks, const std::string& ev, const std::string& extra);
    ByteSink& out_;
};

}  // namespace kx

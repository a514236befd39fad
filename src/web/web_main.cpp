// The functions the page calls (site/kippura-x.js): one game at a time, created from the
// query's seed, tick rate, tick limit and replay.
#include <emscripten/emscripten.h>

#include <memory>
#include <sstream>

#include "web/web_game.h"

namespace {

std::unique_ptr<kx::WebGame> game;
std::optional<kx::InputScript> replay;
std::string error;

}  // namespace

extern "C" {

// Reads an input file for the next game; 0 when it is well formed, else see kx_error().
EMSCRIPTEN_KEEPALIVE int kx_parse_input(const char* text) {
    try {
        std::istringstream in(text);
        replay = kx::parse_input_script(in, "input");
        return 0;
    } catch (const std::exception& e) {
        error = e.what();
        replay.reset();
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE const char* kx_error() { return error.c_str(); }

// A seed from the query wins over the replay's, which wins over the clock's (`clock_seed`).
EMSCRIPTEN_KEEPALIVE void kx_start(int has_seed, double seed, double clock_seed, int tick_rate, double max_ticks,
                                   double now_ms) {
    kx::WebRun run;
    const auto file_seed = replay && replay->seed ? std::optional<double>(*replay->seed) : std::nullopt;
    run.base_seed = std::uint32_t(has_seed ? seed : file_seed.value_or(clock_seed));
    run.tick_rate = tick_rate;
    run.replay = replay;
    if (max_ticks >= 0) run.max_ticks = std::int64_t(max_ticks);
    replay.reset();
    game.reset();
    game = std::make_unique<kx::WebGame>(run, now_ms);
}

EMSCRIPTEN_KEEPALIVE void kx_key(int down, int code, double now_ms) { game->key(down != 0, code, now_ms); }
EMSCRIPTEN_KEEPALIVE void kx_pointer(int down, int x, int y, double now_ms) { game->pointer(down != 0, x, y, now_ms); }
EMSCRIPTEN_KEEPALIVE void kx_focus_lost(double now_ms) { game->focus_lost(now_ms); }
EMSCRIPTEN_KEEPALIVE void kx_pad_button(int pad, int button, int pressed, double now_ms) {
    game->pad_button(pad, kx::GamepadKeys::Button(button), pressed != 0, now_ms);
}
EMSCRIPTEN_KEEPALIVE void kx_pad_stick(int pad, int x, int y, double now_ms) { game->pad_stick(pad, x, y, now_ms); }
EMSCRIPTEN_KEEPALIVE void kx_pad_gone(int pad, double now_ms) { game->pad_gone(pad, now_ms); }

EMSCRIPTEN_KEEPALIVE int kx_frame(double now_ms) { return game->frame(now_ms) ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kx_pixels() { return game->rgba(); }
EMSCRIPTEN_KEEPALIVE double kx_ticks() { return double(game->shown_ticks()); }

EMSCRIPTEN_KEEPALIVE int kx_box_open() { return game->box_open() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_paused() { return game->paused() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_running() { return game->running() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_replaying() { return game->replaying() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_finished() { return game->finished() ? 1 : 0; }

// Where the chick is, for the browser tests.
EMSCRIPTEN_KEEPALIVE int kx_chick_x() { return int(game->game_state().jikix); }
EMSCRIPTEN_KEEPALIVE int kx_chick_y() { return int(game->game_state().jikiy); }

EMSCRIPTEN_KEEPALIVE const char* kx_recording() { return game->recording().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* kx_caption() { return game->caption().c_str(); }
// What the game asked for that the text table lacks: empty, or one line per text.
EMSCRIPTEN_KEEPALIVE const char* kx_missing_text() {
    static std::string lines;
    lines.clear();
    for (const std::string& m : game->missing_text()) lines += m + "\n";
    return lines.c_str();
}

}  // extern "C"

// The browser front end: the functions the page (site/page.js) calls, one game at a time, each
// a call of the run layer's driver. Times are the page's performance.now(), in milliseconds.
#include "web/page_calls.h"

#ifdef __EMSCRIPTEN__
#include <emscripten/emscripten.h>
#else
#define EMSCRIPTEN_KEEPALIVE  // built natively for the unit tests: plain functions
#endif

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "draw/rgba.h"
#include "draw/table_text.h"
#include "formats/game_link.h"
#include "input/held_keys.h"
#include "input/key_places.h"
#include "run/driver.h"
#include "run/seed_choice.h"
#include "run/tick_clock.h"
#include "run/verdict.h"
#include "web/page_tables.h"
#include "web/tap_rule.h"

namespace {

// One game: its text (which remembers what the table lacked), its recording, its driver, and
// the score of the game played last (the box's when it ended in one: the game resets the score
// in the tick that opens the box).
struct Run {
    kx::TableText text{kx::kTextTable};
    std::unique_ptr<kx::Driver> driver;
    int score = 0;
};

std::unique_ptr<Run> run;
kx::Driver* game = nullptr;
std::optional<kx::InputScript> replay;                // parsed for the next game
std::vector<std::uint8_t> rgba(kx::kRgbaBytes, 255);  // alpha stays opaque
std::string error;
// The keys for every game of the page (?keys=), with those held now; and what the player's layout
// prints on each place, for the keys line.
kx::HeldKeys keys;
std::vector<char32_t> layout_labels(kx::key_places().size(), 0);

std::int64_t ns(double ms) { return std::int64_t(ms * 1e6); }

// The page's numbers hold every whole number up to 2^53 - 1, and a tick limit beyond it.
constexpr double kMaxExactWhole = 9007199254740991.0;

bool whole_in(double value, double lo, double hi) { return value >= lo && value <= hi && value == std::floor(value); }

// What is wrong with the query's values, in the command line's words (app/options.cpp), or empty.
std::string refusal(int has_seed, double seed, double tick_rate, double max_ticks) {
    if (has_seed && !whole_in(seed, 0, std::numeric_limits<std::uint32_t>::max()))
        return "?seed takes a whole number from 0 to 4294967295, for example ?seed=42";
    if (tick_rate != 0 && !whole_in(tick_rate, kx::kMinTickRate, kx::kMaxTickRate))
        return "?tick-rate takes ticks per second from " + std::to_string(kx::kMinTickRate) + " to " +
               std::to_string(kx::kMaxTickRate) + ", for example ?tick-rate=50";
    if (!(max_ticks < 0) && !whole_in(max_ticks, 0, kMaxExactWhole))
        return "?ticks takes a whole number of 0 or more, for example ?ticks=600";
    return {};
}

}  // namespace

extern "C" {

EMSCRIPTEN_KEEPALIVE int kx_parse_input_bytes(const std::uint8_t* bytes, int length) {
    try {
        const std::string_view text(reinterpret_cast<const char*>(bytes), std::size_t(std::max(length, 0)));
        replay = kx::parse_input_text(text, "input");
        return 0;
    } catch (const std::exception& e) {
        error = e.what();
        replay.reset();
        return -1;
    }
}

EMSCRIPTEN_KEEPALIVE int kx_parse_input(const char* input) {
    return kx_parse_input_bytes(reinterpret_cast<const std::uint8_t*>(input), int(std::strlen(input)));
}

EMSCRIPTEN_KEEPALIVE const char* kx_error() { return error.c_str(); }

EMSCRIPTEN_KEEPALIVE int kx_start(int has_seed, double seed, double clock_seed, double tick_rate, double max_ticks,
                                  double now_ms) {
    if (std::string why = refusal(has_seed, seed, tick_rate, max_ticks); !why.empty()) {
        error = std::move(why);
        return -1;
    }
    kx::DriverSetup setup;
    const auto given = has_seed ? std::optional<std::uint32_t>(std::uint32_t(seed)) : std::nullopt;
    setup.base_seed = kx::choose_seed(given, replay, std::uint32_t(clock_seed));
    setup.replay = std::exchange(replay, std::nullopt);
    setup.tick_rate = tick_rate == 0 ? kx::kDefaultTickRate : int(tick_rate);
    if (max_ticks >= 0) setup.tick_limit = std::int64_t(max_ticks);
    setup.refresh_hz = 0;  // the page's animation frames are the display's refreshes
    game = nullptr;
    run = std::make_unique<Run>();
    run->driver = std::make_unique<kx::Driver>(run->text, std::move(setup), ns(now_ms));
    game = run->driver.get();
    return 0;
}

EMSCRIPTEN_KEEPALIVE int kx_keys(const char* text, int length) {
    keys = kx::HeldKeys();
    if (!text) return 0;
    try {
        keys = kx::HeldKeys(kx::KeyBindings::parse(std::string_view(text, std::size_t(std::max(length, 0)))));
        return 0;
    } catch (const kx::KeyBindingError& e) {
        error = std::string("?keys: ") + e.what();
        return -1;
    }
}
EMSCRIPTEN_KEEPALIVE void kx_layout_label(int place, int label) {
    if (place >= 0 && std::size_t(place) < layout_labels.size() && label >= 0) layout_labels[place] = char32_t(label);
}
EMSCRIPTEN_KEEPALIVE const char* kx_keys_in_force() {
    static std::string text;
    text = keys.bindings().describe([](int place) { return layout_labels[std::size_t(place)]; });
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE void kx_key(int down, int place, int label, double now_ms) {
    const kx::PressedKey key{place, label > 0 ? char32_t(label) : 0};
    if (down)
        game->key_down(keys.press(key), ns(now_ms));
    else
        game->key_up(keys.release(key), ns(now_ms));
}
EMSCRIPTEN_KEEPALIVE void kx_pointer(int down, int x, int y, double now_ms) {
    if (down) {
        game->pointer_down(x, y);
        return;
    }
    const bool box_was_open = game->box_open();
    game->pointer_up(x, y, ns(now_ms));
    if (kx::tap_presses_start({box_was_open, game->box_open(), game->running(), game->replaying(), game->paused()})) {
        game->pad_button(kx::kTouchPad, kx::GamepadKeys::Button::Start, true, ns(now_ms));
        game->pad_button(kx::kTouchPad, kx::GamepadKeys::Button::Start, false, ns(now_ms));
    }
}
EMSCRIPTEN_KEEPALIVE void kx_focus_lost(double now_ms) {
    keys.clear();
    game->focus_lost(ns(now_ms));
}
EMSCRIPTEN_KEEPALIVE void kx_pad_button(int pad, int button, int pressed, double now_ms) {
    game->pad_button(pad, kx::GamepadKeys::Button(button), pressed != 0, ns(now_ms));
}
EMSCRIPTEN_KEEPALIVE void kx_pad_stick(int pad, int x, int y, double now_ms) { game->pad_stick(pad, x, y, ns(now_ms)); }
EMSCRIPTEN_KEEPALIVE void kx_pad_gone(int pad, double now_ms) { game->pad_gone(pad, ns(now_ms)); }

EMSCRIPTEN_KEEPALIVE int kx_frame(double now_ms) {
    game->advance(ns(now_ms));
    // A box opens and closes in different calls, so each box is seen here while it is open.
    if (const kx::PendingBox* box = game->box())
        run->score = box->score;
    else if (game->session().game().form1.Timer3.running())
        run->score = kx::kWholeGameScore;
    else if (game->playing())
        run->score = game->session().game().s.score;
    if (!game->present_due(ns(now_ms))) return 0;
    kx::frame_to_rgba(game->present(ns(now_ms)), rgba.data());
    return 1;
}
EMSCRIPTEN_KEEPALIVE const std::uint8_t* kx_pixels() { return rgba.data(); }
EMSCRIPTEN_KEEPALIVE double kx_ticks() { return double(game->shown_ticks()); }

EMSCRIPTEN_KEEPALIVE int kx_box_open() { return game->box_open() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_paused() { return game->paused() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_running() { return game->running() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_replaying() { return game->replaying() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_finished() { return game->finished() ? 1 : 0; }

EMSCRIPTEN_KEEPALIVE int kx_chick_x() { return int(game->session().game().s.jikix); }
EMSCRIPTEN_KEEPALIVE int kx_chick_y() { return int(game->session().game().s.jikiy); }
EMSCRIPTEN_KEEPALIVE int kx_score() { return run->score; }

EMSCRIPTEN_KEEPALIVE const char* kx_recording() {
    static std::string text;
    text = game->recording_text();
    return text.c_str();
}

EMSCRIPTEN_KEEPALIVE int kx_open_link(const char* link, int length) {
    try {
        replay = kx::read_game_link(std::string_view(link, std::size_t(std::max(length, 0))));
        return 0;
    } catch (const kx::LinkError& e) {
        error = e.what();
        replay.reset();
        return -1;
    }
}
EMSCRIPTEN_KEEPALIVE const char* kx_link(const char* site, int length) {
    static std::string link;
    const std::string_view address(site, std::size_t(std::max(length, 0)));
    if (const auto why = kx::site_fault(address)) {
        error = *why;
        link.clear();
    } else {
        link = kx::game_link(std::string(address), game->base_seed(), game->heard());
    }
    return link.c_str();
}

EMSCRIPTEN_KEEPALIVE int kx_watching() { return game->watching() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE int kx_watch_paused() { return game->watch_paused() ? 1 : 0; }
EMSCRIPTEN_KEEPALIVE void kx_watch_pause(int paused, double now_ms) { game->watch_pause(paused != 0, ns(now_ms)); }
EMSCRIPTEN_KEEPALIVE void kx_watch_step(double now_ms) { game->watch_step(ns(now_ms)); }
EMSCRIPTEN_KEEPALIVE int kx_watch_speed() { return game->watch_speed(); }
EMSCRIPTEN_KEEPALIVE void kx_set_watch_speed(int speed, double now_ms) { game->watch_speed(speed, ns(now_ms)); }
EMSCRIPTEN_KEEPALIVE const char* kx_watch_speed_label(int speed) {
    return kx::kWatchSpeeds[std::size_t(std::clamp(speed, 0, kx::kFastestSpeed))].label;
}
EMSCRIPTEN_KEEPALIVE void kx_watch_seek(double tick, double now_ms) {
    game->watch_seek(std::int64_t(std::clamp(tick, 0.0, kMaxExactWhole)), ns(now_ms));
}
EMSCRIPTEN_KEEPALIVE double kx_watch_end() { return game->watching() ? double(game->watch_end()) : 0; }
EMSCRIPTEN_KEEPALIVE const char* kx_verdict() {
    static std::string line;
    line = game->watching() ? kx::verdict_line(game->watch_verdict()) : std::string();
    return line.c_str();
}
EMSCRIPTEN_KEEPALIVE void kx_take_over(double now_ms) { game->take_over(ns(now_ms)); }
EMSCRIPTEN_KEEPALIVE double kx_game_ticks() { return double(game->ticks()); }
EMSCRIPTEN_KEEPALIVE const char* kx_caption() { return game->caption().c_str(); }
EMSCRIPTEN_KEEPALIVE const char* kx_missing_text() {
    static std::string lines;
    lines.clear();
    for (const std::string& m : run->text.missing()) lines += m + "\n";
    return lines.c_str();
}

}  // extern "C"

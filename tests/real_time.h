// A real-time run driven with made-up times, as the driver's tests drive it: a driver whose
// trace and recording are kept as text, a clock moved on by whole tick periods, and the headless
// replay that its recording must match.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "elements/virtual_keys.h"
#include "formats/byte_sink.h"
#include "formats/input_script.h"
#include "run/driver.h"
#include "run/fast_replay.h"
#include "test_support.h"

namespace kx::test {

inline constexpr std::int64_t kPeriod = 15'625'000;
inline constexpr std::uint32_t kQuickDeathSeed = 11;  // the idle chick is hit within a few seconds

struct RealTime {
    explicit RealTime(std::uint32_t seed, std::optional<InputScript> replay = std::nullopt,
                      bool pause_on_focus_loss = true, int tick_rate = kDefaultTickRate,
                      std::optional<std::int64_t> tick_limit = std::nullopt) {
        DriverSetup setup;
        setup.base_seed = seed;
        setup.replay = std::move(replay);
        setup.tick_limit = tick_limit;
        setup.tick_rate = tick_rate;
        setup.pause_on_focus_loss = pause_on_focus_loss;
        setup.trace = &trace_writer;
        setup.recording = &recording_text;
        driver = std::make_unique<Driver>(text, std::move(setup), now);
    }

    void periods(int n) {
        for (int k = 0; k < n; ++k) {
            now += kPeriod;
            driver->advance(now);
        }
    }
    void press(int code) { driver->key_down(code, now); }
    void release(int code) { driver->key_up(code, now); }
    // Starts a game and runs until play has begun.
    void start_play() {
        press(kKeySpace);
        release(kKeySpace);
        periods(40);
        ASSERT_TRUE(game().form1.Timer1.running());
    }
    // Runs until the game asks for its box.
    void play_into_game_over() {
        for (int k = 0; k < 20'000 && !driver->box_open(); ++k) periods(1);
        ASSERT_TRUE(driver->box_open());
    }
    const Game& game() const { return driver->session().game(); }
    const GameState& s() const { return game().s; }
    std::int64_t ticks() const { return driver->ticks(); }
    // The key events the game received, read back from the recording the driver wrote.
    std::vector<KeyEvent> recorded() const { return parse_input_text(recording_text.text(), "recording").events; }

    BlockText text;
    StringSink trace_text;
    TraceWriter trace_writer{trace_text};
    StringSink recording_text;
    std::int64_t now = 1'000'000;
    std::unique_ptr<Driver> driver;
};

// The trace of a headless replay of `events` up to `ticks` ticks.
inline std::string replayed_trace(std::uint32_t seed, const std::vector<KeyEvent>& events, std::int64_t ticks) {
    BlockText text;
    StringSink out;
    TraceWriter trace(out);
    Session session(seed, &text, nullptr, &trace);
    session.start();
    replay_at_once(session, events, ticks);
    return out.text();
}

// The trace up to and including its last tick record.
inline std::string up_to_last_tick(const std::string& trace) {
    const auto at = trace.rfind("{\"ev\":\"tick\"");
    return trace.substr(0, trace.find('\n', at) + 1);
}

}  // namespace kx::test

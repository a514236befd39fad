// The browser front end's game: the run/ layer's driver fed with the page's clock and events,
// the tick limit of a replay (?ticks=), the recording, controllers, and the frame as RGBA.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "run/driver.h"
#include "run/gamepad_keys.h"
#include "run/input_script.h"
#include "run/session.h"
#include "web/table_text.h"

namespace kx {

struct WebRun {
    std::uint32_t base_seed = 0;
    int tick_rate = kDefaultTickRate;
    std::optional<InputScript> replay;
    std::optional<std::int64_t> max_ticks;
};

class WebGame {
public:
    WebGame(const WebRun& run, double now_ms);

    // Keys of the player (the keyboard, the touch pad).
    void key(bool down, int code, double now_ms);
    void pad_button(int pad, GamepadKeys::Button button, bool pressed, double now_ms);
    void pad_stick(int pad, int x, int y, double now_ms);
    void pad_gone(int pad, double now_ms);
    void focus_lost(double now_ms) { driver_->focus_lost(ns(now_ms)); }
    // A pointer at a point of the 392 x 286 frame.
    void pointer(bool down, int x, int y, double now_ms);

    // Runs what is due by `now_ms`; true when a new picture is in rgba().
    bool frame(double now_ms);
    const std::uint8_t* rgba() const { return rgba_.data(); }
    // The tick count of the frame last drawn.
    std::int64_t shown_ticks() const { return shown_ticks_; }

    bool box_open() const { return driver_->box_open(); }
    bool paused() const { return driver_->paused(); }
    bool running() const { return session_->any_timer_running(); }
    bool replaying() const { return driver_->replaying(); }
    bool finished() const { return session_->ticks() >= limit_; }

    const GameState& game_state() const { return session_->game().s; }
    const std::string& recording() const { return recording_; }
    const std::string& caption() const { return session_->game().form1.caption(); }
    const std::set<std::string>& missing_text() const { return text_.missing(); }

private:
    static std::int64_t ns(double ms) { return std::int64_t(ms * 1e6); }
    void pad_keys(double now_ms);
    void close_watched_box(std::int64_t now);

    TableText text_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Driver> driver_;
    std::vector<std::uint8_t> rgba_;
    std::int64_t limit_;
    std::int64_t box_ticks_ = 0;
    bool cut_replay_ = false;
    std::int64_t box_seen_ = -1;
    std::int64_t shown_ticks_ = -1;
    std::string recording_;
    std::map<int, GamepadKeys> pads_;
    std::vector<VirtualKey> pad_keys_;
};

}  // namespace kx

// The browser front end's game: the session driven by the page's animation frames, with the
// replay feed, the game-over box, pause, the recording and the controllers.
#pragma once

#include <cstdint>
#include <map>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

#include "run/gamepad_keys.h"
#include "run/input_script.h"
#include "run/renderer.h"
#include "run/session.h"
#include "web/table_text.h"

namespace kx {

struct WebRun {
    std::uint32_t base_seed = 0;
    int tick_rate = 64;
    std::optional<InputScript> replay;
    std::optional<std::int64_t> max_ticks;
};

class WebGame {
public:
    static constexpr int kMaxCatchUpTicks = 4;  // as in the window: no burst after a stall
    static constexpr double kReplayBoxMs = 1000;

    explicit WebGame(const WebRun& run);

    // A key of the player (the keyboard, the touch pad): dropped while a replay runs, except
    // Escape, which ends the replay and hands the game over.
    void key(bool down, int code);
    void pad_button(int pad, GamepadKeys::Button button, bool pressed, double now_ms);
    void pad_stick(int pad, int x, int y, double now_ms);
    void pad_gone(int pad);

    // Runs the ticks due by `now_ms` and draws; true when the picture changed.
    bool frame(double now_ms);
    const std::uint8_t* rgba() const { return rgba_.data(); }
    // The tick count of the frame last drawn.
    std::int64_t shown_ticks() const { return shown_ticks_; }

    bool box_open() const { return box_.has_value(); }
    const std::string& box_title() const { return box_->title; }
    const std::string& box_prompt() const { return box_->prompt; }
    void close_box();

    // Pauses only while play runs (the play tick or the ending's roll).
    void set_paused(bool paused, double now_ms);
    bool paused() const { return paused_; }
    bool running() const { return session_->any_timer_running(); }
    bool replaying() const { return replay_ && next_replayed_ < replay_->events.size(); }
    bool finished() const { return finished_; }

    const GameState& game_state() const { return session_->game().s; }
    const std::string& recording() const { return recording_; }
    const std::string& caption() const { return session_->game().form1.caption(); }
    const std::set<std::string>& missing_text() const { return text_.missing(); }

private:
    struct Box {
        std::string title, prompt;
        double opened_ms = -1;
    };
    void game_key(bool down, int code);
    void feed_replay();
    void run_due_ticks(double now_ms);
    void draw();

    TableText text_;
    Renderer renderer_;
    std::unique_ptr<Session> session_;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
    std::unique_ptr<Frame> box_frame_ = std::make_unique<Frame>();
    std::vector<std::uint8_t> rgba_;
    std::optional<InputScript> replay_;
    std::size_t next_replayed_ = 0;
    std::int64_t limit_;
    double period_ms_;
    std::int64_t max_catch_up_;
    std::optional<Box> box_;
    std::int64_t box_ticks_ = 0;
    bool paused_ = false;
    bool finished_ = false;
    bool dirty_ = true;
    bool was_running_ = false;
    double epoch_ms_ = 0;  // tick n of a running streak is due at epoch + n periods
    std::int64_t scheduled_ = 0;
    std::int64_t shown_ticks_ = -1;
    std::string recording_;
    std::map<int, GamepadKeys> pads_;
    std::vector<VirtualKey> pad_keys_;
};

}  // namespace kx

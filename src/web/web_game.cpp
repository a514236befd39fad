// The page's loop: due ticks at the tick rate from the animation frame's clock, at most a few
// after a stall, replayed events between ticks, and the newest frame as RGBA for the canvas.
#include "web/web_game.h"

#include <algorithm>
#include <cmath>

#include "elements/virtual_keys.h"

namespace kx {

WebGame::WebGame(const WebRun& run)
    : text_(kTextTable),
      renderer_(text_),
      rgba_(std::size_t(Frame::kWidth) * Frame::kHeight * 4, 255),
      replay_(run.replay),
      limit_(run.max_ticks.value_or(INT64_MAX)),
      period_ms_(1000.0 / run.tick_rate),
      // A stall is made up for by at most the cap's worth of time at the usual rate, so that
      // fast replays (?tick-rate=1000) still run at their rate between animation frames.
      max_catch_up_(std::max<std::int64_t>(kMaxCatchUpTicks, (kMaxCatchUpTicks * run.tick_rate + 63) / 64)) {
    // The game's box is posted, not waited for: the rest of the tick runs as in the headless
    // mode, and the page shows the frame of the moment with the box until it is closed.
    session_ =
        std::make_unique<Session>(run.base_seed, &text_, [this](const std::string& prompt, const std::string& title) {
            renderer_.draw(session_->game().form1, *box_frame_);
            box_ = Box{title, prompt};
            box_ticks_ = session_->ticks();
        });
    recording_ = "# kippura-x recording\nseed " + std::to_string(run.base_seed) + "\n";
    session_->start();
}

void WebGame::game_key(bool down, int code) {
    recording_ += std::to_string(session_->ticks()) + (down ? " down " : " up ") + std::to_string(code) + "\n";
    session_->key(down, code);
    dirty_ = true;
}

void WebGame::key(bool down, int code) {
    if (finished_) return;
    if (replaying()) {
        if (down && code == kKeyEscape) next_replayed_ = replay_->events.size();
        return;
    }
    if (box_) {
        if (!down && (code == kKeyReturn || code == kKeySpace || code == kKeyEscape)) close_box();
        return;
    }
    if (paused_) return;
    game_key(down, code);
}

void WebGame::pad_button(int pad, GamepadKeys::Button button, bool pressed, double now_ms) {
    pad_keys_.clear();
    pads_[pad].button(button, pressed, std::int64_t(now_ms), pad_keys_);
    const bool closes =
        button == GamepadKeys::Button::A || button == GamepadKeys::Button::B || button == GamepadKeys::Button::Start;
    if (box_ && closes && !pressed && !replaying()) {
        close_box();
        return;
    }
    for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
}

void WebGame::pad_stick(int pad, int x, int y, double now_ms) {
    pad_keys_.clear();
    pads_[pad].stick(x, y, std::int64_t(now_ms), pad_keys_);
    for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
}

void WebGame::pad_gone(int pad) {
    pad_keys_.clear();
    pads_[pad].release_all(pad_keys_);
    pads_.erase(pad);
    for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
}

void WebGame::close_box() {
    if (!box_) return;
    box_.reset();
    was_running_ = false;  // the clock starts afresh: no catch-up for the time the box was open
    dirty_ = true;
}

void WebGame::set_paused(bool paused, double now_ms) {
    if (paused && (!running() || box_ || finished_)) return;
    if (paused_ == paused) return;
    paused_ = paused;
    if (!paused) {
        epoch_ms_ = now_ms;  // the clock stood still: no burst of ticks follows
        scheduled_ = 0;
    }
}

// A replayed event is handled once its tick count is reached, or at once while no timer runs.
void WebGame::feed_replay() {
    while (replaying() && !box_) {
        const KeyEvent& e = replay_->events[next_replayed_];
        if (e.tick >= limit_) {
            next_replayed_ = replay_->events.size();
            break;
        }
        if (e.tick > session_->ticks() && session_->any_timer_running()) break;
        ++next_replayed_;
        game_key(e.down, e.code);
    }
}

void WebGame::run_due_ticks(double now_ms) {
    const bool running = session_->any_timer_running();
    if (running && !was_running_) {
        epoch_ms_ = now_ms;
        scheduled_ = 0;
    }
    was_running_ = running;
    if (!running) return;
    const auto due = std::int64_t(std::floor((now_ms - epoch_ms_) / period_ms_));
    if (due - scheduled_ > max_catch_up_) scheduled_ = due - max_catch_up_;
    while (scheduled_ < due && !box_ && session_->ticks() < limit_) {
        feed_replay();
        if (!session_->any_timer_running()) break;
        session_->run_period(limit_);
        ++scheduled_;
        dirty_ = true;
    }
}

bool WebGame::frame(double now_ms) {
    for (auto& [pad, keys] : pads_) {
        pad_keys_.clear();
        keys.repeat(std::int64_t(now_ms), pad_keys_);
        for (const VirtualKey& k : pad_keys_) key(k.down, k.code);
    }
    if (box_) {
        if (box_->opened_ms < 0) box_->opened_ms = now_ms;
        // A replay is watched, not played: its box closes by itself.
        if (replay_ && now_ms - box_->opened_ms >= kReplayBoxMs) close_box();
    }
    if (!finished_ && !box_ && !paused_) {
        feed_replay();
        run_due_ticks(now_ms);
        feed_replay();
        if (session_->ticks() >= limit_) finished_ = true;
    }
    if (!dirty_) return false;
    draw();
    return true;
}

void WebGame::draw() {
    const Frame* shown = frame_.get();
    if (box_) {
        shown = box_frame_.get();
        shown_ticks_ = box_ticks_;
    } else {
        renderer_.draw(session_->game().form1, *frame_);
        shown_ticks_ = session_->ticks();
    }
    std::uint8_t* out = rgba_.data();
    for (const std::uint32_t p : shown->pixels) {
        out[0] = std::uint8_t(p >> 16);
        out[1] = std::uint8_t(p >> 8);
        out[2] = std::uint8_t(p);
        out += 4;  // alpha stays opaque
    }
    dirty_ = false;
}

}  // namespace kx

// The page's game: the driver does the rules; this adds the tick limit, the recording and the
// controllers, and turns frames into the canvas's RGBA.
#include "web/web_game.h"

#include "elements/virtual_keys.h"

namespace kx {

WebGame::WebGame(const WebRun& run, double now_ms)
    : text_(kTextTable),
      rgba_(std::size_t(Frame::kWidth) * Frame::kHeight * 4, 255),
      limit_(run.max_ticks.value_or(INT64_MAX)) {
    session_ = std::make_unique<Session>(
        run.base_seed, &text_, [this](const std::string&, const std::string&) { box_ticks_ = session_->ticks(); });
    recording_ = "# kippura-x recording\nseed " + std::to_string(run.base_seed) + "\n";
    DriverOptions options;
    options.tick_period_ns = 1'000'000'000LL / run.tick_rate;
    options.refresh_ns = 1'000'000;  // the animation frame is the refresh: each one may show a frame
    options.replay = run.replay;
    if (options.replay) {  // events at or beyond the limit never come, as in the headless run
        auto& events = options.replay->events;
        cut_replay_ =
            std::erase_if(events, [&](const KeyEvent& e) { return e.tick >= limit_; }) > 0 || run.max_ticks.has_value();
    }
    session_->start();
    driver_ = std::make_unique<Driver>(
        *session_, text_, options,
        [this](const KeyEvent& e) {
            recording_ += std::to_string(e.tick) + (e.down ? " down " : " up ") + std::to_string(e.code) + "\n";
        },
        nullptr, ns(now_ms));
}

void WebGame::key(bool down, int code, double now_ms) {
    if (down)
        driver_->key_down(code, ns(now_ms));
    else
        driver_->key_up(code, ns(now_ms));
}

void WebGame::pad_keys(double now_ms) {
    for (const VirtualKey& k : pad_keys_) {
        if (k.down)
            driver_->key_down(k.code, ns(now_ms), true);
        else
            driver_->key_up(k.code, ns(now_ms), true);
    }
    pad_keys_.clear();
}

void WebGame::pad_button(int pad, GamepadKeys::Button button, bool pressed, double now_ms) {
    pads_[pad].button(button, pressed, std::int64_t(now_ms), pad_keys_);
    pad_keys(now_ms);
}

void WebGame::pad_stick(int pad, int x, int y, double now_ms) {
    pads_[pad].stick(x, y, std::int64_t(now_ms), pad_keys_);
    pad_keys(now_ms);
}

void WebGame::pad_gone(int pad, double now_ms) {
    pads_[pad].release_all(pad_keys_);
    pads_.erase(pad);
    pad_keys(now_ms);
}

void WebGame::pointer(bool down, int x, int y, double now_ms) {
    if (down)
        driver_->pointer_down(x, y);
    else
        driver_->pointer_up(x, y, ns(now_ms));
}

// A replay cut short by ?ticks= is still watched, not played: its box closes by itself as the
// driver closes a replay's box, although the events stamped beyond the limit were dropped.
void WebGame::close_watched_box(std::int64_t now) {
    if (!cut_replay_ || !driver_->box_open() || driver_->replaying()) {
        box_seen_ = -1;
        return;
    }
    if (box_seen_ < 0) box_seen_ = now;
    if (now - box_seen_ < Driver::kReplayBoxNs) return;
    driver_->key_down(kKeyReturn, now);
    driver_->key_up(kKeyReturn, now);
}

bool WebGame::frame(double now_ms) {
    for (auto& [pad, keys] : pads_) {
        keys.repeat(std::int64_t(now_ms), pad_keys_);
        pad_keys(now_ms);
    }
    const std::int64_t now = ns(now_ms);
    close_watched_box(now);
    // Near the limit, one due tick at a time, so that the run stops exactly on it.
    while (session_->ticks() < limit_) {
        if (limit_ - session_->ticks() > kMaxCatchUpTicks + 1) {
            driver_->advance(now);
            break;
        }
        const std::int64_t wake = driver_->wake_at();
        if (wake > now) {
            driver_->advance(now);  // replayed events and the box's own time
            break;
        }
        const std::int64_t before = session_->ticks();
        driver_->advance(wake);
        if (session_->ticks() == before && driver_->wake_at() == wake) break;
    }
    if (!driver_->present_due(now)) return false;
    const Frame& shown = driver_->present(now);
    shown_ticks_ = driver_->box_open() ? box_ticks_ : session_->ticks();
    std::uint8_t* out = rgba_.data();
    for (const std::uint32_t p : shown.pixels) {
        out[0] = std::uint8_t(p >> 16);
        out[1] = std::uint8_t(p >> 8);
        out[2] = std::uint8_t(p);
        out += 4;  // alpha stays opaque
    }
    return true;
}

}  // namespace kx

// The rules of a real-time run: which key goes where, when ticks run and where they stop, what
// the box and the pause let through, and which frame goes out.
#include "run/driver.h"

#include <algorithm>
#include <utility>

#include "draw/overlays.h"
#include "elements/virtual_keys.h"
#include "formats/recording.h"
#include "play/game_keys.h"

namespace kx {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

bool closes_box(int code, bool from_pad) {
    if (code == kKeyReturn || code == kKeySpace || code == kKeyEscape) return true;
    return from_pad && code == kGameKeys.fire;  // a controller's A and B; the keyboard's fire key does not
}

bool pause_key(int code) { return code == kKeyP || code == kKeyPause; }
bool resume_key(int code) { return pause_key(code) || code == kKeyReturn; }

std::int64_t refresh_period(int hz) { return hz > 0 ? 1'000'000'000LL / hz : 0; }

}  // namespace

Driver::Driver(TextRasterizer& text, DriverSetup setup, std::int64_t now)
    : text_(text),
      session_(setup.base_seed, &text, nullptr, setup.trace),
      renderer_(text),
      tick_limit_(setup.tick_limit.value_or(INT64_MAX)),
      refresh_ns_(refresh_period(setup.refresh_hz)),
      pause_on_focus_loss_(setup.pause_on_focus_loss),
      recording_(setup.recording),
      stats_(1'000'000'000LL / setup.tick_rate, refresh_ns_),
      clock_(1'000'000'000LL / setup.tick_rate),
      grid_(now, refresh_ns_),
      watched_(setup.replay && setup.tick_limit),
      next_present_(now) {
    if (setup.replay) feed_.emplace(std::move(setup.replay->events), tick_limit_);
    if (setup.process_started) stats_.process_started(*setup.process_started);
    session_.keep_boxes();
    session_.start();
    if (recording_) write_recording_start(*recording_, setup.base_seed);
}

bool Driver::playing() const {
    const Form1& f = session_.game().form1;
    return f.Timer1.running() || f.Timer3.running();
}

void Driver::to_game(bool down, int code) {
    const bool was_idle = !session_.any_timer_running();
    if (recording_) {
        write_key_event(*recording_, KeyEvent{session_.ticks(), down, code});
        recording_->flush();  // a recording survives whatever ends the program
    }
    session_.key(down, code);
    // During play a key only sets speeds for the next tick: nothing new to show until then.
    if (was_idle || !session_.any_timer_running()) dirty_ = true;
}

void Driver::release_held() {
    const auto held = std::exchange(held_, {});
    for (const int code : held) to_game(false, code);
}

void Driver::key(bool down, int code, std::int64_t now, bool from_pad) {
    if (!down) {
        if (box_) {
            // The game hears this release when the box has closed; the key is free for the box now.
            if (held_.erase(code) != 0) let_go_in_box_.insert(code);
            if (box_key_ != 0 && code == box_key_) close_box();
            return;
        }
        // A release reaches the game whenever its press did, whatever happened in between.
        if (held_.erase(code) != 0) to_game(false, code);
        return;
    }
    if (box_) {
        // A key held since before the game over repeats: only a fresh press counts.
        if (closes_box(code, from_pad) && held_.count(code) == 0) box_key_ = code;
        return;
    }
    if (paused_) {
        if (resume_key(code)) resume(now);
        return;
    }
    if (replaying()) {
        if (code == kKeyEscape) {  // the player takes over at once, with no key of the replay's held
            feed_->stop();
            release_held();
            dirty_ = true;
        }
        return;
    }
    if (playing() && pause_key(code)) {
        pause(now);
        return;
    }
    held_.insert(code);  // repeats too: the game hears the desktop's key repeat
    to_game(true, code);
}

void Driver::pad_keys(std::int64_t now) {
    for (const VirtualKey& k : pad_keys_) key(k.down, k.code, now, true);
    pad_keys_.clear();
}

void Driver::pad_button(int pad, GamepadKeys::Button button, bool pressed, std::int64_t now) {
    pads_[pad].button(button, pressed, now / kNsPerMs, pad_keys_);
    pad_keys(now);
}

void Driver::pad_stick(int pad, int x, int y, std::int64_t now) {
    pads_[pad].stick(x, y, now / kNsPerMs, pad_keys_);
    pad_keys(now);
}

void Driver::pad_gone(int pad, std::int64_t now) {
    const auto it = pads_.find(pad);
    if (it == pads_.end()) return;
    it->second.release_all(pad_keys_);
    pads_.erase(it);
    pad_keys(now);
}

void Driver::focus_lost(std::int64_t now) {
    if (box_ || replaying()) return;  // the box waits (keys come up when it closes); a replay plays on
    release_held();
    if (pause_on_focus_loss_) pause(now);
}

void Driver::pointer_down(int x, int y) {
    ok_held_ = box_ && kBoxOkButton.contains(x, y);
    if (box_) dirty_ = true;
}

void Driver::pointer_up(int x, int y, std::int64_t /*now*/) {
    const bool on_ok = box_ && ok_held_ && kBoxOkButton.contains(x, y);
    ok_held_ = false;
    if (on_ok) close_box();
    if (box_) dirty_ = true;
}

void Driver::display_refresh(int hz, std::int64_t now) {
    refresh_ns_ = refresh_period(hz);
    grid_ = PresentGrid(now, refresh_ns_);
    stats_.refresh_period(refresh_ns_);
    next_present_ = std::min(next_present_, now);
}

void Driver::pause(std::int64_t now) {
    if (paused_ || !playing()) return;
    paused_ = true;
    clock_.pause(now);
    stats_.running(false, now);
    dirty_ = true;
}

void Driver::resume(std::int64_t now) {
    if (!paused_) return;
    paused_ = false;
    clock_.resume(now);
    stats_.running(true, now);
    dirty_ = true;
}

void Driver::close_box() {
    box_.reset();
    box_key_ = 0;
    ok_held_ = false;
    dirty_ = true;
    // Keys let go of while the box was open, and those still held, come up now.
    if (!replaying()) held_.insert(let_go_in_box_.begin(), let_go_in_box_.end());
    let_go_in_box_.clear();
    if (!replaying()) release_held();
}

void Driver::note_running(std::int64_t now) {
    // No tick is due while the box is open: its time is not the run's, in the figures or the clock.
    const bool running = session_.any_timer_running() && !box_;
    if (running == was_running_) return;
    stats_.running(running, now);
    if (running) clock_.start(now);  // a new streak: its first tick one period from now
    was_running_ = running;
}

void Driver::advance(std::int64_t now) {
    for (auto& [pad, keys] : pads_) keys.repeat(now / kNsPerMs, pad_keys_);
    pad_keys(now);
    if (box_ && box_closes_by_itself() && now - box_opened_ >= kReplayBoxNs) close_box();
    if (box_ || paused_) return;
    for (;;) {
        note_running(now);
        if (const KeyEvent* e = feed_ ? feed_->due(session_.ticks(), session_.any_timer_running()) : nullptr) {
            const KeyEvent event = *e;
            feed_->pop();
            // The replay's keys are held like the player's: they come up on focus loss or Escape.
            if (event.down)
                held_.insert(event.code);
            else
                held_.erase(event.code);
            to_game(event.down, event.code);
            if (feed_->done()) dirty_ = true;  // the replay mark goes
            continue;
        }
        if (finished() || !session_.any_timer_running() || !clock_.take_due(now)) break;
        stats_.tick(clock_.late_ns(now));
        stats_.skipped(clock_.skipped() - skipped_seen_);
        skipped_seen_ = clock_.skipped();
        session_.run_period(tick_limit_);
        dirty_ = true;
        if (session_.box_pending()) {
            box_ = session_.take_box();
            box_opened_ = now;
            note_running(now);
            return;
        }
    }
}

std::int64_t Driver::wake_at() const {
    std::int64_t at = INT64_MAX;
    const bool ticking = !box_ && !paused_ && !finished() && session_.any_timer_running();
    if (box_) {
        if (box_closes_by_itself()) at = box_opened_ + kReplayBoxNs;
    } else if (ticking) {
        at = clock_.next_due();
    }
    for (const auto& [pad, keys] : pads_)
        if (const auto repeat = keys.next_repeat_ms()) at = std::min(at, *repeat * kNsPerMs);
    // While play runs, a frame goes out with the first tick of a refresh that has not had one:
    // the wake-up that runs the tick also shows it, and the loop wakes about half as often as
    // with a wake-up of its own for each frame. Only a tick rate slower than the refresh leaves
    // a refresh without a tick to show what changed meanwhile.
    if (dirty_ && !(ticking && at <= next_present_ + refresh_ns_)) at = std::min(at, next_present_);
    return at;
}

bool Driver::present_due(std::int64_t now) const {
    if (!dirty_) return false;
    // While play runs, at most one frame goes out in each of the display's refreshes.
    return now >= next_present_ || !session_.any_timer_running() || paused_ || box_;
}

const Frame& Driver::present(std::int64_t now) {
    if (box_) {
        *frame_ = *box_->frame;
        draw_game_over_box(*frame_, text_, box_->title, box_->prompt, ok_held_);
        shown_ticks_ = box_->ticks;
    } else {
        renderer_.draw(session_.game().form1, *frame_);
        if (paused_) draw_paused(*frame_, text_);
        shown_ticks_ = session_.ticks();
    }
    if (replaying()) draw_replay_mark(*frame_, text_);
    dirty_ = false;
    stats_.presented(session_.any_timer_running() && !paused_ && !box_, now);
    next_present_ = grid_.next_after(now);
    return *frame_;
}

}  // namespace kx

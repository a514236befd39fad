// The rules of a real-time run: which key goes where, when ticks run, what the box and the pause
// let through, and which frame goes out.
#include "run/driver.h"

#include <algorithm>
#include <utility>

#include "elements/virtual_keys.h"
#include "run/overlays.h"

namespace kx {
namespace {

bool closes_box(int code, bool from_gamepad) {
    if (code == kKeyReturn || code == kKeySpace || code == kKeyEscape) return true;
    return from_gamepad && code == kKeyZ;  // a controller's A and B
}

bool pause_key(int code) { return code == kKeyP || code == kKeyPause; }
bool resume_key(int code) { return pause_key(code) || code == kKeyReturn; }

}  // namespace

Driver::Driver(Session& session, TextRasterizer& text, DriverOptions options, KeyRecorder recorder, WindowStats* stats,
               std::int64_t now)
    : session_(session),
      text_(text),
      renderer_(text),
      options_(std::move(options)),
      recorder_(std::move(recorder)),
      stats_(stats),
      clock_(options_.tick_period_ns),
      grid_(now, options_.refresh_ns),
      feed_(options_.replay ? options_.replay->events : std::vector<KeyEvent>{}),
      replay_given_(options_.replay.has_value()),
      next_present_(now) {
    session_.keep_boxes();
}

bool Driver::playing() const {
    const Form1& f = session_.game().form1;
    return f.Timer1.running() || f.Timer3.running();
}

void Driver::to_game(bool down, int code) {
    const bool was_idle = !session_.any_timer_running();
    if (recorder_) recorder_(KeyEvent{session_.ticks(), down, code});
    session_.key(down, code);
    // During play a key only sets speeds for the next tick: nothing new to show until then.
    if (was_idle || !session_.any_timer_running()) dirty_ = true;
}

void Driver::release_held() {
    const auto held = std::exchange(held_, {});
    for (const int code : held) to_game(false, code);
}

void Driver::key_down(int code, std::int64_t now, bool from_gamepad) {
    if (box_) {
        // A key held since before the game over repeats: only a fresh press counts.
        if (closes_box(code, from_gamepad) && held_.count(code) == 0) box_key_ = code;
        return;
    }
    if (paused_) {
        if (resume_key(code)) resume(now);
        return;
    }
    if (replaying()) {
        if (code == kKeyEscape) {  // the player takes over at once, with no key of the replay's held
            feed_.stop();
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

void Driver::key_up(int code, std::int64_t /*now*/, bool /*from_gamepad*/) {
    if (box_) {
        // The game hears this release when the box has closed; the key is free for the box now.
        if (held_.erase(code) != 0) let_go_in_box_.insert(code);
        if (box_key_ != 0 && code == box_key_) close_box();
        return;
    }
    // A release reaches the game whenever its press did, whatever happened in between.
    if (held_.erase(code) == 0) return;
    to_game(false, code);
}

void Driver::focus_lost(std::int64_t now) {
    if (box_ || replaying()) return;  // the box waits (keys come up when it closes); a replay plays on
    release_held();
    if (options_.pause_on_focus_loss) pause(now);
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

void Driver::pause(std::int64_t now) {
    if (paused_ || !playing()) return;
    paused_ = true;
    clock_.pause(now);
    if (stats_) stats_->running(false, now);
    dirty_ = true;
}

void Driver::resume(std::int64_t now) {
    if (!paused_) return;
    paused_ = false;
    clock_.resume(now);
    if (stats_) stats_->running(true, now);
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
    const bool running = session_.any_timer_running();
    if (running == was_running_) return;
    if (stats_) stats_->running(running, now);
    if (running) clock_.start(now);  // a new streak: its first tick one period from now
    was_running_ = running;
}

void Driver::advance(std::int64_t now) {
    if (box_ && replaying() && now - box_opened_ >= kReplayBoxNs) close_box();
    if (box_ || paused_) return;
    for (;;) {
        note_running(now);
        if (const KeyEvent* e = feed_.due(session_.ticks(), session_.any_timer_running())) {
            const KeyEvent event = *e;
            feed_.pop();
            // The replay's keys are held like the player's: they come up on focus loss or Escape.
            if (event.down)
                held_.insert(event.code);
            else
                held_.erase(event.code);
            to_game(event.down, event.code);
            if (feed_.done()) dirty_ = true;  // the replay mark goes
            continue;
        }
        if (!session_.any_timer_running() || !clock_.take_due(now)) break;
        if (stats_) {
            stats_->tick(clock_.late_ns(now));
            stats_->skipped(clock_.skipped() - skipped_seen_);
            skipped_seen_ = clock_.skipped();
        }
        session_.run_period();
        dirty_ = true;
        if (session_.box_pending()) {
            box_ = session_.take_box();
            box_opened_ = now;
            return;
        }
    }
}

std::int64_t Driver::wake_at() const {
    std::int64_t at = INT64_MAX;
    const bool ticking = !box_ && !paused_ && session_.any_timer_running();
    if (box_) {
        if (replaying()) at = box_opened_ + kReplayBoxNs;
    } else if (ticking) {
        at = clock_.next_due();
    }
    // While play runs, a frame goes out with the first tick of a refresh that has not had one:
    // the wake-up that runs the tick also shows it, and the loop wakes about half as often as
    // with a wake-up of its own for each frame. Only a tick rate slower than the refresh leaves
    // a refresh without a tick to show what changed meanwhile.
    if (dirty_ && !(ticking && at <= next_present_ + options_.refresh_ns)) at = std::min(at, next_present_);
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
    } else {
        renderer_.draw(session_.game().form1, *frame_);
        if (paused_) draw_paused(*frame_, text_);
    }
    if (replaying()) draw_replay_mark(*frame_, text_);
    dirty_ = false;
    if (stats_) stats_->presented(session_.any_timer_running() && !paused_ && !box_);
    next_present_ = grid_.next_after(now);
    return *frame_;
}

}  // namespace kx

// The coordination of a real-time run: each event goes where the key router, the box and the
// pause say, ticks run when the pacing says they are due, and the replay feed and the tick limit
// decide what comes and where it stops.
#include "run/driver.h"

#include <algorithm>
#include <utility>

#include "formats/recording.h"

namespace kx {
namespace {

constexpr std::int64_t kNsPerMs = 1'000'000;

}  // namespace

Driver::Driver(TextRasterizer& text, DriverSetup setup, std::int64_t now)
    : session_(setup.base_seed, &text, nullptr, setup.trace),
      shown_(text),
      tick_limit_(setup.tick_limit.value_or(INT64_MAX)),
      pause_on_focus_loss_(setup.pause_on_focus_loss),
      watched_(setup.replay && setup.tick_limit),
      recording_(setup.recording),
      pacing_(setup.tick_rate, setup.refresh_hz, now) {
    if (setup.replay) feed_.emplace(std::move(setup.replay->events), tick_limit_);
    if (setup.process_started) pacing_.stats().process_started(*setup.process_started);
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
    if (was_idle || !session_.any_timer_running()) pacing_.mark();
}

void Driver::let_go(const std::set<int>& codes) {
    for (const int code : codes) to_game(false, code);
}

void Driver::key(bool down, int code, std::int64_t now, bool from_pad) {
    const KeyGate gate{box_.is_open(), paused_, replaying(), playing()};
    switch (router_.route(down, code, from_pad, gate)) {
        case KeyRoute::to_game: to_game(down, code); break;
        case KeyRoute::box_press: box_.arm(code); break;
        case KeyRoute::box_release:
            if (box_.closed_by(code)) close_box();
            break;
        case KeyRoute::resume: resume(now); break;
        case KeyRoute::pause: pause(now); break;
        case KeyRoute::take_over: take_over(); break;
        case KeyRoute::none: break;
    }
}

void Driver::pad_keys(std::int64_t now) {
    for (const VirtualKey& k : pads_.take_keys()) key(k.down, k.code, now, true);
}

void Driver::pad_button(int pad, GamepadKeys::Button button, bool pressed, std::int64_t now) {
    pads_.button(pad, button, pressed, now / kNsPerMs);
    pad_keys(now);
}

void Driver::pad_stick(int pad, int x, int y, std::int64_t now) {
    pads_.stick(pad, x, y, now / kNsPerMs);
    pad_keys(now);
}

void Driver::pad_stick_axis(int pad, bool vertical, int value, std::int64_t now) {
    pads_.stick_axis(pad, vertical, value, now / kNsPerMs);
    pad_keys(now);
}

void Driver::pad_gone(int pad, std::int64_t now) {
    pads_.gone(pad);
    pad_keys(now);
}

void Driver::focus_lost(std::int64_t now) {
    if (box_.is_open() || replaying()) return;  // the box waits (keys come up when it closes); a replay plays on
    let_go(router_.let_go_all());
    if (pause_on_focus_loss_) pause(now);
}

void Driver::pointer_down(int x, int y) {
    box_.pointer_down(x, y);
    if (box_.is_open()) pacing_.mark();
}

void Driver::pointer_up(int x, int y, std::int64_t /*now*/) {
    if (box_.pointer_up(x, y)) close_box();
    if (box_.is_open()) pacing_.mark();
}

void Driver::display_refresh(int hz, std::int64_t now) { pacing_.display_refresh(hz, now); }

void Driver::pause(std::int64_t now) {
    if (paused_ || !playing()) return;
    paused_ = true;
    pacing_.pause(now);
}

void Driver::resume(std::int64_t now) {
    if (!paused_) return;
    paused_ = false;
    pacing_.resume(now);
}

// The player takes over a replay at once, with none of the replay's keys held.
void Driver::take_over() {
    feed_->stop();
    let_go(router_.let_go_all());
    pacing_.mark();
}

void Driver::close_box() {
    box_.close();
    pacing_.mark();
    let_go(router_.box_closed(replaying()));
}

// The replay's next event if it is due: true when one ran.
bool Driver::replay_step() {
    const KeyEvent* due = feed_ ? feed_->due(session_.ticks(), session_.any_timer_running()) : nullptr;
    if (!due) return false;
    const KeyEvent event = *due;
    feed_->pop();
    router_.replayed(event.down, event.code);
    to_game(event.down, event.code);
    if (feed_->done()) pacing_.mark();  // the replay mark goes
    return true;
}

void Driver::open_box(std::int64_t now) {
    box_.open(session_.take_box(), now);
    // No tick is due while the box is open: its time is not the run's, in the figures or the clock.
    pacing_.running(false, now);
}

void Driver::advance(std::int64_t now) {
    pads_.repeat(now / kNsPerMs);
    pad_keys(now);
    if (box_.is_open() && box_closes_by_itself() && now >= box_.closes_at()) close_box();
    if (box_.is_open() || paused_) return;
    for (;;) {
        pacing_.running(running(), now);
        if (replay_step()) continue;
        if (finished() || !running() || !pacing_.take_tick(now)) break;
        session_.run_period(tick_limit_);
        if (session_.box_pending()) return open_box(now);
    }
}

std::int64_t Driver::wake_at() const {
    std::int64_t at = INT64_MAX;
    if (box_.is_open()) {
        if (box_closes_by_itself()) at = box_.closes_at();
    } else if (ticking()) {
        at = pacing_.next_tick();
    }
    if (const auto repeat = pads_.next_repeat_ms()) at = std::min(at, *repeat * kNsPerMs);
    return pacing_.wake_at(at, ticking());
}

bool Driver::present_due(std::int64_t now) const {
    // While play runs, at most one frame goes out in each of the display's refreshes.
    return pacing_.present_due(now, in_play());
}

const Frame& Driver::present(std::int64_t now) {
    const Frame& frame = box_.is_open() ? shown_.box(*box_.box(), box_.ok_held(), replaying())
                                        : shown_.game(session_.game().form1, session_.ticks(), paused_, replaying());
    pacing_.presented(now, in_play());
    return frame;
}

}  // namespace kx

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
    : text_(text),
      session_(setup.base_seed, &text, nullptr, setup.trace),
      shown_(text),
      tick_limit_(setup.tick_limit.value_or(INT64_MAX)),
      pause_on_focus_loss_(setup.pause_on_focus_loss),
      watched_(setup.replay && setup.tick_limit),
      recording_(setup.recording),
      tick_rate_(setup.tick_rate),
      pacing_(setup.tick_rate, setup.refresh_hz, now) {
    if (setup.replay) {
        watched_game_ = InputScript{setup.base_seed, setup.replay->events};
        feed_.emplace(std::move(setup.replay->events), tick_limit_);
        watching_ = true;
    }
    if (setup.process_started) pacing_.stats().process_started(*setup.process_started);
    session_.keep_boxes();
    session_.start();
    if (!watching_) write_recording_so_far();
}

void Driver::write_heard(ByteSink& out) const {
    write_recording_start(out, session_.base_seed());
    for (const KeyEvent& e : heard_) write_key_event(out, e);
}

void Driver::write_recording_so_far() {
    recording_live_ = true;
    if (!recording_) return;
    write_heard(*recording_);
    recording_->flush();
}

std::string Driver::recording_text() const {
    StringSink text;
    write_heard(text);
    return text.text();
}

bool Driver::playing() const {
    const Form1& f = session_.game().form1;
    return f.Timer1.running() || f.Timer3.running();
}

void Driver::to_game(bool down, int code) {
    const bool was_idle = !session_.any_timer_running();
    heard_.push_back(KeyEvent{session_.ticks(), down, code});
    if (recording_ && recording_live_) {
        write_key_event(*recording_, heard_.back());
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
        case KeyRoute::to_game:
            if (watching_) stop_watching(now);  // the player's own key: the game is theirs now
            to_game(down, code);
            break;
        case KeyRoute::box_press: box_.arm(code); break;
        case KeyRoute::box_release:
            if (box_.closed_by(code)) close_box();
            break;
        case KeyRoute::resume: resume(now); break;
        case KeyRoute::pause: pause(now); break;
        case KeyRoute::take_over: take_over(now); break;
        case KeyRoute::watch: watch_key(code, now); break;
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
    // The box waits (keys come up when it closes); a watched replay plays on.
    if (box_.is_open() || replaying() || watching_) return;
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

void Driver::take_over(std::int64_t now) {
    if (!watching_) return;
    feed_->stop();
    stop_watching(now);
    let_go(router_.let_go_all());
    pacing_.mark();
}

void Driver::stop_watching(std::int64_t now) {
    // The game is the player's now: a watch pause left on would hold it for good, with no key
    // left to lift it.
    watch_pause(false, now);
    watching_ = false;
    if (speed_ != kNormalSpeed) watch_speed(kNormalSpeed, now);
    if (!recording_live_) write_recording_so_far();
}

ReplayTimeline& Driver::timeline() {
    if (!timeline_)
        timeline_ = std::make_unique<ReplayTimeline>(*watched_game_, watched_game_->seed.value_or(0), text_);
    return *timeline_;
}

void Driver::watch_pause(bool paused, std::int64_t now) {
    if (!watching_ || paused == watch_paused_) return;
    watch_paused_ = paused;
    if (paused)
        pacing_.pause(now);
    else
        pacing_.resume(now);
}

void Driver::watch_step(std::int64_t now) {
    if (!watching_) return;
    watch_pause(true, now);
    if (box_.is_open()) return close_box();  // the box is a moment of its own: a step goes past it
    while (replay_step()) {}
    if (!running() || finished()) return;
    session_.run_period(session_.ticks() + 1);
    if (session_.box_pending()) open_box(now);
    pacing_.mark();
}

void Driver::watch_speed(int speed, std::int64_t now) {
    speed_ = std::clamp(speed, 0, kFastestSpeed);
    const WatchSpeed& s = kWatchSpeeds[std::size_t(speed_)];
    // As fast as it goes runs a batch of ticks each time the loop comes round; the clock's rate
    // is then the fastest it knows, for the wake-ups.
    const std::int64_t rate = s.per == 0 ? kMaxTickRate : std::int64_t(tick_rate_) * s.times;
    const std::int64_t per = s.per == 0 ? 1 : s.per;
    pacing_.set_tick_period(1'000'000'000LL * per / rate, now);
}

void Driver::watch_seek(std::int64_t tick, std::int64_t now) {
    if (!watching_ || recording_live_) return;
    ReplayTimeline& line = timeline();
    if (box_.is_open()) box_.close();
    // The ticks on the way were traced when first played; the boxes on the way close at once.
    session_.mute_trace(true);
    session_.keep_boxes(false);
    line.seek(session_, *feed_, std::min(tick, tick_limit_));
    session_.keep_boxes(true);
    session_.mute_trace(false);
    // The keys the replay holds at that tick, and the events the game heard up to it.
    router_ = KeyRouter();
    for (std::size_t k = 0; k < feed_->position(); ++k)
        router_.replayed(feed_->events()[k].down, feed_->events()[k].code);
    heard_.resize(std::min(heard_.size(), feed_->position()));
    while (heard_.size() < feed_->position()) heard_.push_back(feed_->events()[heard_.size()]);
    pacing_.running(false, now);
    pacing_.mark();
}

void Driver::watch_key(int code, std::int64_t now) {
    using Does = WatchKey::Does;
    const WatchKey key = kx::watch_key(code);
    switch (key.does) {
        case Does::nothing: break;
        case Does::pause: watch_pause(!watch_paused_, now); break;
        case Does::step: watch_step(now); break;
        case Does::faster: watch_speed(speed_ + 1, now); break;
        case Does::slower: watch_speed(speed_ - 1, now); break;
        case Does::seek_by_seconds:
            watch_seek(std::max<std::int64_t>(0, session_.ticks() + std::int64_t(key.amount) * tick_rate_), now);
            break;
        case Does::seek_to_tenth: watch_seek(watch_end() * key.amount / 10, now); break;
        case Does::seek_to_end: watch_seek(watch_end(), now); break;
    }
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
    if (!due || session_.in_period()) return false;
    const KeyEvent event = *due;
    feed_->pop();
    router_.replayed(event.down, event.code);
    to_game(event.down, event.code);
    if (feed_->done()) {
        pacing_.mark();  // the replay mark goes
        // A recording file gets the replay's events now: from here the keys are the player's.
        if (recording_ && !recording_live_) write_recording_so_far();
    }
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
    if (watch_paused_) return;
    if (box_.is_open() && box_closes_by_itself() && now >= box_.closes_at()) close_box();
    if (box_.is_open() || paused_) return;
    // As fast as it goes: a batch of ticks each time round, then a frame.
    constexpr int kFastestBatch = 256;
    for (int batch = 0;;) {
        pacing_.running(running(), now);
        if (replay_step()) continue;
        if (finished() || !running()) break;
        if (watch_ticking() ? ++batch > kFastestBatch : !pacing_.take_tick(now)) break;
        session_.run_period(tick_limit_);
        if (session_.box_pending()) return open_box(now);
    }
    if (watch_ticking()) pacing_.mark();
}

std::int64_t Driver::wake_at() const {
    std::int64_t at = INT64_MAX;
    if (box_.is_open()) {
        if (box_closes_by_itself()) at = box_.closes_at();
    } else if (ticking()) {
        at = watch_ticking() ? 0 : pacing_.next_tick();
    }
    if (const auto repeat = pads_.next_repeat_ms()) at = std::min(at, *repeat * kNsPerMs);
    return pacing_.wake_at(at, ticking());
}

bool Driver::present_due(std::int64_t now) const {
    // While play runs, at most one frame goes out in each of the display's refreshes.
    return pacing_.present_due(now, in_play());
}

const Frame& Driver::present(std::int64_t now) {
    // A watched replay paused shows the game alone, as the headless screenshot of its tick.
    const bool mark = replaying() && !watch_paused_;
    const Frame& frame = box_.is_open() ? shown_.box(*box_.box(), box_.ok_held(), mark)
                                        : shown_.game(session_.game().form1, session_.ticks(), paused_, mark);
    pacing_.presented(now, in_play());
    return frame;
}

}  // namespace kx

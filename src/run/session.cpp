// Driving the game's procedures in their order.
#include "run/session.h"

#include <array>

#include "draw/renderer.h"
#include "play/play.h"
#include "sequences/sequences.h"

namespace kx {

Session::Session(std::uint32_t base_seed, TextRasterizer* metrics, BoxObserver on_message_box, GameTrace* trace)
    : metrics_(metrics),
      random_(base_seed),
      on_message_box_(std::move(on_message_box)),
      trace_(trace),
      game_(*this, metrics) {}

void Session::start() {
    Form_Initialize(game_);
    if (trace_) trace_->start(game_, ticks_);
}

bool Session::any_timer_running() const {
    const Form1& f = game_.form1;
    return f.Timer1.running() || f.Timer2.running() || f.Timer3.running();
}

void Session::run_period(std::int64_t tick_limit) {
    Form1& f = game_.form1;
    const std::array<Timer*, 3> timers{&f.Timer1, &f.Timer2, &f.Timer3};
    const std::array<void (*)(Game&), 3> procedures{Timer1_Timer, Timer2_Timer, Timer3_Timer};
    if (period_next_ == 0) period_due_ = {f.Timer1.running(), f.Timer2.running(), f.Timer3.running()};
    for (int k = period_next_; k < 3; ++k) {
        if (ticks_ >= tick_limit) {
            // Cut short: go on from here next time, if any timer of this period is still to tick.
            period_next_ = 0;
            for (int rest = k; rest < 3; ++rest)
                if (period_due_[std::size_t(rest)] && timers[std::size_t(rest)]->running()) period_next_ = k;
            return;
        }
        if (!period_due_[std::size_t(k)] || !timers[std::size_t(k)]->running()) continue;
        procedures[std::size_t(k)](game_);
        ++ticks_;
        if (trace_ && !trace_muted_) trace_->tick(game_, ticks_, k + 1);
    }
    period_next_ = 0;
}

void Session::restore(const SessionSnapshot& snapshot) {
    game_.s = snapshot.s;
    game_.form1 = snapshot.form1;
    random_ = snapshot.random;
    ticks_ = snapshot.ticks;
    period_due_ = snapshot.period_due;
    period_next_ = snapshot.period_next;
}

void Session::key(bool down, int code) {
    int key_code = code;
    if (down)
        Form_KeyDown(game_, key_code, 0);
    else
        Form_KeyUp(game_, key_code, 0);
    if (trace_ && !trace_muted_) trace_->key(game_, ticks_, down, code);
}

void Session::message_box(const std::string& prompt, const std::string& title) {
    if (trace_ && !trace_muted_) trace_->message_box(game_, ticks_, title, prompt);
    if (on_message_box_) on_message_box_(prompt, title);
    if (!keep_boxes_) return;
    pending_ = std::make_unique<PendingBox>();
    pending_->title = title;
    pending_->prompt = prompt;
    pending_->ticks = ticks_;
    pending_->score = game_.s.score;
    pending_->frame = std::make_unique<Frame>();
    Renderer(*metrics_).draw(game_.form1, *pending_->frame);
}

}  // namespace kx

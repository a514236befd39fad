#include "run/shown_frame.h"

#include "draw/overlays.h"

namespace kx {

const Frame& ShownFrame::game(const Form1& form, std::int64_t ticks, bool paused, bool replaying) {
    renderer_.draw(form, *frame_);
    if (paused) draw_paused(*frame_, text_);
    if (replaying) draw_replay_mark(*frame_, text_);
    ticks_ = ticks;
    return *frame_;
}

const Frame& ShownFrame::box(const PendingBox& box, bool ok_held, bool replaying) {
    *frame_ = *box.frame;
    draw_game_over_box(*frame_, text_, box.title, box.prompt, ok_held);
    if (replaying) draw_replay_mark(*frame_, text_);
    ticks_ = box.ticks;
    return *frame_;
}

}  // namespace kx

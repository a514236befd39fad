// The frame a real-time run shows: the game's, dimmed with a line on it while paused, or the
// game-over box over the frame of the moment the game asked for it; with the replay's mark while
// a replay drives.
#pragma once

#include <cstdint>
#include <memory>

#include "draw/renderer.h"
#include "form/form1.h"
#include "run/pending_box.h"

namespace kx {

class ShownFrame {
public:
    explicit ShownFrame(TextRasterizer& text) : text_(text), renderer_(text) {}

    const Frame& game(const Form1& form, std::int64_t ticks, bool paused, bool replaying);
    const Frame& box(const PendingBox& box, bool ok_held, bool replaying);
    // The tick count of the frame drawn last (the box's is the moment the game asked).
    std::int64_t ticks() const { return ticks_; }

private:
    TextRasterizer& text_;
    Renderer renderer_;
    std::unique_ptr<Frame> frame_ = std::make_unique<Frame>();
    std::int64_t ticks_ = 0;
};

}  // namespace kx

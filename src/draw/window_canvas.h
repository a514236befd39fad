// The frame as a window shows it: the window's pixels, the frame they show, and which of them
// the next frame changes. In play only a few small places of the frame change from one frame to
// the next: only those are scaled again and sent to the display. Every window front end draws
// through one of these and sends the rectangles it returns.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "draw/rect.h"
#include "elements/frame.h"

namespace kx {

class WindowCanvas {
public:
    // The window's pixels cannot be trusted (a new surface, an exposed or resized window, a
    // fullscreen toggle): the next draw() draws and returns all of them.
    void invalidate() { whole_ = true; }
    // Draws `frame` scaled into the window's pixels (`width` x `height`, `pitch` bytes a row):
    // all of them after invalidate() or a change of size, else only the bands that differ from
    // the frame shown before. Returns the window's rectangles that changed, to send to the display.
    const std::vector<Rect>& draw(const Frame& frame, std::uint32_t* pixels, int width, int height, int pitch);
    // What the window shows, to draw it again at a new size.
    const Frame& shown() const { return *shown_; }

private:
    std::unique_ptr<Frame> shown_ = std::make_unique<Frame>();
    bool whole_ = true;
    int width_ = 0, height_ = 0;
    std::vector<Rect> bands_;
    std::vector<Rect> window_rects_;
};

}  // namespace kx

// Drawing a frame into a window, whole or by its changed bands.
#include "draw/window_canvas.h"

#include <algorithm>

#include "draw/frame_changes.h"
#include "draw/scaling.h"

namespace kx {

const std::vector<Rect>& WindowCanvas::draw(const Frame& frame, std::uint32_t* pixels, int width, int height,
                                            int pitch) {
    window_rects_.clear();
    if (whole_ || width != width_ || height != height_) {
        whole_ = false;
        width_ = width;
        height_ = height;
        if (&frame != shown_.get()) *shown_ = frame;
        scale_frame(frame, pixels, width, height, pitch);
        window_rects_.push_back({0, 0, width, height});
        return window_rects_;
    }
    find_changes(*shown_, frame, bands_);
    for (const Rect& band : bands_) {
        // Outside its bands the new frame equals the one shown: copying the bands' rows is enough.
        const auto rows = std::size_t(band.y0) * Frame::kWidth;
        std::copy_n(&frame.pixels[rows], std::size_t(band.height()) * Frame::kWidth, &shown_->pixels[rows]);
        const Rect r = scale_part(frame, band, pixels, width, height, pitch);
        if (!r.empty()) window_rects_.push_back(r);
    }
    return window_rects_;
}

}  // namespace kx

// Whole-number nearest-neighbour scaling with letterboxing.
#include "platform/scaling.h"

#include <algorithm>

namespace kx {

Placement place_frame(int width, int height) {
    const int factor = std::max(1, std::min(width / Frame::kWidth, height / Frame::kHeight));
    return {factor, std::max(0, (width - Frame::kWidth * factor) / 2),
            std::max(0, (height - Frame::kHeight * factor) / 2)};
}

void scale_frame(const Frame& frame, std::uint32_t* pixels, int width, int height, int pitch) {
    const Placement p = place_frame(width, height);
    auto row_at = [&](int y) {
        return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(pixels) + std::ptrdiff_t(y) * pitch);
    };
    const int shown_w = std::min(Frame::kWidth * p.factor, width - p.left);
    const int shown_h = std::min(Frame::kHeight * p.factor, height - p.top);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = row_at(y);
        if (y < p.top || y >= p.top + shown_h) {
            std::fill(row, row + width, 0u);
            continue;
        }
        // A row of the frame is widened once and copied to the factor's rows below it.
        const int fy = (y - p.top) / p.factor;
        if ((y - p.top) % p.factor != 0) {
            std::copy(row_at(y - 1), row_at(y - 1) + width, row);
            continue;
        }
        std::fill(row, row + p.left, 0u);
        const std::uint32_t* src = &frame.pixels[std::size_t(fy) * Frame::kWidth];
        std::uint32_t* out = row + p.left;
        for (int x = 0; x < shown_w; ++x) out[x] = src[x / p.factor];
        std::fill(row + p.left + shown_w, row + width, 0u);
    }
}

}  // namespace kx

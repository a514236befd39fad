// Whole-number nearest-neighbour scaling with letterboxing. A row of the frame is widened once
// and then copied whole to the factor's rows below it.
#include "draw/scaling.h"

#include <algorithm>
#include <cstring>

namespace kx {
namespace {

std::uint32_t* row_at(std::uint32_t* pixels, int pitch, int y) {
    return reinterpret_cast<std::uint32_t*>(reinterpret_cast<char*>(pixels) + std::ptrdiff_t(y) * pitch);
}

// A factor known when compiling lets the compiler unroll the copies of each pixel.
template <int kFactor>
void widen_by(const std::uint32_t* src, std::uint32_t* out, int count) {
    const int whole = count / kFactor;
    for (int i = 0; i < whole; ++i)
        for (int k = 0; k < kFactor; ++k) out[i * kFactor + k] = src[i];
    for (int i = whole * kFactor; i < count; ++i) out[i] = src[i / kFactor];  // cut by the window's edge
}

// Writes `count` window pixels, each frame pixel `factor` times.
void widen(const std::uint32_t* src, std::uint32_t* out, int count, int factor) {
    switch (factor) {
        case 1: std::memcpy(out, src, std::size_t(count) * 4); return;
        case 2: widen_by<2>(src, out, count); return;
        case 3: widen_by<3>(src, out, count); return;
        case 4: widen_by<4>(src, out, count); return;
        default:
            for (int i = 0; i < count; ++i) out[i] = src[i / factor];
    }
}

}  // namespace

Placement place_frame(int width, int height) {
    const int factor = std::max(1, std::min(width / Frame::kWidth, height / Frame::kHeight));
    return {factor, std::max(0, (width - Frame::kWidth * factor) / 2),
            std::max(0, (height - Frame::kHeight * factor) / 2)};
}

FramePoint frame_point(int x, int y, int window_width, int window_height, int pixel_width, int pixel_height) {
    if (window_width <= 0 || window_height <= 0) return {-1, -1};
    const int px = x * pixel_width / window_width, py = y * pixel_height / window_height;
    const Placement at = place_frame(pixel_width, pixel_height);
    // Rounded towards minus infinity: a point left of or above the frame stays outside it.
    const auto frame_coordinate = [&](int p, int origin) {
        const int d = p - origin;
        return d >= 0 ? d / at.factor : -1 - (-1 - d) / at.factor;
    };
    return {frame_coordinate(px, at.left), frame_coordinate(py, at.top)};
}

int fitting_factor(int usable_width, int usable_height, int decoration_width, int decoration_height) {
    const int by_width = (usable_width - decoration_width) / Frame::kWidth;
    const int by_height = (usable_height - decoration_height) / Frame::kHeight;
    return std::max(1, std::min(by_width, by_height));
}

OpeningFactor opening_factor(std::optional<int> asked, int usable_width, int usable_height, int decoration_width,
                             int decoration_height) {
    const int fits = fitting_factor(usable_width, usable_height, decoration_width, decoration_height);
    if (!asked) return {fits, ""};
    if (*asked <= fits) return {*asked, ""};
    const std::string size = std::to_string(Frame::kWidth * *asked) + " x " + std::to_string(Frame::kHeight * *asked);
    return {fits, "--scale " + std::to_string(*asked) + " makes a window of " + size + ", larger than the screen's " +
                      std::to_string(usable_width) + " x " + std::to_string(usable_height) + ": opening at --scale " +
                      std::to_string(fits) + ", the largest that fits"};
}

Rect scale_part(const Frame& frame, Rect part, std::uint32_t* pixels, int width, int height, int pitch) {
    const Placement p = place_frame(width, height);
    const int f = p.factor;
    const int x0 = p.left + part.x0 * f, y0 = p.top + part.y0 * f;
    const int x1 = std::min(width, p.left + part.x1 * f);
    const int y1 = std::min(height, p.top + part.y1 * f);
    if (x1 <= x0 || y1 <= y0) return {x0, y0, x0, y0};
    const std::size_t bytes = std::size_t(x1 - x0) * 4;
    for (int fy = part.y0, y = y0; y < y1; ++fy, y += f) {
        std::uint32_t* row = row_at(pixels, pitch, y) + x0;
        widen(&frame.pixels[std::size_t(fy) * Frame::kWidth + std::size_t(part.x0)], row, x1 - x0, f);
        for (int k = 1; k < f && y + k < y1; ++k) std::memcpy(row_at(pixels, pitch, y + k) + x0, row, bytes);
    }
    return {x0, y0, x1, y1};
}

void scale_frame(const Frame& frame, std::uint32_t* pixels, int width, int height, int pitch) {
    const Placement p = place_frame(width, height);
    const int shown_w = std::min(Frame::kWidth * p.factor, width - p.left);
    const int shown_h = std::min(Frame::kHeight * p.factor, height - p.top);
    for (int y = 0; y < height; ++y) {
        std::uint32_t* row = row_at(pixels, pitch, y);
        if (y < p.top || y >= p.top + shown_h) {
            std::fill(row, row + width, 0u);
        } else {
            std::fill(row, row + p.left, 0u);
            std::fill(row + p.left + shown_w, row + width, 0u);
        }
    }
    scale_part(frame, {0, 0, Frame::kWidth, Frame::kHeight}, pixels, width, height, pitch);
}

}  // namespace kx

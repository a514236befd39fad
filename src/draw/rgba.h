// The frame as a browser's canvas takes it: red, green, blue and alpha bytes, row by row.
#pragma once

#include <cstdint>

#include "elements/frame.h"

namespace kx {

constexpr int kRgbaBytes = Frame::kWidth * Frame::kHeight * 4;

// Writes the frame's colours into `rgba` (kRgbaBytes long); the alpha bytes are left as they are.
void frame_to_rgba(const Frame& frame, std::uint8_t* rgba);

}  // namespace kx

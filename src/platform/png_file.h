// PNG files of frames: the headless screenshot, and pictures with an alpha channel for the icons.
#pragma once

#include <cstdint>
#include <string>

#include "elements/frame.h"

namespace kx {

// Throws std::runtime_error naming the file when it cannot be written.
void write_png(const std::string& path, const Frame& frame);
// A picture with its alpha channel (0xAARRGGBB pixels), for icons.
void write_png_argb(const std::string& path, int width, int height, const std::uint32_t* pixels);

}  // namespace kx

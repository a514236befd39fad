// PNG files: the headless screenshot, and pictures with an alpha channel for the icons. Written by
// the program's own code on zlib, so that every platform writes the same bytes.
#pragma once

#include <cstdint>
#include <string>

#include "elements/frame.h"

namespace kx {

// Throws std::runtime_error naming the file when it cannot be written.
void write_png(const std::string& path, const Frame& frame);
// A picture with its alpha channel (0xAARRGGBB pixels, rows top to bottom), for icons.
void write_png_argb(const std::string& path, int width, int height, const std::uint32_t* pixels);
// The same picture as the bytes of a PNG file (the Windows icon holds its sizes so).
std::string png_argb_bytes(int width, int height, const std::uint32_t* pixels);

}  // namespace kx

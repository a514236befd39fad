// PNG files of frames: the headless screenshot, and reading one back in tests and tools.
#pragma once

#include <optional>
#include <string>

#include "elements/frame.h"

namespace kx {

// Throws std::runtime_error naming the file when it cannot be written.
void write_png(const std::string& path, const Frame& frame);
// A picture with its alpha channel (0xAARRGGBB pixels), for icons.
void write_png_argb(const std::string& path, int width, int height, const std::uint32_t* pixels);
// Any PNG as 0x00RRGGBB pixels; nullopt when the file cannot be read.
struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;
};
std::optional<Image> read_png(const std::string& path);

}  // namespace kx

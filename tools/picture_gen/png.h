// Writes an RGB image as a PNG file (8 bits per channel, no alpha).
#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace picgen {

// `rgb` holds width * height * 3 bytes, rows top to bottom. Throws std::runtime_error on failure.
void write_png(const std::string& path, int width, int height, const std::vector<std::uint8_t>& rgb);

}  // namespace picgen

// Reading a PNG back, for the tests that look at the headless screenshot.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx::test {

struct Image {
    int width = 0, height = 0;
    std::vector<std::uint32_t> pixels;  // 0x00RRGGBB, row by row
};

// Any PNG as 0x00RRGGBB pixels; nullopt when the file cannot be read.
std::optional<Image> read_png(const std::string& path);

}  // namespace kx::test

// A raster picture as the renderer draws it, and the colour type the element model uses.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kx {

struct Rgb {
    std::uint8_t r = 0, g = 0, b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
    // The one-number form the game uses for colours: red + 256 * green + 65536 * blue.
    static constexpr Rgb from_number(std::uint32_t v) {
        return Rgb{std::uint8_t(v & 0xFF), std::uint8_t((v >> 8) & 0xFF), std::uint8_t((v >> 16) & 0xFF)};
    }
};

// Pixels are 0xAARRGGBB. Alpha is 255 everywhere except where a picture (only the window
// icon) masks pixels out entirely; the boss pictures instead name one colour as transparent.
struct Picture {
    std::string name;
    int width = 0;   // pixels
    int height = 0;  // pixels
    std::vector<std::uint32_t> pixels;
    std::optional<Rgb> transparent;

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * std::size_t(width) + std::size_t(x)]; }
    // True where whatever lies below shows through.
    bool see_through(int x, int y) const {
        const std::uint32_t p = at(x, y);
        if ((p >> 24) == 0) return true;
        return transparent && Rgb{std::uint8_t(p >> 16), std::uint8_t(p >> 8), std::uint8_t(p)} == *transparent;
    }
};

}  // namespace kx

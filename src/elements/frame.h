// One picture of the client area, 392 x 286 pixels, 0x00RRGGBB.
#pragma once

#include <array>
#include <cstdint>

#include "elements/picture.h"
#include "elements/units.h"

namespace kx {

struct Frame {
    static constexpr int kWidth = kClientWidth;
    static constexpr int kHeight = kClientHeight;
    std::array<std::uint32_t, std::size_t(kWidth) * kHeight> pixels{};

    std::uint32_t at(int x, int y) const { return pixels[std::size_t(y) * kWidth + std::size_t(x)]; }
    std::uint32_t& at(int x, int y) { return pixels[std::size_t(y) * kWidth + std::size_t(x)]; }
};

constexpr std::uint32_t pack(Rgb c) { return (std::uint32_t(c.r) << 16) | (std::uint32_t(c.g) << 8) | c.b; }

}  // namespace kx

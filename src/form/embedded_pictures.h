// The pictures compiled into the program, read at build time (cmake/embed_pictures.cmake writes
// their definition): each pixel is a palette key, one character a pixel, row by row.
#pragma once

#include <cstdint>
#include <optional>
#include <span>
#include <string_view>

#include "elements/picture.h"

namespace kx {

struct EmbeddedColour {
    unsigned char key;
    std::uint32_t argb;  // 0xAARRGGBB; alpha 0 where the picture is masked out
};

struct EmbeddedPicture {
    std::string_view name;
    int width;   // pixels
    int height;  // pixels
    std::optional<Rgb> transparent;
    std::span<const EmbeddedColour> palette;  // a key given twice takes its last colour
    std::string_view keys;                    // width * height palette keys
};

std::span<const EmbeddedPicture> embedded_pictures();

}  // namespace kx

// Frame pixels (0x00RRGGBB) to canvas bytes.
#include "draw/rgba.h"

namespace kx {

void frame_to_rgba(const Frame& frame, std::uint8_t* rgba) {
    for (const std::uint32_t p : frame.pixels) {
        rgba[0] = std::uint8_t(p >> 16);
        rgba[1] = std::uint8_t(p >> 8);
        rgba[2] = std::uint8_t(p);
        rgba += 4;
    }
}

}  // namespace kx

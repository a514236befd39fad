// png_probe: looks at pixels of a PNG for the window tests. `png_probe F.png` prints its size as
// "W H"; `png_probe F.png X Y` prints the colour at (X, Y) as "R G B"; `png_probe F.png X0 Y0 X1 Y1 R G B` prints how
// many pixels of the half-open rectangle have that colour, and `png_probe F.png X0 Y0 X1 Y1 max` the largest channel
// there.
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string_view>

#include "png_read.h"

namespace {

int usage() {
    std::fprintf(stderr, "usage: png_probe F.png [X Y | X0 Y0 X1 Y1 (R G B | max)]\n");
    return 2;
}

int channel(std::uint32_t p, int shift) { return int((p >> shift) & 0xFF); }

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 4 && argc != 7 && argc != 9) return usage();
    const auto image = kx::test::read_png(argv[1]);
    if (!image) {
        std::fprintf(stderr, "png_probe: cannot read %s\n", argv[1]);
        return 2;
    }
    if (argc == 2) {
        std::printf("%d %d\n", image->width, image->height);
        return 0;
    }
    auto at = [&](int x, int y) { return image->pixels[std::size_t(y) * std::size_t(image->width) + std::size_t(x)]; };
    const int x0 = std::atoi(argv[2]), y0 = std::atoi(argv[3]);
    if (argc == 4) {
        if (x0 < 0 || y0 < 0 || x0 >= image->width || y0 >= image->height) return usage();
        const std::uint32_t p = at(x0, y0);
        std::printf("%d %d %d\n", channel(p, 16), channel(p, 8), channel(p, 0));
        return 0;
    }
    const int x1 = std::min(std::atoi(argv[4]), image->width), y1 = std::min(std::atoi(argv[5]), image->height);
    if (x0 < 0 || y0 < 0) return usage();
    const bool max = argc == 7;
    if (max && std::string_view(argv[6]) != "max") return usage();
    const std::uint32_t colour =
        max ? 0 : std::uint32_t(std::atoi(argv[6]) << 16 | std::atoi(argv[7]) << 8 | std::atoi(argv[8]));
    int result = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x) {
            const std::uint32_t p = at(x, y);
            if (max)
                result = std::max({result, channel(p, 16), channel(p, 8), channel(p, 0)});
            else if (p == colour)
                ++result;
        }
    std::printf("%d\n", result);
    return 0;
}

// png_compare A.png B.png [SCALE]: exit 0 when B is A enlarged SCALE times, pixel for pixel.
#include <cstdio>
#include <cstdlib>
#include <string>

#include "png_read.h"

int main(int argc, char** argv) {
    if (argc < 3) {
        std::fprintf(stderr, "usage: png_compare A.png B.png [SCALE]\n");
        return 2;
    }
    const int scale = argc > 3 ? std::atoi(argv[3]) : 1;
    const auto a = kx::test::read_png(argv[1]);
    const auto b = kx::test::read_png(argv[2]);
    if (!a || !b || scale < 1) {
        std::fprintf(stderr, "png_compare: cannot read %s\n", !a ? argv[1] : argv[2]);
        return 2;
    }
    if (b->width != a->width * scale || b->height != a->height * scale) {
        std::fprintf(stderr, "png_compare: sizes differ: %dx%d vs %dx%d\n", a->width, a->height, b->width, b->height);
        return 1;
    }
    int differing = 0;
    for (int y = 0; y < b->height; ++y)
        for (int x = 0; x < b->width; ++x)
            if (b->pixels[std::size_t(y * b->width + x)] != a->pixels[std::size_t((y / scale) * a->width + x / scale)])
                ++differing;
    if (differing) {
        std::fprintf(stderr, "png_compare: %d pixels differ\n", differing);
        return 1;
    }
    return 0;
}

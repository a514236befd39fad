// png_compare A.png B.png [SCALE [X0 Y0 X1 Y1]]: exit 0 when B is A enlarged SCALE times, pixel for
// pixel, leaving out the half-open rectangle of A given (where B shows something A does not have).
#include <cstdio>
#include <cstdlib>
#include <string>

#include "platform/png_file.h"

int main(int argc, char** argv) {
    if (argc < 3 || argc == 5 || argc == 6 || argc == 7 || argc > 8) {
        std::fprintf(stderr, "usage: png_compare A.png B.png [SCALE [X0 Y0 X1 Y1]]\n");
        return 2;
    }
    const int scale = argc > 3 ? std::atoi(argv[3]) : 1;
    int skip[4] = {0, 0, 0, 0};
    if (argc == 8)
        for (int n = 0; n < 4; ++n) skip[n] = std::atoi(argv[4 + n]);
    const auto a = kx::read_png(argv[1]);
    const auto b = kx::read_png(argv[2]);
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
        for (int x = 0; x < b->width; ++x) {
            const int ax = x / scale, ay = y / scale;
            if (ax >= skip[0] && ax < skip[2] && ay >= skip[1] && ay < skip[3]) continue;
            if (b->pixels[std::size_t(y * b->width + x)] != a->pixels[std::size_t(ay * a->width + ax)]) ++differing;
        }
    if (differing) {
        std::fprintf(stderr, "png_compare: %d pixels differ\n", differing);
        return 1;
    }
    return 0;
}

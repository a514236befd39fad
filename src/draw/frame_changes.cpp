// Row-by-row comparison of two frames, rows of equal bytes skipped whole.
#include "draw/frame_changes.h"

#include <algorithm>
#include <cstring>

namespace kx {
namespace {

// Equal runs are skipped a block at a time: a fixed-size memcmp compiles to a few vector compares.
constexpr int kBlock = 8;  // pixels
static_assert(Frame::kWidth % kBlock == 0);

int first_difference(const std::uint32_t* a, const std::uint32_t* b) {
    int x = 0;
    while (std::memcmp(a + x, b + x, kBlock * sizeof *a) == 0) x += kBlock;
    while (a[x] == b[x]) ++x;
    return x;
}

// One past the last pixel that differs.
int end_of_differences(const std::uint32_t* a, const std::uint32_t* b) {
    int x = Frame::kWidth;
    while (std::memcmp(a + x - kBlock, b + x - kBlock, kBlock * sizeof *a) == 0) x -= kBlock;
    while (a[x - 1] == b[x - 1]) --x;
    return x;
}

}  // namespace

void find_changes(const Frame& before, const Frame& after, std::vector<Rect>& bands) {
    bands.clear();
    constexpr int kW = Frame::kWidth;
    for (int y = 0; y < Frame::kHeight; ++y) {
        const std::uint32_t* a = &before.pixels[std::size_t(y) * kW];
        const std::uint32_t* b = &after.pixels[std::size_t(y) * kW];
        if (std::memcmp(a, b, kW * sizeof *a) == 0) continue;
        const int x0 = first_difference(a, b), x1 = end_of_differences(a, b);
        if (!bands.empty() && bands.back().y1 == y) {
            Rect& band = bands.back();
            band = {std::min(band.x0, x0), band.y0, std::max(band.x1, x1), y + 1};
        } else {
            bands.push_back({x0, y, x1, y + 1});
        }
    }
}

}  // namespace kx

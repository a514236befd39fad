// Row-by-row comparison of two frames, rows of equal bytes skipped whole.
#include "platform/frame_changes.h"

#include <algorithm>
#include <cstring>

namespace kx {

void find_changes(const Frame& before, const Frame& after, std::vector<Rect>& bands) {
    bands.clear();
    constexpr int kW = Frame::kWidth;
    for (int y = 0; y < Frame::kHeight; ++y) {
        const std::uint32_t* a = &before.pixels[std::size_t(y) * kW];
        const std::uint32_t* b = &after.pixels[std::size_t(y) * kW];
        if (std::memcmp(a, b, kW * sizeof *a) == 0) continue;
        int x0 = 0, x1 = kW;
        while (a[x0] == b[x0]) ++x0;
        while (a[x1 - 1] == b[x1 - 1]) --x1;
        if (!bands.empty() && bands.back().y + bands.back().h == y) {
            Rect& band = bands.back();
            const int left = std::min(band.x, x0), right = std::max(band.x + band.w, x1);
            band = {left, band.y, right - left, band.h + 1};
        } else {
            bands.push_back({x0, y, x1 - x0, 1});
        }
    }
}

}  // namespace kx

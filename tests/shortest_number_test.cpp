// The browser build writes trace numbers without std::to_chars: its replacement must give the
// very same text, or traces made in the browser would differ from the desktop's.
#include <gtest/gtest.h>

#include <charconv>
#include <cstring>
#include <random>

#include "formats/shortest_number.h"

namespace kx {
namespace {

template <typename T>
std::string by_to_chars(T v) {
    char buf[64];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return std::string(buf, end);
}

TEST(ShortestNumber, WritesWhatToCharsWrites) {
    const double chosen[] = {0.0,
                             -0.0,
                             0.1,
                             1,
                             10,
                             100,
                             1e15,
                             1e16,
                             1e17,
                             1e21,
                             1e22,
                             123456789012345678.0,
                             0.001,
                             1e-4,
                             1e-5,
                             5e-324,
                             1.7976931348623157e308,
                             -2.5,
                             3.14159,
                             -7.64,
                             297.0 / 3,
                             1e-7};
    for (double d : chosen) {
        EXPECT_EQ(shortest_by_printf(d), by_to_chars(d));
        EXPECT_EQ(shortest_by_printf(float(d)), by_to_chars(float(d)));
    }
    std::mt19937_64 random(7);
    int differing = 0;
    for (int k = 0; k < 200000; ++k) {
        const std::uint64_t bits = random();
        double d;
        float f;
        std::memcpy(&d, &bits, sizeof d);
        const auto low = std::uint32_t(bits);
        std::memcpy(&f, &low, sizeof f);
        if (std::isfinite(d) && shortest_by_printf(d) != by_to_chars(d)) ++differing;
        if (std::isfinite(f) && shortest_by_printf(f) != by_to_chars(f)) ++differing;
        // Numbers like the game's: a few decimals, moderate size.
        const double game_like = double(std::int64_t(random() % 2000000) - 1000000) / double(1 + random() % 1000);
        if (shortest_by_printf(game_like) != by_to_chars(game_like)) ++differing;
        if (shortest_by_printf(float(game_like)) != by_to_chars(float(game_like))) ++differing;
    }
    EXPECT_EQ(differing, 0);
}

}  // namespace
}  // namespace kx

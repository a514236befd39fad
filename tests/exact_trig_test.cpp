// The duck flight's exact whole-number sines: the same cuts as the C library's on the flight's own
// angles, the true cut where a rounded sine would land on a whole number, and the two sines'
// accuracy against values worked out to 200 bits with whole-number arithmetic.
#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <random>

#include "enemies/exact_trig.h"

namespace kx {
namespace {

int libc_cut(double sine, int k) { return int(std::floor(sine * k)); }

// A quick form of tools/trig_check: a bouncing and a circling duck for 80,000 ticks each, and
// random angles over 45 hours of play; the quick sine's error on every 16th of them.
TEST(ExactTrig, AgreesWithTheCLibraryOnTheFlightsAnglesAndTheQuickSineKeepsItsBound) {
    std::vector<double> angles;
    for (double step : {0.05, 0.1}) {
        double a = 0;
        for (int tick = 0; tick < 80'000; ++tick) angles.push_back(a = a + step);
    }
    std::mt19937_64 bits(1);
    for (int n = 0; n < 40'000; ++n) angles.push_back(double(bits() >> 11) * 0x1p-53 * 0x1p20);

    int disagreements = 0;
    double quick_error = 0;
    for (std::size_t n = 0; n < angles.size(); ++n) {
        const double a = angles[n], s = std::sin(a), c = std::cos(a);
        disagreements += (cut_sin_times(a, 150) != libc_cut(s, 150)) + (cut_sin_times(a, 50) != libc_cut(s, 50)) +
                         (cut_cos_times(a, 50) != libc_cut(c, 50));
        if (n % 16 != 0) continue;
        const ExtendedValue es = extended_sin(a), ec = extended_cos(a);
        quick_error = std::max(
            {quick_error, std::fabs((quick_sin(a) - es.hi) - es.lo), std::fabs((quick_cos(a) - ec.hi) - ec.lo)});
    }
    EXPECT_EQ(disagreements, 0);
    EXPECT_LE(quick_error, 0x1p-50);
}

struct Reference {
    double angle;
    ExtendedValue sin, cos;
};
// sin and cos rounded to two doubles from 760-bit fixed-point sums (pi by Machin's formula).
constexpr Reference kReferences[] = {
    {1.0, {0x1.aed548f090ceep-1, 0x1.06374f484e288p-59}, {0x1.14a280fb5068cp-1, -0x1.b71edcc9344bcp-55}},
    {0x1.4b999999998afp+7,  // 165.79999999999333, an angle of the full_game golden replay
     {0x1.4b903df134a30p-1, 0x1.4a9664d191aa5p-55},
     {-0x1.8623fddceb736p-1, -0x1.611acf5d011ddp-55}},
    {0x1.96ea80004014fp+16,  // 104170.50000381957: 2,083,410 ticks of bouncing, 2.4e-7 short of 66317 pi/2
     {0x1.fffffffffff02p-1, -0x1.bccb0a8e68b15p-56},
     {0x1.fe36cd3fc2ae8p-23, -0x1.e812c7b7b58cep-80}},
    {0x1.b40555a935b56p+26,  // 114300246.6439031, 1.6e-9 from a quarter turn
     {0x1.0000000000000p+0, -0x1.705fefbbabeb6p-60},
     {0x1.b24a42a1d829ep-30, -0x1.cb360ff271e54p-88}},
    {0x1.921fb54442d18p+1,  // the double nearest pi
     {0x1.1a62633145c07p-53, -0x1.f1976b7ed8fbdp-109},
     {-0x1.0000000000000p+0, 0x1.377ce858a5d48p-107}},
};

TEST(ExactTrig, ExtendedSineIsWithin2ToTheMinus100) {
    for (const Reference& r : kReferences) {
        const ExtendedValue s = extended_sin(r.angle), c = extended_cos(r.angle);
        EXPECT_LE(std::fabs((s.hi - r.sin.hi) + (s.lo - r.sin.lo)), 0x1p-100) << r.angle;
        EXPECT_LE(std::fabs((c.hi - r.cos.hi) + (c.lo - r.cos.lo)), 0x1p-100) << r.angle;
    }
}

TEST(ExactTrig, WholeProductsAtAngleZero) {
    for (double zero : {0.0, -0.0}) {
        EXPECT_EQ(cut_sin_times(zero, 150), 0);
        EXPECT_EQ(cut_sin_times(zero, 50), 0);
        EXPECT_EQ(cut_cos_times(zero, 50), 50);
    }
}

// The angles of long flights whose products come nearest a whole number (found by trig_check),
// with the cuts of the 200-bit values.
TEST(ExactTrig, FlightAnglesNearestAWholeNumber) {
    EXPECT_EQ(cut_sin_times(177.49999999999315, 50), 49);  // 5.7e-9 below 50: 113 pi/2 is 177.499985
    EXPECT_EQ(cut_sin_times(177.49999999999315, 150), 149);
    EXPECT_EQ(cut_sin_times(104170.50000381957, 50), 49);    // 1.4e-12 below: the extended sine decides
    EXPECT_EQ(cut_sin_times(104170.50000381957, 150), 149);  // 4.2e-12 below
    EXPECT_EQ(cut_cos_times(114605.30000291299, 50), 49);    // 4.6e-14 below: 4.3e-8 short of 72960 pi/2
    EXPECT_EQ(cut_sin_times(64139.35000148946, 50), 28);     // 9.9e-9 above
    EXPECT_EQ(cut_sin_times(135.49999999999872, 50), -20);   // 4.4e-5 above
}

// Products a hair from a whole number. Where the rounded sine times k is the whole number but the
// true product is just below it, the cut is one less than the C library's: the exact value wins.
TEST(ExactTrig, ProductsAHairFromAWholeNumberGetTheTrueCut) {
    EXPECT_EQ(cut_sin_times(0x1.b40555a935b56p+26, 150), 149);  // the sine rounds to 1
    EXPECT_EQ(cut_sin_times(0x1.b40555a935b56p+26, 50), 49);
    EXPECT_EQ(cut_cos_times(0x1.1b04d9413241dp+27, 50), 49);  // the cosine rounds to 1
    EXPECT_EQ(cut_cos_times(1e-9, 50), 49);                   // cos is 1 - 5e-19
    EXPECT_EQ(cut_sin_times(0x1.47b3ac64be09ap-6, 150), 2);   // 1.2e-16 below 3
    EXPECT_EQ(cut_sin_times(0x1.1144f3b8978d3p-4, 150), 9);   // 1.7e-17 below 10
    EXPECT_EQ(cut_cos_times(0x1.6e2a6dc5bb771p+0, 50), 6);    // 1.3e-16 below 7
    EXPECT_EQ(cut_cos_times(0x1.6e2a6dc5bb770p+0, 50), 7);    // the double before: 1.1e-14 above
    // Here the quick sine's product lies a hair on the wrong side; the extended sine decides.
    EXPECT_EQ(cut_sin_times(0x1.633e2ee53c5b8p-2, 150), 50);   // 5.9e-16 below 51
    EXPECT_EQ(cut_sin_times(0x1.a07d7ac543148p-1, 150), 109);  // 8.6e-16 above 109
    EXPECT_EQ(cut_cos_times(0x1.f3ec14a0196bdp-1, 50), 27);    // 1.2e-15 below 28
    // Beside 0 the sign decides.
    EXPECT_EQ(cut_sin_times(1e-300, 150), 0);
    EXPECT_EQ(cut_sin_times(-1e-300, 150), -1);
    EXPECT_EQ(cut_sin_times(0x1.921fb54442d18p+1, 150), 0);  // the double nearest pi is below it
    EXPECT_EQ(cut_sin_times(0x1.921fb54442d19p+1, 150), -1);
    EXPECT_EQ(cut_sin_times(0x1.2106ca4910069p+5, 150), -150);  // 7.6e-28 above -150
}

}  // namespace
}  // namespace kx
